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

TRestPlacement PlaceBesideTaskbar(const TRectI& workArea, std::uint8_t taskbarEdge, TPointI cursor, std::int32_t width,
                                  std::int32_t height, std::int32_t previousLeft, std::int32_t previousTop) {
  // Worked in 64 bits so a cursor far off any monitor cannot overflow; the
  // clamps bring every result back beside the work area.
  const std::int64_t waLeft = workArea.Left, waTop = workArea.Top;
  const std::int64_t waRight = workArea.Right, waBottom = workArea.Bottom;
  std::int64_t w = width, h = height;
  std::int64_t left = previousLeft, top = previousTop;

  // Centred on the click along the taskbar, 4 pixels off the taskbar's side
  // of the work area. An unknown edge keeps the last rest position.
  switch (taskbarEdge) {
    case kEdgeLeft:
      left = waLeft + 4;
      top = cursor.Y - h / 2;
      break;
    case kEdgeTop:
      left = cursor.X - w / 2;
      top = waTop + 4;
      break;
    case kEdgeRight:
      left = waRight - w - 4;
      top = cursor.Y - h / 2;
      break;
    case kEdgeBottom:
      left = cursor.X - w / 2;
      top = waBottom - h - 4;
      break;
    default: break;
  }

  // Into the work area, 5 pixels from the edge crossed. The near edge wins, so
  // the 4-pixel gap beside a left or top taskbar becomes 5.
  if (left < waLeft + 5)
    left = waLeft + 5;
  else if (left + w > waRight)
    left = waRight - w - 5;
  if (top < waTop + 5)
    top = waTop + 5;
  else if (top + h > waBottom)
    top = waBottom - h - 5;

  // A window larger than the work area is shrunk to it.
  if (workArea.Width() < w) {
    w = static_cast<std::int64_t>(workArea.Width()) - 10;
    left = waLeft + 5;
  }
  if (workArea.Height() < h) {
    h = static_cast<std::int64_t>(workArea.Height()) - 5;
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
