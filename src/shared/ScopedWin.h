// One small owner per kind of Windows resource. Each is move-only, releases
// its resource exactly once, and hands the raw value out through Get().
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <ole2.h>
#include <shtypes.h>

#include <cstdint>
#include <type_traits>
#include <utility>

template <typename T, typename Traits>
class TScoped {
public:
  TScoped() noexcept = default;
  explicit TScoped(T value) noexcept : value_(value) {}
  ~TScoped() { Reset(); }
  TScoped(const TScoped&) = delete;
  TScoped& operator=(const TScoped&) = delete;
  TScoped(TScoped&& other) noexcept : value_(other.Release()) {}
  TScoped& operator=(TScoped&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  T Get() const noexcept { return value_; }
  explicit operator bool() const noexcept { return Traits::IsValid(value_); }
  T Release() noexcept { return std::exchange(value_, Traits::Invalid()); }
  void Reset(T value = Traits::Invalid()) noexcept {
    if (Traits::IsValid(value_)) Traits::Close(value_);
    value_ = value;
  }
  // For out-parameters: frees the current value, gives the slot.
  T* Put() noexcept {
    Reset();
    return &value_;
  }

private:
  T value_ = Traits::Invalid();
};

// The traits of a kind of handle for TScoped: its type, the function that
// closes it, and the values that mean "none" (the first is what an empty
// owner holds). The values are integers because a handle such as
// INVALID_HANDLE_VALUE is a cast, which a template argument cannot be. Closer
// is taken with its calling convention (WINAPI on i686) as declared.
template <typename H, auto Closer, std::intptr_t... None>
struct TClosedBy {
  static_assert(sizeof...(None) > 0, "a handle needs a value that means none");
  static H Invalid() noexcept { return FromInteger(kNone[0]); }
  static bool IsValid(H h) noexcept { return ((h != FromInteger(None)) && ...); }
  static void Close(H h) noexcept { Closer(h); }

private:
  static constexpr std::intptr_t kNone[] = {None...};
  static H FromInteger(std::intptr_t value) noexcept {
    if constexpr (std::is_pointer_v<H>)
      return reinterpret_cast<H>(value);
    else
      return static_cast<H>(value);
  }
};

template <typename H, auto Closer, std::intptr_t... None>
using TScopedHandle = TScoped<H, TClosedBy<H, Closer, None...>>;

// CreateFile and CreateProcess answer INVALID_HANDLE_VALUE or NULL for none;
// FindFirstFile only the former.
using THandle = TScopedHandle<HANDLE, &::CloseHandle, 0, -1>;
using TFindHandle = TScopedHandle<HANDLE, &::FindClose, -1>;
using TRegKey = TScopedHandle<HKEY, &::RegCloseKey, 0>;
using TMemoryDC = TScopedHandle<HDC, &::DeleteDC, 0>;
using TFont = TScopedHandle<HFONT, &::DeleteObject, 0>;
using TBrush = TScopedHandle<HBRUSH, &::DeleteObject, 0>;
using TPen = TScopedHandle<HPEN, &::DeleteObject, 0>;
using TBitmap = TScopedHandle<HBITMAP, &::DeleteObject, 0>;
using TRegion = TScopedHandle<HRGN, &::DeleteObject, 0>;
using TIcon = TScopedHandle<HICON, &::DestroyIcon, 0>;
using TLibrary = TScopedHandle<HMODULE, &::FreeLibrary, 0>;
using TMenu = TScopedHandle<HMENU, &::DestroyMenu, 0>;  // a menu not attached to a window
// Not for the system's shared image lists.
using TImageListHandle = TScopedHandle<HIMAGELIST, &::ImageList_Destroy, 0>;
using TOwnedWindow = TScopedHandle<HWND, &::DestroyWindow, 0>;
using TCoTaskMem = TScopedHandle<void*, &::CoTaskMemFree, 0>;
// Item identifier lists from the shell, which allocates them with the COM task
// allocator.
using TPidl = TScopedHandle<ITEMIDLIST*, &::CoTaskMemFree, 0>;

// A window's device context (GetDC), the screen's for no window, released
// with ReleaseDC.
class TWindowDC {
public:
  explicit TWindowDC(HWND window = nullptr) noexcept : window_(window), dc_(::GetDC(window)) {}
  ~TWindowDC() { Reset(); }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  TWindowDC(TWindowDC&& other) noexcept
      : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
  TWindowDC& operator=(TWindowDC&& other) noexcept {
    if (this != &other) {
      Reset();
      window_ = std::exchange(other.window_, nullptr);
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }
  HDC Get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
  void Reset() noexcept {
    if (dc_) ::ReleaseDC(window_, dc_);
    dc_ = nullptr;
  }
  HWND window_;
  HDC dc_;
};
using TScreenDC = TWindowDC;

// Selects a GDI object into a device context for the scope.
class TSelectObject {
public:
  TSelectObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(object ? ::SelectObject(dc, object) : nullptr) {}
  ~TSelectObject() {
    if (old_) ::SelectObject(dc_, old_);
  }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

private:
  HDC dc_;
  HGDIOBJ old_;
};

// A storage medium that a data object filled (IDataObject::GetData), freed
// with ReleaseStgMedium (which frees the data, or releases the medium's owner
// that keeps it); an empty one holds TYMED_NULL.
class TStgMedium {
public:
  TStgMedium() noexcept = default;
  ~TStgMedium() { Reset(); }
  TStgMedium(const TStgMedium&) = delete;
  TStgMedium& operator=(const TStgMedium&) = delete;
  const STGMEDIUM& Get() const noexcept { return medium_; }
  // For GetData: frees the current medium, gives the slot.
  STGMEDIUM* Put() noexcept {
    Reset();
    return &medium_;
  }
  // An empty medium (TYMED_NULL, no owner) is left alone by ReleaseStgMedium.
  void Reset() noexcept {
    ::ReleaseStgMedium(&medium_);
    medium_ = STGMEDIUM{};
  }

private:
  STGMEDIUM medium_ = {};
};

// COM or OLE on this thread for the scope; undone only when it was done.
// Result() is the initialisation's answer, for the error message.
template <HRESULT (*Init)() noexcept, auto Uninit>
class TThreadInit {
public:
  TThreadInit() noexcept : hr_(Init()) {}
  ~TThreadInit() {
    if (SUCCEEDED(hr_)) Uninit();
  }
  TThreadInit(const TThreadInit&) = delete;
  TThreadInit& operator=(const TThreadInit&) = delete;
  HRESULT Result() const noexcept { return hr_; }

private:
  HRESULT hr_;
};

namespace scoped_win {
inline HRESULT InitComApartment() noexcept { return ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
inline HRESULT InitComMultithreaded() noexcept { return ::CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
inline HRESULT InitOle() noexcept { return ::OleInitialize(nullptr); }
}  // namespace scoped_win

// COM in a single-threaded apartment.
class TComInit : public TThreadInit<scoped_win::InitComApartment, &::CoUninitialize> {};
// COM in the multithreaded apartment, for worker threads that run no message
// loop (the grid's thumbnail workers).
class TComInitMultithreaded : public TThreadInit<scoped_win::InitComMultithreaded, &::CoUninitialize> {};
// OLE, which dragging and the clipboard need beyond plain COM (it enters a
// single-threaded apartment too).
class TOleInit : public TThreadInit<scoped_win::InitOle, &::OleUninitialize> {};
