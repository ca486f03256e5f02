// A file or folder of the file system as the shell's namespace holds it: its
// parent folder and its identifier there, from which the shell hands out the
// item's own objects (its context menu, its data object for dragging).
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <string>

#include "shared/ScopedWin.h"

class TShellItem {
public:
  // Finds path in the shell's namespace; an error HRESULT when the path is
  // not there (vanished, unreadable, malformed). Paths of MAX_PATH characters
  // or more are looked up by their short form.
  HRESULT Bind(const std::wstring& path);

  // The item's object of interface riid (IContextMenu, IDataObject, ...)
  // from its parent folder; owner is the window of any user interface the
  // folder shows.
  HRESULT GetUIObject(HWND owner, REFIID riid, void** object) const;
  template <typename T>
  HRESULT GetUIObject(HWND owner, Microsoft::WRL::ComPtr<T>& object) const {
    return GetUIObject(owner, __uuidof(T), reinterpret_cast<void**>(object.ReleaseAndGetAddressOf()));
  }

  // The folder that holds the item, as a path (empty for items outside the
  // file system, such as a drive's parent).
  const std::wstring& FolderPath() const { return folderPath_; }

private:
  Microsoft::WRL::ComPtr<IShellFolder> parent_;
  TPidl absolute_;
  LPCITEMIDLIST child_ = nullptr;  // the last part of absolute_
  std::wstring folderPath_;
};
