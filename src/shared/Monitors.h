// The monitors of the desktop, in the order the system enumerates them.
#pragma once

#include <windows.h>

#include <vector>

#include "core/viewer/Placement.h"

struct TMonitor {
  HMONITOR Handle = nullptr;
  TRectI Bounds;
  TRectI WorkArea;
};

std::vector<TMonitor> EnumerateMonitors();
// Index into EnumerateMonitors() of the monitor nearest to a screen point.
int MonitorIndexNearest(const POINT& point);
// Work area of a monitor by index; the primary work area when the index is stale.
TRectI MonitorWorkArea(int index);
// Centres a window by its outer size on the work area of the monitor under the
// cursor as it is now; gives that monitor's index. insertAfter as for
// SetWindowPos (nullptr keeps the z-order).
int CentreOnMonitorUnderCursor(HWND window, HWND insertAfter = nullptr);

inline TRectI ToRectI(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The DPI of a monitor as a program aware of each monitor's DPI sees it:
// GetDpiForMonitor where the system has it (Windows 8.1 and later), else the
// system's DPI, which every monitor shares there. Looked up at run time.
int MonitorDpi(HMONITOR monitor);
// The DPI of a monitor by index into EnumerateMonitors(); the system's DPI
// when the index is stale.
int MonitorDpiByIndex(int index);
// The system's DPI: GetDpiForSystem (Windows 10), else the screen's
// LOGPIXELSY.
int SystemDpi();
