#include "core/Placement.h"

bool StackFallsBackToGrid(std::int32_t workAreaHeight, long long entryCount) {
  // Compared in 64 bits: a huge folder must not wrap the product around.
  return static_cast<long long>(workAreaHeight) - kStackFitMargin < entryCount * kStackEntryHeight;
}

TPointI CentreOnWorkArea(const TRectI& workArea, std::int32_t width, std::int32_t height) {
  // Integer division truncates toward zero, also for a window larger than the
  // work area (a negative half).
  return {workArea.Left + (workArea.Width() - width) / 2, workArea.Top + (workArea.Height() - height) / 2};
}
