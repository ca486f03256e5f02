#include "shared/ShellItemMenu.h"

#include <commctrl.h>
#include <shellapi.h>

using Microsoft::WRL::ComPtr;

namespace {

// The menu's command identifiers: 0 is "nothing chosen" for TrackPopupMenuEx.
constexpr UINT kFirstCommand = 1;
constexpr UINT kLastCommand = 0x7FFF;
constexpr UINT_PTR kSubclassId = 0x5348;  // any number of ours, one subclass at a time

bool KeyDown(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

// The owner's messages reach the handler for as long as the menu is up.
LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  LRESULT result = 0;
  if (reinterpret_cast<const TShellItemMenu*>(data)->HandleMenuMessage(message, wParam, lParam, result)) return result;
  return ::DefSubclassProc(window, message, wParam, lParam);
}

class TOwnerSubclass {
public:
  TOwnerSubclass(HWND owner, const TShellItemMenu& menu)
      : owner_(owner),
        set_(::SetWindowSubclass(owner, OwnerProc, kSubclassId, reinterpret_cast<DWORD_PTR>(&menu)) != FALSE) {}
  ~TOwnerSubclass() {
    if (set_) ::RemoveWindowSubclass(owner_, OwnerProc, kSubclassId);
  }
  TOwnerSubclass(const TOwnerSubclass&) = delete;
  TOwnerSubclass& operator=(const TOwnerSubclass&) = delete;

private:
  HWND owner_;
  bool set_;
};

std::wstring Widen(const char* text) {
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 1) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
  wide.resize(static_cast<std::size_t>(length - 1));
  return wide;
}

}  // namespace

HRESULT TShellItemMenu::Load(HWND owner, const std::wstring& path, bool extended) {
  // A menu that could not be loaded whole is not there at all.
  const auto fail = [this](HRESULT hr) {
    handler_.Reset();
    handler2_.Reset();
    handler3_.Reset();
    menu_.Reset();
    return hr;
  };
  fail(S_OK);
  HRESULT hr = item_.Bind(path);
  if (FAILED(hr)) return fail(hr);
  hr = item_.GetUIObject(owner, handler_);
  if (FAILED(hr)) return fail(hr);
  if (!handler_) return fail(E_NOINTERFACE);
  handler_.As(&handler2_);
  handler_.As(&handler3_);
  menu_.Reset(::CreatePopupMenu());
  if (!menu_) return fail(HRESULT_FROM_WIN32(::GetLastError()));
  const UINT flags = CMF_NORMAL | (extended ? CMF_EXTENDEDVERBS : 0);
  hr = handler_->QueryContextMenu(menu_.Get(), 0, kFirstCommand, kLastCommand, flags);
  if (FAILED(hr)) return fail(hr);
  return S_OK;
}

std::wstring TShellItemMenu::VerbOf(UINT command) const {
  if (!handler_ || command < kFirstCommand || command > kLastCommand) return std::wstring();
  const UINT_PTR offset = command - kFirstCommand;
  // Handlers answer in either character set; some answer neither.
  wchar_t wide[MAX_PATH] = {};
  if (SUCCEEDED(handler_->GetCommandString(offset, GCS_VERBW, nullptr, reinterpret_cast<LPSTR>(wide), MAX_PATH))) {
    wide[MAX_PATH - 1] = L'\0';
    if (wide[0]) return wide;
  }
  char narrow[MAX_PATH] = {};
  if (SUCCEEDED(handler_->GetCommandString(offset, GCS_VERBA, nullptr, narrow, MAX_PATH))) {
    narrow[MAX_PATH - 1] = '\0';
    return Widen(narrow);
  }
  return std::wstring();
}

void TShellItemMenu::AddVerbs(HMENU menu, std::vector<std::wstring>& verbs) const {
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) || (info.fType & MFT_SEPARATOR)) continue;
    if (info.hSubMenu) {
      AddVerbs(info.hSubMenu, verbs);
      continue;
    }
    const std::wstring verb = VerbOf(info.wID);
    if (!verb.empty()) verbs.push_back(verb);
  }
}

std::vector<std::wstring> TShellItemMenu::Verbs() const {
  std::vector<std::wstring> verbs;
  if (menu_) AddVerbs(menu_.Get(), verbs);
  return verbs;
}

HRESULT TShellItemMenu::Invoke(UINT command, HWND owner, POINT at) const {
  if (!handler_ || command < kFirstCommand || command > kLastCommand) return E_INVALIDARG;
  CMINVOKECOMMANDINFOEX info = {};
  info.cbSize = sizeof(info);
  // No CMIC_MASK_ASYNCOK: the verb has done its work when the call returns,
  // so the process may end afterwards.
  info.fMask = CMIC_MASK_UNICODE | CMIC_MASK_PTINVOKE;
  if (KeyDown(VK_SHIFT)) info.fMask |= CMIC_MASK_SHIFT_DOWN;
  if (KeyDown(VK_CONTROL)) info.fMask |= CMIC_MASK_CONTROL_DOWN;
  info.hwnd = owner;
  const UINT_PTR offset = command - kFirstCommand;
  info.lpVerb = MAKEINTRESOURCEA(offset);
  info.lpVerbW = MAKEINTRESOURCEW(offset);
  const std::wstring& folder = item_.FolderPath();
  if (!folder.empty()) info.lpDirectoryW = folder.c_str();
  info.nShow = SW_SHOWNORMAL;
  info.ptInvoke = at;
  return handler_->InvokeCommand(reinterpret_cast<LPCMINVOKECOMMANDINFO>(&info));
}

HRESULT TShellItemMenu::InvokeVerb(const std::string& verb, HWND owner) const {
  if (!handler_ || verb.empty()) return E_INVALIDARG;
  const std::wstring wideVerb = Widen(verb.c_str());
  CMINVOKECOMMANDINFOEX info = {};
  info.cbSize = sizeof(info);
  info.fMask = CMIC_MASK_UNICODE;
  info.hwnd = owner;
  info.lpVerb = verb.c_str();
  info.lpVerbW = wideVerb.c_str();
  const std::wstring& folder = item_.FolderPath();
  if (!folder.empty()) info.lpDirectoryW = folder.c_str();
  info.nShow = SW_SHOWNORMAL;
  return handler_->InvokeCommand(reinterpret_cast<LPCMINVOKECOMMANDINFO>(&info));
}

bool TShellItemMenu::Holds(HMENU menu) const {
  if (!menu || !menu_) return false;
  if (menu == menu_.Get()) return true;
  // Sub-menus the handler made hang somewhere below the menu.
  std::vector<HMENU> pending = {menu_.Get()};
  while (!pending.empty()) {
    const HMENU current = pending.back();
    pending.pop_back();
    const int count = ::GetMenuItemCount(current);
    for (int i = 0; i < count; ++i) {
      const HMENU sub = ::GetSubMenu(current, i);
      if (sub == menu) return true;
      if (sub) pending.push_back(sub);
    }
  }
  return false;
}

bool TShellItemMenu::HandleMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) const {
  // Only this menu's messages: the owner's other menus keep theirs.
  switch (message) {
    case WM_MENUCHAR:
      // Only the newest interface answers typed letters of owner-drawn items.
      return Holds(reinterpret_cast<HMENU>(lParam)) && handler3_ &&
             handler3_->HandleMenuMsg2(message, wParam, lParam, &result) == S_OK;
    case WM_DRAWITEM: {
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (draw->CtlType != ODT_MENU || !Holds(reinterpret_cast<HMENU>(draw->hwndItem))) return false;
      result = TRUE;
      break;
    }
    case WM_MEASUREITEM: {
      // No menu to tell by: the items measured while this menu is up are its own.
      const auto* measure = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
      if (measure->CtlType != ODT_MENU || measure->itemID < kFirstCommand || measure->itemID > kLastCommand)
        return false;
      result = TRUE;
      break;
    }
    case WM_INITMENUPOPUP:
      if (!Holds(reinterpret_cast<HMENU>(wParam))) return false;
      result = 0;
      break;
    default: return false;
  }
  if (handler3_) {
    LRESULT ignored = 0;
    return SUCCEEDED(handler3_->HandleMenuMsg2(message, wParam, lParam, &ignored));
  }
  return handler2_ && SUCCEEDED(handler2_->HandleMenuMsg(message, wParam, lParam));
}

bool VerbShowsItsOwnWindow(const std::wstring& verb) {
  return !verb.empty() && ::lstrcmpiW(verb.c_str(), L"properties") == 0;
}

UINT TShellItemMenu::Track(HWND owner, POINT screen) const {
  if (!menu_) return 0;
  const TOwnerSubclass forwarding(owner, *this);
  // A menu whose owner is not in the foreground stays up when the user
  // clicks elsewhere; the posted message lets it close at once when the
  // owner goes on (the system's documented way round both).
  ::SetForegroundWindow(owner);
  const UINT command = static_cast<UINT>(
      ::TrackPopupMenuEx(menu_.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, owner, nullptr));
  ::PostMessageW(owner, WM_NULL, 0, 0);
  return command;
}

TShellMenuResult RunShellMenuCommand(const TShellItemMenu& menu, UINT command, HWND owner, POINT at) {
  TShellMenuResult outcome;
  if (command == 0) return outcome;
  outcome.Verb = menu.VerbOf(command);
  const HRESULT hr = menu.Invoke(command, owner, at);
  if (hr == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return outcome;  // the verb's own dialog was cancelled
  if (FAILED(hr)) {
    outcome.Outcome = TShellMenuOutcome::Failed;
    outcome.Error = hr;
    return outcome;
  }
  outcome.Outcome = TShellMenuOutcome::VerbRan;
  return outcome;
}

TShellMenuResult ShowShellItemMenu(HWND owner, const std::wstring& path, POINT screen, bool extended) {
  TShellItemMenu menu;
  const HRESULT hr = menu.Load(owner, path, extended);
  if (FAILED(hr)) {
    TShellMenuResult outcome;
    outcome.Outcome = TShellMenuOutcome::Failed;
    outcome.Error = hr;
    return outcome;
  }
  return RunShellMenuCommand(menu, menu.Track(owner, screen), owner, screen);
}
