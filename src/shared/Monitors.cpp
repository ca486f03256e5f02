#include "shared/Monitors.h"

#include "shared/ScopedWin.h"

namespace {

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto* monitors = reinterpret_cast<std::vector<TMonitor>*>(data);
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  if (::GetMonitorInfoW(monitor, &info)) {
    monitors->push_back({monitor, ToRectI(info.rcMonitor), ToRectI(info.rcWork)});
  }
  return TRUE;
}

}  // namespace

std::vector<TMonitor> EnumerateMonitors() {
  std::vector<TMonitor> monitors;
  ::EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

int MonitorIndexNearest(const POINT& point) {
  const HMONITOR nearest = ::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
  const auto monitors = EnumerateMonitors();
  for (size_t i = 0; i < monitors.size(); ++i) {
    if (monitors[i].Handle == nearest) return static_cast<int>(i);
  }
  return 0;
}

int CentreOnMonitorUnderCursor(HWND window, HWND insertAfter) {
  POINT cursor = {0, 0};
  ::GetCursorPos(&cursor);
  const int monitor = MonitorIndexNearest(cursor);
  RECT outer = {};
  ::GetWindowRect(window, &outer);
  const TPointI at = CentreOnWorkArea(MonitorWorkArea(monitor), outer.right - outer.left, outer.bottom - outer.top);
  ::SetWindowPos(window, insertAfter, at.X, at.Y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | (insertAfter ? 0 : SWP_NOZORDER));
  return monitor;
}

TRectI MonitorWorkArea(int index) {
  const auto monitors = EnumerateMonitors();
  if (index >= 0 && static_cast<size_t>(index) < monitors.size()) return monitors[static_cast<size_t>(index)].WorkArea;
  RECT work = {};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return ToRectI(work);
}

namespace {

// MDT_EFFECTIVE_DPI: the DPI the monitor's scale factor stands for.
constexpr int kEffectiveDpi = 0;
using TGetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using TGetDpiForSystem = UINT(WINAPI*)();

// shcore.dll is not there before Windows 8.1; once loaded it stays for the
// process, as the user-interface libraries do.
TGetDpiForMonitor GetDpiForMonitorFunction() {
  static const TGetDpiForMonitor function = [] {
    const HMODULE shcore = ::LoadLibraryW(L"shcore.dll");
    return shcore ? reinterpret_cast<TGetDpiForMonitor>(
                        reinterpret_cast<void*>(::GetProcAddress(shcore, "GetDpiForMonitor")))
                  : nullptr;
  }();
  return function;
}

template <typename TFunction>
TFunction User32Function(const char* name) {
  return reinterpret_cast<TFunction>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

int SystemDpi() {
  static const auto getDpiForSystem = User32Function<TGetDpiForSystem>("GetDpiForSystem");
  if (getDpiForSystem) {
    const UINT dpi = getDpiForSystem();
    if (dpi > 0) return static_cast<int>(dpi);
  }
  const TScreenDC screen;
  const int dpi = screen ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : 96;
}

int MonitorDpi(HMONITOR monitor) {
  if (monitor) {
    if (const TGetDpiForMonitor getDpiForMonitor = GetDpiForMonitorFunction()) {
      UINT x = 0, y = 0;
      if (SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && y > 0) return static_cast<int>(y);
    }
  }
  return SystemDpi();
}

int MonitorDpiByIndex(int index) {
  const auto monitors = EnumerateMonitors();
  if (index < 0 || static_cast<size_t>(index) >= monitors.size()) return SystemDpi();
  return MonitorDpi(monitors[static_cast<size_t>(index)].Handle);
}
