#include "shared/Monitors.h"

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
  ::SetWindowPos(window, insertAfter, at.X, at.Y, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | (insertAfter ? 0 : SWP_NOZORDER));
  return monitor;
}

TRectI MonitorWorkArea(int index) {
  const auto monitors = EnumerateMonitors();
  if (index >= 0 && static_cast<size_t>(index) < monitors.size()) return monitors[static_cast<size_t>(index)].WorkArea;
  RECT work = {};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return ToRectI(work);
}
