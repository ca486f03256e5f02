// Where the viewer's windows go and which view fits: pure geometry.
#pragma once

#include <cstdint>

#include "core/base/Rect.h"
#include "core/viewer/ViewMetrics.h"

// Height of one stack entry in pixels, and the room kept free on the work
// area when deciding whether a stack fits at all, at 96 DPI.
constexpr std::int32_t kStackEntryHeight = kDesignMetrics.StackEntryHeight;
constexpr std::int32_t kStackFitMargin = kDesignMetrics.StackFitMargin;

// A stack whose entries would not fit the work area's height opens as a grid
// instead. Go-back and Explore entries are not counted.
bool StackFallsBackToGrid(std::int32_t workAreaHeight, long long entryCount,
                          const TViewMetrics& metrics = kDesignMetrics);

// Top-left corner that centres a window of the given outer size on a work
// area, each half truncated toward zero.
TPointI CentreOnWorkArea(const TRectI& workArea, std::int32_t width, std::int32_t height);

// Taskbar edges as the shell numbers them.
enum : std::uint8_t { kEdgeLeft = 0, kEdgeTop = 1, kEdgeRight = 2, kEdgeBottom = 3 };

// The resting place of a stack or grid window beside the taskbar, centred on
// the click along the taskbar, clamped into the work area; a window too wide
// or too tall for the work area is shrunk to fit. The gaps (4 beside the
// taskbar, 5 from the edges) are the metrics'.
struct TRestPlacement {
  std::int32_t RestLeft = 0;
  std::int32_t RestTop = 0;
  std::int32_t Width = 0;  // outer size, possibly shrunk
  std::int32_t Height = 0;
};
TRestPlacement PlaceBesideTaskbar(const TRectI& workArea, std::uint8_t taskbarEdge, TPointI cursor, std::int32_t width,
                                  std::int32_t height, std::int32_t previousLeft, std::int32_t previousTop,
                                  const TViewMetrics& metrics = kDesignMetrics);
