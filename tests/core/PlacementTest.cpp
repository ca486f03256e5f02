#include "core/viewer/Placement.h"

#include <gtest/gtest.h>

TEST(Placement, RestPositionBesideEachTaskbarEdge) {
  struct {
    const char* what;
    TRectI wa;
    std::uint8_t edge;
    TPointI cursor;
    std::int32_t w, h, prevLeft, prevTop;
    TRestPlacement want;
  } cases[] = {
      {"bottom", {0, 0, 1920, 1040}, kEdgeBottom, {700, 1060}, 274, 400, 0, 0, {563, 636, 274, 400}},
      {"left: 4 becomes 5", {60, 0, 1920, 1080}, kEdgeLeft, {30, 500}, 274, 400, 0, 0, {65, 300, 274, 400}},
      {"right, clamped above", {0, 0, 1860, 1080}, kEdgeRight, {1890, 1070}, 274, 400, 0, 0, {1582, 675, 274, 400}},
      {"top, clamped right of the edge", {0, 40, 1920, 1080}, kEdgeTop, {10, 20}, 274, 400, 0, 0, {5, 45, 274, 400}},
      {"unknown edge keeps the last place", {0, 0, 1920, 1040}, 7, {0, 0}, 274, 400, 100, 90, {100, 90, 274, 400}},
      {"unknown edge, last place clamped", {0, 0, 1920, 1040}, 7, {0, 0}, 274, 400, 3000, -50, {1641, 5, 274, 400}},
      {"monitor left of the primary",
       {-1920, 0, 0, 1040},
       kEdgeBottom,
       {-1000, 1060},
       274,
       400,
       0,
       0,
       {-1137, 636, 274, 400}},
      {"monitor above the primary",
       {0, -1080, 1920, -40},
       kEdgeBottom,
       {960, -20},
       274,
       400,
       0,
       0,
       {823, -444, 274, 400}},
      {"too wide shrinks", {0, 0, 800, 600}, kEdgeBottom, {400, 620}, 1000, 400, 0, 0, {5, 196, 790, 400}},
      {"too tall shrinks to the top",
       {0, 0, 1920, 1040},
       kEdgeBottom,
       {700, 1060},
       1604,
       1404,
       0,
       0,
       {5, 0, 1604, 1035}},
      // A stack cut to the work area's height less 4: the clamp keeps 5
      // pixels above it, and it is cut so it does not cover the taskbar.
      {"within 5 pixels of the height",
       {0, 0, 1920, 1040},
       kEdgeBottom,
       {700, 1060},
       274,
       1036,
       0,
       0,
       {563, 5, 274, 1035}},
      {"within 5 pixels of the width", {0, 0, 800, 600}, kEdgeBottom, {790, 620}, 797, 100, 0, 0, {0, 496, 795, 100}},
  };
  for (const auto& c : cases) {
    const TRestPlacement got = PlaceBesideTaskbar(c.wa, c.edge, c.cursor, c.w, c.h, c.prevLeft, c.prevTop);
    EXPECT_EQ(got.RestLeft, c.want.RestLeft) << c.what;
    EXPECT_EQ(got.RestTop, c.want.RestTop) << c.what;
    EXPECT_EQ(got.Width, c.want.Width) << c.what;
    EXPECT_EQ(got.Height, c.want.Height) << c.what;
  }
}

// The window lands inside the work area for every edge, monitor, size and
// click; only a window larger than (or within 5 pixels of) the work area
// changes size.
TEST(Placement, ResultStaysInsideTheWorkArea) {
  const TRectI areas[] = {{0, 0, 1920, 1040},  {60, 0, 1920, 1080},   {0, 40, 1920, 1080},    {0, 0, 640, 480},
                          {-1920, 0, 0, 1040}, {0, -1080, 1920, -40}, {-1280, -1024, -20, -4}};
  const auto sizes = [](std::int32_t extent) {
    return std::vector<std::int32_t>{1,          44,         274,        extent - 11, extent - 10, extent - 6,
                                     extent - 5, extent - 4, extent - 1, extent,      extent + 1,  extent + 500};
  };
  for (const TRectI& wa : areas)
    for (int edge : {int{kEdgeLeft}, int{kEdgeTop}, int{kEdgeRight}, int{kEdgeBottom}, 9})
      for (std::int32_t w : sizes(wa.Width()))
        for (std::int32_t h : sizes(wa.Height()))
          for (TPointI cursor : {TPointI{wa.Left, wa.Top}, TPointI{(wa.Left + wa.Right) / 2, (wa.Top + wa.Bottom) / 2},
                                 TPointI{wa.Right - 1, wa.Bottom - 1}, TPointI{wa.Right + 30, wa.Bottom + 20},
                                 TPointI{-30000, -30000}, TPointI{30000, 30000}}) {
            const TRestPlacement p =
                PlaceBesideTaskbar(wa, static_cast<std::uint8_t>(edge), cursor, w, h, cursor.X, cursor.Y);
            SCOPED_TRACE(testing::Message()
                         << "wa " << wa.Left << "," << wa.Top << "," << wa.Right << "," << wa.Bottom << " edge " << edge
                         << " size " << w << "x" << h << " cursor " << cursor.X << "," << cursor.Y);
            if (w > wa.Width()) {
              EXPECT_EQ(p.Width, wa.Width() - 10);
            }
            if (w <= wa.Width() - 5) {
              EXPECT_EQ(p.Width, w);
            }
            if (h > wa.Height()) {
              EXPECT_EQ(p.Height, wa.Height() - 5);
            }
            if (h <= wa.Height() - 5) {
              EXPECT_EQ(p.Height, h);
            }
            EXPECT_GE(p.RestLeft, wa.Left);
            EXPECT_LE(p.RestLeft + p.Width, wa.Right);
            EXPECT_GE(p.RestTop, wa.Top);
            EXPECT_LE(p.RestTop + p.Height, wa.Bottom);
            if (edge > kEdgeBottom) continue;

            // Beside the taskbar: the gap on the taskbar's side stays within
            // the clamp's 5 pixels, and is exactly 4 (right, bottom) or the
            // clamp's 5 (left, top) for a window that fits with room to spare.
            const bool vertical = edge == kEdgeLeft || edge == kEdgeRight;
            const std::int32_t gap = edge == kEdgeLeft    ? p.RestLeft - wa.Left
                                     : edge == kEdgeTop   ? p.RestTop - wa.Top
                                     : edge == kEdgeRight ? wa.Right - (p.RestLeft + p.Width)
                                                          : wa.Bottom - (p.RestTop + p.Height);
            EXPECT_GE(gap, 0);
            EXPECT_LE(gap, 5);
            const std::int32_t across = vertical ? w : h;
            const std::int32_t room = vertical ? wa.Width() : wa.Height();
            if (across <= room - 10) {
              EXPECT_EQ(gap, (edge == kEdgeLeft || edge == kEdgeTop) ? 5 : 4);
            }

            // Centred on the click along the taskbar unless a clamp moved it.
            const std::int64_t along = vertical ? h : w;
            const std::int64_t centred = (vertical ? std::int64_t{cursor.Y} : std::int64_t{cursor.X}) - along / 2;
            const std::int64_t low = (vertical ? wa.Top : wa.Left) + 5;
            const std::int64_t high = vertical ? wa.Bottom : wa.Right;
            if (centred >= low && centred + along <= high && along <= (vertical ? wa.Height() : wa.Width())) {
              EXPECT_EQ(vertical ? p.RestTop : p.RestLeft, centred);
            }
          }
}
