#include "core/viewer/Placement.h"

bool StackFallsBackToGrid(std::int32_t workAreaHeight, long long entryCount, const TViewMetrics& metrics) {
  // Compared in 64 bits: a huge folder must not wrap the product around.
  // Beyond any folder's size the product would overflow: such a count is
  // crowded whatever the height.
  if (entryCount > (1LL << 40)) return true;
  return static_cast<long long>(workAreaHeight) - metrics.StackFitMargin < entryCount * metrics.StackEntryHeight;
}

TPointI CentreOnWorkArea(const TRectI& workArea, std::int32_t width, std::int32_t height) {
  // Integer division truncates toward zero, also for a window larger than the
  // work area (a negative half).
  return {workArea.Left + (workArea.Width() - width) / 2, workArea.Top + (workArea.Height() - height) / 2};
}

TRestPlacement PlaceBesideTaskbar(const TRectI& workArea, std::uint8_t taskbarEdge, TPointI cursor, std::int32_t width,
                                  std::int32_t height, std::int32_t previousLeft, std::int32_t previousTop,
                                  const TViewMetrics& metrics) {
  // Worked in 64 bits so a cursor far off any monitor cannot overflow; the
  // clamps bring every result back beside the work area.
  const std::int64_t waLeft = workArea.Left, waTop = workArea.Top;
  const std::int64_t waRight = workArea.Right, waBottom = workArea.Bottom;
  std::int64_t w = width, h = height;
  std::int64_t left = previousLeft, top = previousTop;
  const std::int64_t gap = metrics.TaskbarGap, margin = metrics.EdgeMargin;

  // Centred on the click along the taskbar, 4 pixels off the taskbar's side
  // of the work area. An unknown edge keeps the last rest position.
  switch (taskbarEdge) {
    case kEdgeLeft:
      left = waLeft + gap;
      top = cursor.Y - h / 2;
      break;
    case kEdgeTop:
      left = cursor.X - w / 2;
      top = waTop + gap;
      break;
    case kEdgeRight:
      left = waRight - w - gap;
      top = cursor.Y - h / 2;
      break;
    case kEdgeBottom:
      left = cursor.X - w / 2;
      top = waBottom - h - gap;
      break;
    default: break;
  }

  // Into the work area, 5 pixels from the edge crossed. The near edge wins, so
  // the 4-pixel gap beside a left or top taskbar becomes 5.
  if (left < waLeft + margin)
    left = waLeft + margin;
  else if (left + w > waRight)
    left = waRight - w - margin;
  if (top < waTop + margin)
    top = waTop + margin;
  else if (top + h > waBottom)
    top = waBottom - h - margin;

  // A window larger than the work area is shrunk to it.
  if (workArea.Width() < w) {
    w = static_cast<std::int64_t>(workArea.Width()) - 2 * margin;
    left = waLeft + margin;
  }
  if (workArea.Height() < h) {
    h = static_cast<std::int64_t>(workArea.Height()) - margin;
    top = waTop;
  }

  // A window within a few pixels of the work area's size is not shrunk above,
  // yet the clamps keep 5 pixels off one side, so it would cross the other
  // edge (under a bottom taskbar: over the taskbar). Cut it to the work area.
  if (left < waLeft) {
    w -= waLeft - left;
    left = waLeft;
  }
  if (left + w > waRight) w = waRight - left;
  if (top < waTop) {
    h -= waTop - top;
    top = waTop;
  }
  if (top + h > waBottom) h = waBottom - top;

  return {static_cast<std::int32_t>(left), static_cast<std::int32_t>(top), static_cast<std::int32_t>(w),
          static_cast<std::int32_t>(h)};
}
