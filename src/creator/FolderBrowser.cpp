#include "creator/FolderBrowser.h"

#include <shlobj.h>

#include "core/base/Errors.h"
#include "shared/ScopedWin.h"
#include "toolkit/Application.h"

UINT ShellBrowseFlags(unsigned browseFlags) {
  UINT flags = 0;
  if (browseFlags & bfComputersOnly) flags |= BIF_BROWSEFORCOMPUTER;
  if (browseFlags & bfPrintersOnly) flags |= BIF_BROWSEFORPRINTER;
  if (browseFlags & bfDirsOnly) flags |= BIF_RETURNONLYFSDIRS;
  if (browseFlags & bfStatusText) flags |= BIF_STATUSTEXT;
  return flags;
}

TFolderBrowser::TFolderBrowser(HWND owner) : owner_(owner) {
  if (!owner || !::IsWindow(owner)) throw EError(L"I need WinControl!!!");
}

int CALLBACK TFolderBrowser::Callback(HWND dialog, UINT message, LPARAM lParam, LPARAM data) {
  auto* self = reinterpret_cast<TFolderBrowser*>(data);
  try {
    if (message == BFFM_INITIALIZED) {
      ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(self->Folder.c_str()));
    } else if (message == BFFM_SELCHANGED && self->OnChangeFolder) {
      wchar_t path[MAX_PATH] = {};
      if (lParam && ::SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path) && path[0]) {
        int enabledOk = -1;
        std::wstring statusText;
        self->OnChangeFolder(path, enabledOk, statusText);
        if (enabledOk != -1) ::SendMessageW(dialog, BFFM_ENABLEOK, static_cast<WPARAM>(enabledOk), enabledOk);
        if (!statusText.empty()) {
          ::SendMessageW(dialog, BFFM_SETSTATUSTEXTW, static_cast<WPARAM>(enabledOk),
                         reinterpret_cast<LPARAM>(statusText.c_str()));
        }
      }
    }
  } catch (const std::exception&) {
    // Nothing may cross the shell's dialog: the handler's error (its own or
    // memory) is reported over the dialog, and the selection stays as it is.
    TApplication::Instance().HandleCurrentException(dialog);
  }
  return 0;
}

bool TFolderBrowser::Execute() {
  wchar_t displayName[MAX_PATH] = {};
  BROWSEINFOW info = {};
  info.hwndOwner = owner_;
  info.pidlRoot = nullptr;
  info.pszDisplayName = displayName;
  info.lpszTitle = Title.c_str();
  info.ulFlags = ShellBrowseFlags(BrowseFlags);
  info.lpfn = &TFolderBrowser::Callback;
  info.lParam = reinterpret_cast<LPARAM>(this);
  const TPidl chosen(::SHBrowseForFolderW(&info));
  if (!chosen) return false;
  wchar_t path[MAX_PATH] = {};
  ::SHGetPathFromIDListW(chosen.Get(), path);
  Folder = path;
  return true;
}
