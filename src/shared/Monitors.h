// The monitors of the desktop, in the order the system enumerates them.
#pragma once

#include <windows.h>

#include <vector>

#include "core/Placement.h"

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

inline TRectI ToRectI(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
