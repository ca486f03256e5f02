#include "core/toolkit/MenuTyping.h"

#include <cwctype>

std::wstring MenuCaptionText(const std::wstring& caption) {
  std::wstring text;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size() && caption[i + 1] == L'&') ++i;
    text += caption[i];
  }
  return text;
}

TMenuTypingChoice MenuTypingChoice(const std::vector<TMenuTypingItem>& items, wchar_t typed) {
  std::vector<int> matches;
  int highlighted = -1;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].Highlighted) highlighted = static_cast<int>(i);
    const std::wstring text = MenuCaptionText(items[i].Caption);
    if (!text.empty() && std::towlower(text[0]) == std::towlower(typed)) matches.push_back(static_cast<int>(i));
  }
  if (matches.empty()) return {TMenuTypingAction::Ignore, 0};
  if (matches.size() == 1) return {TMenuTypingAction::Execute, matches[0]};
  for (const int i : matches)
    if (i > highlighted) return {TMenuTypingAction::Select, i};
  return {TMenuTypingAction::Select, matches[0]};
}
