#include "core/viewer/ViewerKeys.h"

namespace {

TKeyDecision Act(TKeyAction action) { return {action, TSelectionKey::Home}; }

TKeyDecision EntryMenu(bool shift) { return Act(shift ? TKeyAction::ExtendedEntryMenu : TKeyAction::EntryMenu); }

TKeyDecision KeyDown(unsigned key, bool shift, bool control, bool entriesShown) {
  if (!entriesShown) return Act(TKeyAction::Unhandled);
  switch (key) {
    // Enter acts on its character, except with Ctrl held (Ctrl+Shift+Enter
    // runs as administrator), whose character is a line feed or none,
    // depending on the keyboard.
    case vk::kReturn: return Act(control ? TKeyAction::ActivateSelected : TKeyAction::Unhandled);
    case vk::kApps: return EntryMenu(shift);
    case vk::kUp: return {TKeyAction::Move, TSelectionKey::Up};
    case vk::kDown: return {TKeyAction::Move, TSelectionKey::Down};
    case vk::kLeft: return {TKeyAction::Move, TSelectionKey::Left};
    case vk::kRight: return {TKeyAction::Move, TSelectionKey::Right};
    case vk::kHome: return {TKeyAction::Move, TSelectionKey::Home};
    case vk::kEnd: return {TKeyAction::Move, TSelectionKey::End};
    default: return Act(TKeyAction::Unhandled);
  }
}

TKeyDecision Character(unsigned ch, bool entriesShown, bool typing) {
  // Escape closes every view, even one whose entries are not shown yet.
  if (ch == vk::kEscape) return Act(TKeyAction::Close);
  if (!entriesShown) return Act(TKeyAction::Unhandled);
  // A space inside a typed name belongs to the name.
  if (ch == L'\r' || (ch == L' ' && !typing)) return Act(TKeyAction::ActivateSelected);
  if (ch == L'\b') return Act(TKeyAction::GoBack);
  if (ch < L' ') return Act(TKeyAction::Unhandled);
  return Act(TKeyAction::TypeToSelect);
}

}  // namespace

TKeyDecision DecideViewerKey(TKeyInput input, unsigned code, bool shift, bool entriesShown, bool typing, bool control) {
  switch (input) {
    case TKeyInput::KeyDown: return KeyDown(code, shift, control, entriesShown);
    case TKeyInput::Character: return Character(code, entriesShown, typing);
    // The menu key and Shift+F10 act when pressed; their releases are kept
    // from the default handling, which would ask for a menu a second time.
    case TKeyInput::KeyUp: return Act(code == vk::kApps ? TKeyAction::Swallow : TKeyAction::Unhandled);
    case TKeyInput::SysKeyDown: return Act(code == vk::kF10 && shift ? TKeyAction::EntryMenu : TKeyAction::Unhandled);
    case TKeyInput::SysKeyUp: return Act(code == vk::kF10 && shift ? TKeyAction::Swallow : TKeyAction::Unhandled);
    case TKeyInput::MenuRequest: return EntryMenu(shift);
  }
  return Act(TKeyAction::Unhandled);
}

std::wstring EntryActionName(TClickAction click) {
  return click == TClickAction::BrowseStack || click == TClickAction::BrowseGrid ? L"Browse" : L"Open";
}
