// One small owner per kind of Windows resource. Each is move-only, releases
// its resource exactly once, and hands the raw value out through Get().
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shtypes.h>

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

struct THandleTraits {  // CreateFile, CreateProcess: INVALID_HANDLE_VALUE or NULL mean none
  static HANDLE Invalid() noexcept { return nullptr; }
  static bool IsValid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
struct TFindTraits {
  static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static bool IsValid(HANDLE h) noexcept { return h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) noexcept { ::FindClose(h); }
};
struct TRegKeyTraits {
  static HKEY Invalid() noexcept { return nullptr; }
  static bool IsValid(HKEY k) noexcept { return k != nullptr; }
  static void Close(HKEY k) noexcept { ::RegCloseKey(k); }
};
template <typename G>
struct TGdiTraits {
  static G Invalid() noexcept { return nullptr; }
  static bool IsValid(G g) noexcept { return g != nullptr; }
  static void Close(G g) noexcept { ::DeleteObject(g); }
};
struct TIconTraits {
  static HICON Invalid() noexcept { return nullptr; }
  static bool IsValid(HICON h) noexcept { return h != nullptr; }
  static void Close(HICON h) noexcept { ::DestroyIcon(h); }
};
struct TModuleTraits {
  static HMODULE Invalid() noexcept { return nullptr; }
  static bool IsValid(HMODULE h) noexcept { return h != nullptr; }
  static void Close(HMODULE h) noexcept { ::FreeLibrary(h); }
};
struct TWindowTraits {
  static HWND Invalid() noexcept { return nullptr; }
  static bool IsValid(HWND h) noexcept { return h != nullptr; }
  static void Close(HWND h) noexcept { ::DestroyWindow(h); }
};
struct TCoTaskMemTraits {
  static void* Invalid() noexcept { return nullptr; }
  static bool IsValid(void* p) noexcept { return p != nullptr; }
  static void Close(void* p) noexcept { ::CoTaskMemFree(p); }
};

struct TMenuTraits {
  static HMENU Invalid() noexcept { return nullptr; }
  static bool IsValid(HMENU m) noexcept { return m != nullptr; }
  static void Close(HMENU m) noexcept { ::DestroyMenu(m); }
};

struct TImageListTraits {
  static HIMAGELIST Invalid() noexcept { return nullptr; }
  static bool IsValid(HIMAGELIST l) noexcept { return l != nullptr; }
  static void Close(HIMAGELIST l) noexcept { ::ImageList_Destroy(l); }
};

struct TMemoryDcTraits {
  static HDC Invalid() noexcept { return nullptr; }
  static bool IsValid(HDC dc) noexcept { return dc != nullptr; }
  static void Close(HDC dc) noexcept { ::DeleteDC(dc); }
};

// Item identifier lists from the shell, which allocates them with the COM task
// allocator.
struct TPidlTraits {
  static ITEMIDLIST* Invalid() noexcept { return nullptr; }
  static bool IsValid(ITEMIDLIST* p) noexcept { return p != nullptr; }
  static void Close(ITEMIDLIST* p) noexcept { ::CoTaskMemFree(p); }
};

using THandle = TScoped<HANDLE, THandleTraits>;
using TMemoryDC = TScoped<HDC, TMemoryDcTraits>;
using TFindHandle = TScoped<HANDLE, TFindTraits>;
using TRegKey = TScoped<HKEY, TRegKeyTraits>;
using TFont = TScoped<HFONT, TGdiTraits<HFONT>>;
using TBrush = TScoped<HBRUSH, TGdiTraits<HBRUSH>>;
using TPen = TScoped<HPEN, TGdiTraits<HPEN>>;
using TBitmap = TScoped<HBITMAP, TGdiTraits<HBITMAP>>;
using TIcon = TScoped<HICON, TIconTraits>;
using TLibrary = TScoped<HMODULE, TModuleTraits>;
using TMenu = TScoped<HMENU, TMenuTraits>;                       // a menu not attached to a window
using TImageListHandle = TScoped<HIMAGELIST, TImageListTraits>;  // not the system's shared lists
using TOwnedWindow = TScoped<HWND, TWindowTraits>;
using TCoTaskMem = TScoped<void*, TCoTaskMemTraits>;
using TPidl = TScoped<ITEMIDLIST*, TPidlTraits>;

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

// COM on this thread for the scope: single-threaded apartment.
class TComInit {
public:
  TComInit() noexcept : hr_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~TComInit() {
    if (SUCCEEDED(hr_)) ::CoUninitialize();
  }
  TComInit(const TComInit&) = delete;
  TComInit& operator=(const TComInit&) = delete;
  HRESULT Result() const noexcept { return hr_; }

private:
  HRESULT hr_;
};
