// Integer rectangles and points, as the layout and drawing code share them:
// signed 32-bit edges, right and bottom exclusive.
#pragma once

#include <cstdint>

struct TRectI {
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  std::int32_t Width() const { return Right - Left; }
  std::int32_t Height() const { return Bottom - Top; }
};

struct TPointI {
  std::int32_t X = 0, Y = 0;
};

constexpr std::int32_t RectWidth(const TRectI& r) { return r.Right - r.Left; }
constexpr std::int32_t RectHeight(const TRectI& r) { return r.Bottom - r.Top; }

// A copy with each edge moved by its own delta; equal deltas shift the
// rectangle without resizing it.
constexpr TRectI MoveRectEdges(const TRectI& r, std::int32_t dl, std::int32_t dt, std::int32_t dr, std::int32_t db) {
  return {r.Left + dl, r.Top + dt, r.Right + dr, r.Bottom + db};
}

// The overlap of two rectangles; empty (zero size at a's corner) when they do
// not meet.
constexpr TRectI IntersectRects(const TRectI& a, const TRectI& b) {
  const std::int32_t left = a.Left > b.Left ? a.Left : b.Left;
  const std::int32_t top = a.Top > b.Top ? a.Top : b.Top;
  const std::int32_t right = a.Right < b.Right ? a.Right : b.Right;
  const std::int32_t bottom = a.Bottom < b.Bottom ? a.Bottom : b.Bottom;
  if (right <= left || bottom <= top) return {a.Left, a.Top, a.Left, a.Top};
  return {left, top, right, bottom};
}
