// The form's keys: the core decides what a key does in the view as it
// stands; the form carries it out on the view's toolbar.
#include <windowsx.h>

#include <algorithm>

#include "shared/ExtraWinUtils.h"
#include "viewer/Main.h"

bool TFormMain::PreviewKey(const MSG& msg) {
  if (msg.message == WM_KEYDOWN) return FormKeyDown(static_cast<UINT>(msg.wParam));
  return msg.message == WM_CHAR && FormKeyPress(static_cast<wchar_t>(msg.wParam));
}

bool TFormMain::HandleKeyMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const auto code = static_cast<unsigned>(wParam);
  switch (message) {
    case WM_KEYDOWN: return FormKeyDown(code);
    case WM_CHAR: FormKeyPress(static_cast<wchar_t>(wParam)); return true;
    case WM_KEYUP: return RunKey(TKeyInput::KeyUp, code);
    case WM_SYSKEYDOWN: return RunKey(TKeyInput::SysKeyDown, code);
    case WM_SYSKEYUP: return RunKey(TKeyInput::SysKeyUp, code);
    case WM_CONTEXTMENU:
      // Asked for without a pointer (the mouse's menus are the toolbar's).
      return GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1 && RunKey(TKeyInput::MenuRequest, 0);
    default: return false;
  }
}

bool TFormMain::FormKeyDown(UINT key) { return RunKey(TKeyInput::KeyDown, key); }

bool TFormMain::FormKeyPress(wchar_t key) { return RunKey(TKeyInput::Character, static_cast<unsigned>(key)); }

bool TFormMain::RunKey(TKeyInput input, unsigned code) {
  TToolbar* toolbar = KeyboardToolbar();
  // A wrap of the 32-bit tick count at most forgets a prefix once in 49 days.
  const std::uint64_t now = ::GetTickCount();
  const TKeyDecision decision = DecideViewerKey(input, code, KeyHeld(VK_SHIFT), toolbar != nullptr,
                                                typeToSelect_.Typing(now), KeyHeld(VK_CONTROL));
  switch (decision.Action) {
    case TKeyAction::Unhandled: return false;
    case TKeyAction::Swallow: return true;
    case TKeyAction::Close: DoCloseAnimation(); return true;
    case TKeyAction::EntryMenu:
    case TKeyAction::ExtendedEntryMenu:
      ShowSelectedEntryMenu(decision.Action == TKeyAction::ExtendedEntryMenu);
      return true;
    default: break;
  }
  // The rest act on the view's entries, which are shown.
  if (!toolbar) return false;
  const auto& items = toolbar->Items();
  switch (decision.Action) {
    case TKeyAction::Move:
      typeToSelect_.Reset();
      SelectEntry(*toolbar, MoveSelection(toolbar->Selected(), decision.Move, items.size(), toolbar->Columns()));
      break;
    case TKeyAction::ActivateSelected:
      if (toolbar->Selected() >= 0)
        DockItemExecute(TToolbarItem(items[static_cast<size_t>(toolbar->Selected())]), KeyHeld(VK_CONTROL),
                        KeyHeld(VK_SHIFT));
      break;
    case TKeyAction::GoBack: {
      const auto goBack = std::find_if(items.begin(), items.end(), [](const TToolbarItem& item) {
        return item.Kind == static_cast<int>(TEntryKind::GoBack);
      });
      if (goBack != items.end()) DockItemExecute(TToolbarItem(*goBack));
      break;
    }
    case TKeyAction::TypeToSelect: {
      std::vector<std::wstring> captions;
      captions.reserve(items.size());
      for (const TToolbarItem& item : items) captions.push_back(UpperCase(item.Caption));
      const int found = typeToSelect_.Type(UpperCase(std::wstring(1, static_cast<wchar_t>(code)))[0], now, captions,
                                           toolbar->Selected());
      if (found != kNoSelection) SelectEntry(*toolbar, found);
      break;
    }
    default: break;
  }
  return true;
}

TToolbar* TFormMain::KeyboardToolbar() {
  TToolbar* toolbar = ViewKind == TViewKind::Stack  ? &ToolbarStack
                      : ViewKind == TViewKind::Grid ? &ToolbarGrid
                                                    : nullptr;
  // Keys wait while a view slides or is rebuilt: its entries are hidden then.
  return toolbar && toolbar->Handle() && ::IsWindowVisible(toolbar->Handle()) ? toolbar : nullptr;
}

void TFormMain::ShowSelectedEntryMenu(bool extended) {
  if (TToolbar* toolbar = KeyboardToolbar(); toolbar && toolbar->Selected() >= 0)
    ShowEntryMenu(*toolbar, static_cast<std::size_t>(toolbar->Selected()), {-1, -1}, extended);
}

void TFormMain::SelectEntry(TToolbar& toolbar, int index) {
  // The keyboard is in use: focus cues show from now on.
  ::SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  toolbar.SetSelected(index);
}

void TFormMain::DockItemDescribe(const TToolbarItem& item, std::wstring* description, std::wstring* action) {
  if (action) *action = EntryActionName(DecideClick(item.Tag, ViewKind));
  if (!description) return;
  // The stack's entries are described by their path, the grid's by the
  // lines of their hint.
  *description = item.Hint;
  bool paintDefault = true;
  if (item.OnDrawHint) item.OnDrawHint(item, *description, paintDefault);
  if (!paintDefault) *description = item.Hint;
}
