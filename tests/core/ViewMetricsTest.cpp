#include "core/viewer/ViewMetrics.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/raster/IconScaling.h"
#include "core/viewer/GridLayout.h"
#include "core/viewer/Placement.h"
#include "core/viewer/StackLayout.h"
#include "core/imaging/Thumbnails.h"

namespace {

// Every number of the metrics, in one order, for comparing whole rows.
std::vector<std::int32_t> Numbers(const TViewMetrics& m) {
  return {m.StackEntryHeight, m.MinEntryWidth,     m.EntryWidthAllowance, m.StackFitMargin,   m.TallStackMargin,
          m.GridTileWidth,    m.GridTileHeight,    m.ToolbarPadding,      m.ClientPadding,    m.IconSize,
          m.SmallIconSize,    m.StackCaptionInset, m.GridCaptionLeft,     m.GridCaptionRight, m.TaskbarGap,
          m.EdgeMargin,       m.HelpClientWidth,   m.HelpClientHeight,    m.HelpTextLeft,     m.HelpTextTop,
          m.HelpTextWidth,    m.HelpTextHeight};
}

const std::int32_t kDpis[] = {96, 120, 144, 192};

}  // namespace

TEST(ViewMetrics, EveryNumberAtTheUsualDpis) {
  struct {
    std::int32_t dpi;
    std::vector<std::int32_t> want;
  } rows[] = {
      {96, {44, 200, 65, 50, 4, 64, 56, 2, 4, 32, 16, 5, 29, 30, 4, 5, 480, 224, 8, 8, 465, 209}},
      {120, {55, 250, 81, 63, 5, 80, 70, 3, 6, 40, 20, 6, 36, 38, 5, 6, 600, 280, 10, 10, 581, 261}},
      {144, {66, 300, 98, 75, 6, 96, 84, 3, 6, 48, 24, 8, 44, 45, 6, 8, 720, 336, 12, 12, 698, 314}},
      {192, {88, 400, 130, 100, 8, 128, 112, 4, 8, 64, 32, 10, 58, 60, 8, 10, 960, 448, 16, 16, 930, 418}},
  };
  for (const auto& row : rows) EXPECT_EQ(Numbers(ViewMetricsFor(row.dpi)), row.want) << row.dpi;
  // 96 DPI (and no DPI at all) are the design sizes the layout always had.
  EXPECT_EQ(Numbers(ViewMetricsFor(96)), Numbers(kDesignMetrics));
  EXPECT_EQ(Numbers(ViewMetricsFor(0)), Numbers(kDesignMetrics));
  EXPECT_EQ(ViewMetricsFor(0).Dpi, 96);
  EXPECT_EQ(kStackEntryHeight, 44);
  EXPECT_EQ(kGridTileWidth, 64);
  EXPECT_EQ(kClientPadding, 4);
}

TEST(ViewMetrics, SizesGrowWithTheDpiAndTheThresholdsFollow) {
  for (std::int32_t dpi = 72; dpi <= 480; dpi += 24) {
    const std::vector<std::int32_t> lower = Numbers(ViewMetricsFor(dpi)), higher = Numbers(ViewMetricsFor(dpi + 24));
    for (std::size_t i = 0; i < lower.size(); ++i) EXPECT_LE(lower[i], higher[i]) << "number " << i << " at " << dpi;
  }
  for (const std::int32_t dpi : kDpis) {
    SCOPED_TRACE(dpi);
    const TViewMetrics m = ViewMetricsFor(dpi);
    // Crowded exactly when the entries no longer fit the work area less the margin.
    const long long fit = (1040 - m.StackFitMargin) / m.StackEntryHeight;
    EXPECT_FALSE(IsCrowded(1040, fit, m));
    EXPECT_TRUE(IsCrowded(1040, fit + 1, m));
  }
  // A stack of six minimal entries is exactly one and a half times as large at 144.
  const TViewMetrics m144 = ViewMetricsFor(144);
  const TSizeI at96 = StackClientSize(EntryWidth(0, 0), 6), at144 = StackClientSize(EntryWidth(0, 0, m144), 6, m144);
  EXPECT_EQ(at144.Width * 2, at96.Width * 3);
  EXPECT_EQ(at144.Height * 2, at96.Height * 3);
  EXPECT_EQ(GridCapacity(1920, 1040, ViewMetricsFor(96)), GridCapacity(1920, 1040));
  EXPECT_EQ(GridCapacity(1920, 1040, m144), 281) << "21 x 13.38 = 280.98";
  EXPECT_EQ(GridCapacity(1920, 1040, ViewMetricsFor(192)), 165) << "16 x 10.29 = 164.57";
  EXPECT_TRUE(IsCrowded(1040, 1LL << 40, ViewMetricsFor(192)));
}

// At every DPI the window stays inside its work area, off the taskbar by the
// scaled gap.
TEST(ViewMetrics, PlacementFitsTheWorkAreaAtEveryDpi) {
  const TRectI work = {0, 0, 1920, 1040};
  for (const std::int32_t dpi : kDpis) {
    const TViewMetrics m = ViewMetricsFor(dpi);
    for (const std::int32_t height : {100, 1030, 1040, 2000})
      for (const TPointI cursor : {TPointI{0, 1060}, TPointI{960, 1060}, TPointI{1919, 1060}}) {
        const TRestPlacement p = PlaceBesideTaskbar(work, kEdgeBottom, cursor, 300, height, 0, 0, m);
        SCOPED_TRACE(testing::Message() << dpi << " " << height << " " << cursor.X);
        EXPECT_GE(p.RestLeft, work.Left);
        EXPECT_LE(p.RestLeft + p.Width, work.Right);
        EXPECT_GE(p.RestTop, work.Top);
        EXPECT_LE(p.RestTop + p.Height, work.Bottom);
        if (height == 100) {
          EXPECT_EQ(work.Bottom - (p.RestTop + p.Height), m.TaskbarGap);
          EXPECT_GE(p.RestLeft, m.EdgeMargin);
        }
      }
  }
}

TEST(ViewMetrics, IconsComeFromTheSmallestListNotSmallerThanTheTarget) {
  using L = TShellIconList;
  struct {
    std::int32_t target, small, large;
    L list;
    std::int32_t size;
    L fallback;
  } rows[] = {
      {32, 16, 32, L::Large, 32, L::Small},
      {40, 16, 32, L::ExtraLarge, 48, L::Large},
      {48, 16, 32, L::ExtraLarge, 48, L::Large},
      {56, 16, 32, L::Jumbo, 256, L::ExtraLarge},
      {64, 16, 32, L::Jumbo, 256, L::ExtraLarge},
      {300, 16, 32, L::Jumbo, 256, L::ExtraLarge},
      {16, 16, 32, L::Small, 16, L::Small},
      {20, 16, 32, L::Large, 32, L::Small},
      {24, 16, 32, L::Large, 32, L::Small},
      {32, 16, 32, L::Large, 32, L::Small},
      // The system's lists already at a higher DPI: one of the exact size wins.
      {24, 24, 48, L::Small, 24, L::Small},
      {48, 24, 48, L::Large, 48, L::Small},
      {40, 20, 40, L::Large, 40, L::Small},
  };
  // Wine sizes its extra-large list by the DPI too: 72 at 144.
  EXPECT_EQ(IconSourceFor(64, 24, 48, 72).List, L::ExtraLarge);
  EXPECT_EQ(IconSourceFor(64, 24, 48, 72).Fallback, L::Large);
  for (const auto& r : rows) {
    const TIconSource source = IconSourceFor(r.target, r.small, r.large);
    SCOPED_TRACE(testing::Message() << r.target << " with " << r.small << "/" << r.large);
    EXPECT_EQ(source.List, r.list);
    EXPECT_EQ(source.ListSize, r.size);
    EXPECT_EQ(source.Fallback, r.fallback);
    EXPECT_GE(source.ListSize, std::min(r.target, 256));
  }
}

TEST(ViewMetrics, ThumbnailReductionAndResamplerFollowTheThumbnailSize) {
  struct {
    int width, size, scale;
  } rows[] = {
      {257, 32, 8}, {256, 32, 4}, {65, 32, 2}, {64, 32, 1}, {385, 48, 8}, {384, 48, 4},
      {193, 48, 4}, {192, 48, 2}, {97, 48, 2}, {96, 48, 1}, {513, 64, 8}, {129, 64, 2},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(JpegThumbnailScale(r.width, r.size), r.scale) << r.width << " for " << r.size;
    if (r.size == 32) {
      EXPECT_EQ(JpegThumbnailScale(r.width), r.scale);
    }
  }
  EXPECT_EQ(ChooseThumbnailResampler(48, 48), TThumbnailResampler::Linear);
  EXPECT_EQ(ChooseThumbnailResampler(49, 48), TThumbnailResampler::Draft);
  EXPECT_EQ(ChooseThumbnailResampler(33), TThumbnailResampler::Draft);
}

TEST(IconScaling, SmallImagesOnJumboCanvasesAreToldApartAndIconsKeepTheirAlphaWhenResized) {
  const auto canvas = [](int size, int blockLeft, int blockSize) {
    TBitmap32 icon(size, size);
    for (int y = blockLeft; y < blockLeft + blockSize; ++y)
      for (int x = blockLeft; x < blockLeft + blockSize; ++x) icon.SetPixel(x, y, 0xFFCC2211u);
    return icon;
  };
  EXPECT_TRUE(IsSmallImageOnLargeCanvas(canvas(256, 0, 48), 48)) << "a 48 image in the corner";
  EXPECT_TRUE(IsSmallImageOnLargeCanvas(canvas(256, 100, 32), 48));
  EXPECT_TRUE(IsSmallImageOnLargeCanvas(TBitmap32(256, 256), 48)) << "nothing drawn";
  EXPECT_FALSE(IsSmallImageOnLargeCanvas(canvas(256, 10, 49), 48));
  EXPECT_FALSE(IsSmallImageOnLargeCanvas(canvas(256, 16, 224), 48));

  // Left half opaque, right half transparent, shrunk far (256 to 64) and a
  // little (48 to 40): sizes exact, the colour and both edges kept.
  for (const auto& [from, to] : {std::pair{256, 64}, {48, 40}, {32, 48}}) {
    TBitmap32 icon(from, from);
    for (int y = 0; y < from; ++y)
      for (int x = 0; x < from / 2; ++x) icon.SetPixel(x, y, 0xFFCC2211u);
    const TBitmap32 resized = ResizeIcon(icon, to);
    SCOPED_TRACE(testing::Message() << from << " to " << to);
    ASSERT_EQ(resized.Width(), to);
    ASSERT_EQ(resized.Height(), to);
    EXPECT_EQ(resized.Pixel(0, to / 2), 0xFFCC2211u);
    EXPECT_EQ(AlphaOf(resized.Pixel(to - 1, to / 2)), 0);
  }
  EXPECT_TRUE(ResizeIcon(TBitmap32(), 40).Width() == 40) << "an empty icon gives a transparent one";
}
