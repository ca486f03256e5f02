#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/base/Dpi.h"
#include "core/toolkit/ToolbarGeometry.h"

namespace {

void ExpectRect(const TRectI& r, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  EXPECT_EQ(r.Left, left);
  EXPECT_EQ(r.Top, top);
  EXPECT_EQ(r.Right, right);
  EXPECT_EQ(r.Bottom, bottom);
}

bool Inside(const TRectI& inner, const TRectI& outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

}  // namespace

TEST(ToolbarGeometry, ItemRectsAndContentSizes) {
  // The stack at 96 DPI (200 x 44 entries) and the grid at 96 and 144 DPI.
  const TToolbarGeometry stack{ToolbarColumns(TToolbarLayout::SingleColumn, 4), 2, {200, 44}};
  const TToolbarGeometry grid{ToolbarColumns(TToolbarLayout::WrapRows, 4), 2, {64, 56}};
  const TToolbarGeometry grid144{ToolbarColumns(TToolbarLayout::WrapRows, 4), 3, {96, 84}};
  struct {
    const TToolbarGeometry& geometry;
    std::size_t index;
    std::int32_t left, top, right, bottom;
  } rects[] = {
      {stack, 0, 2, 2, 202, 46},       {stack, 3, 2, 134, 202, 178}, {grid, 0, 2, 2, 66, 58},
      {grid, 3, 194, 2, 258, 58},      {grid, 5, 66, 58, 130, 114},  {grid144, 4, 3, 87, 99, 171},
      {grid144, 7, 291, 87, 387, 171},
  };
  for (const auto& c : rects) {
    SCOPED_TRACE(c.index);
    ExpectRect(ToolbarItemRect(c.geometry, c.index, c.geometry.Cell), c.left, c.top, c.right, c.bottom);
  }
  // An item of its own size stands at its cell's corner.
  ExpectRect(ToolbarItemRect(grid, 5, {10, 20}), 66, 58, 76, 78);

  struct {
    const TToolbarGeometry& geometry;
    std::size_t count;
    std::int32_t width, height;
  } sizes[] = {
      {stack, 0, 4, 4},   {stack, 5, 204, 224}, {grid, 3, 196, 60},
      {grid, 4, 260, 60}, {grid, 9, 260, 172},  {grid144, 5, 390, 174},
  };
  for (const auto& c : sizes) {
    const TToolbarSize size = ToolbarContentSize(c.geometry, c.count);
    EXPECT_EQ(size.Width, c.width) << c.count;
    EXPECT_EQ(size.Height, c.height) << c.count;
  }
  EXPECT_EQ(ToolbarColumns(TToolbarLayout::WrapRows, 0), 1);
  EXPECT_EQ(ToolbarColumns(TToolbarLayout::WrapRows, 7), 7);
}

// Every layout, column count, padding and cell size: the items fill the
// rows in reading order without overlapping, stay inside the content size
// less its padding, and hit testing finds each item over all of it and nothing
// in the padding.
TEST(ToolbarGeometry, ItemsTileTheContentAndHitTestingFindsThem) {
  for (const TToolbarLayout layout : {TToolbarLayout::SingleColumn, TToolbarLayout::WrapRows}) {
    for (const std::int32_t columns : {1, 2, 5, 25}) {
      for (const std::int32_t padding : {0, 2, 3}) {
        for (const TToolbarSize cell : {TToolbarSize{64, 56}, TToolbarSize{96, 84}, TToolbarSize{300, 66}}) {
          for (const std::size_t count : {0u, 1u, 4u, 5u, 26u, 60u}) {
            const TToolbarGeometry geometry{ToolbarColumns(layout, columns), padding, cell};
            const TToolbarSize content = ToolbarContentSize(geometry, count);
            const TRectI area{padding, padding, content.Width - padding, content.Height - padding};
            const std::vector<TToolbarSize> sizes(count, cell);
            std::int64_t covered = 0;
            for (std::size_t i = 0; i < count; ++i) {
              SCOPED_TRACE(testing::Message()
                           << columns << " " << padding << " " << cell.Width << " " << count << " item " << i);
              const TRectI r = ToolbarItemRect(geometry, i, cell);
              ASSERT_TRUE(Inside(r, area));
              covered += static_cast<std::int64_t>(r.Width()) * r.Height();
              if (i > 0) {
                const TRectI previous = ToolbarItemRect(geometry, i - 1, cell);
                const bool sameRow = r.Top == previous.Top && r.Left == previous.Right;
                const bool nextRow = r.Top == previous.Bottom && r.Left == padding;
                EXPECT_TRUE(sameRow || nextRow);
              }
              for (const TPointI p : {TPointI{r.Left, r.Top}, TPointI{r.Right - 1, r.Bottom - 1},
                                      TPointI{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}}) {
                EXPECT_EQ(ToolbarItemAt(geometry, sizes, p), static_cast<int>(i));
              }
            }
            // Items in reading order that never leave the area and never
            // overlap cover exactly their own total area.
            EXPECT_EQ(covered, static_cast<std::int64_t>(cell.Width) * cell.Height * static_cast<std::int64_t>(count));
            EXPECT_EQ(ToolbarItemAt(geometry, sizes, {content.Width, content.Height}), -1);
            if (padding > 0) {
              EXPECT_EQ(ToolbarItemAt(geometry, sizes, {padding - 1, padding}), -1);
            }
          }
        }
      }
    }
  }
}

TEST(ToolbarGeometry, IconAndCaptionPlaces) {
  struct {
    TItemDisplay display;
    TRectI item;
    std::int32_t iconSize, dpi;
    std::int32_t iconX, iconY;
    TRectI caption;
  } cases[] = {
      // Stack entries: the icon centred down the left, the caption after it.
      {TItemDisplay::ImageAndText, {2, 2, 202, 46}, 32, 96, 8, 8, {46, 2, 200, 46}},
      {TItemDisplay::ImageAndText, {0, 0, 250, 55}, 40, 120, 8, 7, {56, 0, 247, 55}},  // 7.5 and 2.5 round up
      {TItemDisplay::ImageAndText, {3, 3, 303, 69}, 48, 144, 12, 12, {69, 3, 300, 69}},
      {TItemDisplay::ImageAndText, {0, 10, 100, 30}, 32, 96, 6, 4, {44, 10, 98, 30}},  // icon taller than the item
      // Grid tiles: the icon centred across the top, the caption below it.
      {TItemDisplay::ImageAboveCaption, {66, 58, 130, 114}, 32, 96, 82, 62, {68, 96, 128, 114}},
      {TItemDisplay::ImageAboveCaption, {3, 3, 99, 87}, 48, 144, 27, 9, {6, 60, 96, 87}},
      {TItemDisplay::ImageAboveCaption, {4, 4, 132, 116}, 64, 192, 36, 12, {8, 80, 128, 116}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.item.Left << "," << c.item.Top << " at " << c.dpi);
    const TToolbarItemParts parts = ToolbarItemParts(c.display, c.item, c.iconSize, c.dpi);
    EXPECT_EQ(parts.Icon.X, c.iconX);
    EXPECT_EQ(parts.Icon.Y, c.iconY);
    ExpectRect(parts.Caption, c.caption.Left, c.caption.Top, c.caption.Right, c.caption.Bottom);
  }
  // At the view's own sizes for each DPI, icon, caption and focus frame stay
  // inside the item and the caption keeps clear of the icon.
  for (const std::int32_t dpi : {96, 120, 144, 168, 192, 240}) {
    const std::int32_t icon = ScaleForDpi(32, dpi);
    const TRectI entry{5, 7, 5 + ScaleForDpi(200, dpi), 7 + ScaleForDpi(44, dpi)};
    const TRectI tile{5, 7, 5 + ScaleForDpi(64, dpi), 7 + ScaleForDpi(56, dpi)};
    for (const TItemDisplay display : {TItemDisplay::ImageAndText, TItemDisplay::ImageAboveCaption}) {
      SCOPED_TRACE(dpi);
      const TRectI& item = display == TItemDisplay::ImageAndText ? entry : tile;
      const TToolbarItemParts parts = ToolbarItemParts(display, item, icon, dpi);
      const TRectI iconRect{parts.Icon.X, parts.Icon.Y, parts.Icon.X + icon, parts.Icon.Y + icon};
      EXPECT_TRUE(Inside(iconRect, item));
      EXPECT_TRUE(Inside(parts.Caption, item));
      EXPECT_GT(parts.Caption.Width(), 0);
      EXPECT_GT(parts.Caption.Height(), 0);
      EXPECT_TRUE(display == TItemDisplay::ImageAndText ? parts.Caption.Left > iconRect.Right
                                                        : parts.Caption.Top > iconRect.Bottom);
      EXPECT_TRUE(Inside(ToolbarFocusRect(item), item));
    }
  }
}

TEST(ToolbarGeometry, HotPressedAndSelectedLooks) {
  struct {
    int index, hot, pressed, selected;
    bool highlighted, pressedLook, focused;
    int shade;
  } cases[] = {
      {0, -1, -1, -1, false, false, false, 25}, {0, 0, -1, -1, true, false, false, 25},
      {0, 0, 0, -1, true, true, false, -30},    {0, 1, 0, -1, false, false, false, 25},  // pressed, pointer gone
      {0, -1, -1, 0, true, false, true, 25},    {0, 0, 0, 0, true, true, true, -30},
      {1, 0, 0, 1, true, false, true, 25},      {1, 0, 0, 0, false, false, false, 25},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.index << " " << c.hot << " " << c.pressed << " " << c.selected);
    const TToolbarItemLook look = ToolbarItemLook(c.index, c.hot, c.pressed, c.selected);
    EXPECT_EQ(look.Highlighted, c.highlighted);
    EXPECT_EQ(look.Pressed, c.pressedLook);
    EXPECT_EQ(look.Focused, c.focused);
    EXPECT_EQ(look.ShadeAmount, c.shade);
  }
  ExpectRect(ToolbarFocusRect({2, 2, 66, 58}), 3, 3, 65, 57);

  struct {
    std::uint32_t color;
    int amount;
    std::uint32_t shaded;
  } shades[] = {
      {0x000000, 25, 0x3F3F3F},  {0xFFFFFF, -30, 0xB3B3B3}, {0x808080, 25, 0x9F9F9F},   {0xF08010, 25, 0xF39F4B},
      {0xF08010, -30, 0xA85A0C}, {0x123456, 100, 0xFFFFFF}, {0x123456, -100, 0x000000}, {0xFF123456, 0, 0x123456},
  };
  for (const auto& c : shades) EXPECT_EQ(ShadeColor(c.color, c.amount), c.shaded) << std::hex << c.color;
}

TEST(ToolbarGeometry, PaintBandsHoldOneRowEach) {
  const TToolbarGeometry grid{5, 2, {64, 56}};
  std::vector<TRectI> items;
  for (std::size_t i = 0; i < 23; ++i) items.push_back(ToolbarItemRect(grid, i, grid.Cell));
  // The whole toolbar: the padding above, five rows, the padding below.
  const TToolbarPaintBands whole = ToolbarPaintBands(items, 0, 284);
  EXPECT_EQ(whole.Cuts, (std::vector<std::int32_t>{0, 2, 58, 114, 170, 226, 282, 284}));
  EXPECT_EQ(whole.Tallest, 56);
  // A clip inside one row is one band.
  EXPECT_EQ(ToolbarPaintBands(items, 60, 100).Cuts, (std::vector<std::int32_t>{60, 100}));

  for (std::int32_t top = 0; top < 290; top += 7) {
    for (std::int32_t bottom = top + 1; bottom < 300; bottom += 11) {
      const TToolbarPaintBands bands = ToolbarPaintBands(items, top, bottom);
      ASSERT_GE(bands.Cuts.size(), 2u);
      EXPECT_EQ(bands.Cuts.front(), top);
      EXPECT_EQ(bands.Cuts.back(), bottom);
      std::int32_t tallest = 0;
      for (std::size_t b = 1; b < bands.Cuts.size(); ++b) {
        ASSERT_LT(bands.Cuts[b - 1], bands.Cuts[b]);
        tallest = std::max(tallest, bands.Cuts[b] - bands.Cuts[b - 1]);
        // No item's edge cuts through a band.
        for (const TRectI& r : items) {
          EXPECT_FALSE(r.Top > bands.Cuts[b - 1] && r.Top < bands.Cuts[b]);
          EXPECT_FALSE(r.Bottom > bands.Cuts[b - 1] && r.Bottom < bands.Cuts[b]);
        }
      }
      EXPECT_EQ(bands.Tallest, tallest);
      EXPECT_LE(bands.Tallest, 56);
    }
  }
}
