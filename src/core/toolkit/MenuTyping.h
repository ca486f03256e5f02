// What a letter typed into an open popup menu does when the menu's items have
// no mnemonics: the items whose captions start with it are chosen from.
#pragma once

#include <string>
#include <vector>

// A caption as it reads: "&&" shows one "&" (a single "&" stays, as the
// menus show captions without mnemonics).
std::wstring MenuCaptionText(const std::wstring& caption);

// An item of the open menu, by position: its caption (empty for separators
// and items without one) and whether it is the highlighted item.
struct TMenuTypingItem {
  std::wstring Caption;
  bool Highlighted = false;
};

enum class TMenuTypingAction { Ignore, Execute, Select };
struct TMenuTypingChoice {
  TMenuTypingAction Action = TMenuTypingAction::Ignore;
  int Index = 0;  // the item's position, for Execute and Select
};

// Ignore when no caption starts with the letter (case aside); Execute the only
// one that does; else Select the next one after the highlighted item, going
// round to the first.
TMenuTypingChoice MenuTypingChoice(const std::vector<TMenuTypingItem>& items, wchar_t typed);
