#include "shared/ShellItem.h"

#include "shared/ExtraWinUtils.h"

HRESULT TShellItem::Bind(const std::wstring& path) {
  parent_.Reset();
  absolute_.Reset();
  child_ = nullptr;
  folderPath_.clear();
  if (path.empty()) return E_INVALIDARG;
  std::wstring usable = ShellUsablePath(path);
  // A drive alone ("C:") means its root, which the shell knows as "C:\".
  if (usable.size() == 2 && usable[1] == L':') usable += L'\\';
  // Checked first: the shell parses some names that are not there (it makes
  // up items for them), and an item that does not exist has no menu worth
  // showing.
  if (::GetFileAttributesW(usable.c_str()) == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    return HRESULT_FROM_WIN32(error ? error : ERROR_FILE_NOT_FOUND);
  }
  SFGAOF attributes = 0;
  HRESULT hr = ::SHParseDisplayName(usable.c_str(), nullptr, absolute_.Put(), 0, &attributes);
  if (FAILED(hr)) return hr;
  if (!absolute_) return E_FAIL;
  hr = ::SHBindToParent(absolute_.Get(), IID_IShellFolder, reinterpret_cast<void**>(parent_.GetAddressOf()), &child_);
  if (FAILED(hr)) return hr;
  if (!parent_ || !child_) return E_FAIL;
  const std::size_t slash = usable.find_last_of(L'\\');
  if (slash != std::wstring::npos && slash + 1 < usable.size()) folderPath_ = usable.substr(0, slash + 1);
  return S_OK;
}

HRESULT TShellItem::GetUIObject(HWND owner, REFIID riid, void** object) const {
  *object = nullptr;
  if (!parent_) return E_UNEXPECTED;
  LPCITEMIDLIST children[] = {child_};
  return parent_->GetUIObjectOf(owner, 1, children, riid, nullptr, object);
}
