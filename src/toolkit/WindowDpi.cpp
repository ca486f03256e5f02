#include "toolkit/WindowDpi.h"

#include <richedit.h>

#include "core/base/Dpi.h"
#include "shared/ScopedWin.h"

namespace {

using TGetDpiForWindow = UINT(WINAPI*)(HWND);
using TGetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using TAdjustWindowRectExForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

template <typename F>
F LookUp(HMODULE module, const char* name) {
  // Through void(*)() so the cast between function types stays warning-free.
  return module ? reinterpret_cast<F>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name))) : nullptr;
}

HMODULE User32() { return ::GetModuleHandleW(L"user32.dll"); }

// shcore.dll stays loaded for the program's life once asked for.
TGetDpiForMonitor GetDpiForMonitorFunction() {
  static const TLibrary shcore(::LoadLibraryW(L"shcore.dll"));
  static const auto function = LookUp<TGetDpiForMonitor>(shcore.Get(), "GetDpiForMonitor");
  return function;
}

int ScreenDpi() {
  const TScreenDC screen;
  const int dpi = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
  return dpi > 0 ? dpi : kDesignDpi;
}

int MonitorDpi(HMONITOR monitor) {
  if (const auto getDpiForMonitor = GetDpiForMonitorFunction()) {
    UINT x = 0, y = 0;
    if (monitor && SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && y > 0) return static_cast<int>(y);
  }
  return ScreenDpi();
}

}  // namespace

int WindowDpi(HWND window) {
  static const auto getDpiForWindow = LookUp<TGetDpiForWindow>(User32(), "GetDpiForWindow");
  if (getDpiForWindow && window) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return MonitorDpi(window ? ::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST) : nullptr);
}

int DpiOfArea(const RECT& area) { return MonitorDpi(::MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST)); }

SIZE OuterSizeForClientAtDpi(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi) {
  static const auto adjustForDpi = LookUp<TAdjustWindowRectExForDpi>(User32(), "AdjustWindowRectExForDpi");
  RECT r = {0, 0, clientWidth, clientHeight};
  if (!adjustForDpi || !adjustForDpi(&r, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    r = {0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
  }
  return {r.right - r.left, r.bottom - r.top};
}

void ZoomRichEditForDpi(HWND richEdit, int dpi) {
  const int screenDpi = ScreenDpi();
  const bool zoom = dpi > 0 && dpi != screenDpi;
  // A control at the screen's DPI that was never zoomed is left alone; one
  // zoomed before is set back to no zoom (0 / 0).
  int numerator = 0, denominator = 0;
  if (!zoom && (!::SendMessageW(richEdit, EM_GETZOOM, reinterpret_cast<WPARAM>(&numerator),
                                reinterpret_cast<LPARAM>(&denominator)) ||
                numerator == 0 || numerator == denominator))
    return;
  ::SendMessageW(richEdit, EM_SETZOOM, zoom ? static_cast<WPARAM>(dpi) : 0, zoom ? screenDpi : 0);
}
