#include "core/toolkit/ToolbarGeometry.h"

#include <algorithm>

#include "core/base/Dpi.h"

namespace {

// Spacing at 96 DPI: beside the stack's icons, above the grid's, between icon
// and caption, and at the caption's ends.
constexpr std::int32_t kIconMargin = 6;
constexpr std::int32_t kIconTop = 4;
constexpr std::int32_t kCaptionGap = 2;
constexpr int kPressedShade = -30;
constexpr int kHotShade = 25;

}  // namespace

std::int32_t ToolbarColumns(TToolbarLayout layout, std::int32_t columns) {
  if (layout == TToolbarLayout::SingleColumn) return 1;
  return columns < 1 ? 1 : columns;
}

TRectI ToolbarItemRect(const TToolbarGeometry& geometry, std::size_t index, TToolbarSize size) {
  const auto columns = static_cast<std::size_t>(geometry.Columns);
  const auto column = static_cast<std::int32_t>(index % columns);
  const auto row = static_cast<std::int32_t>(index / columns);
  const std::int32_t left = geometry.Padding + column * geometry.Cell.Width;
  const std::int32_t top = geometry.Padding + row * geometry.Cell.Height;
  return {left, top, left + size.Width, top + size.Height};
}

TToolbarSize ToolbarContentSize(const TToolbarGeometry& geometry, std::size_t count) {
  const std::int32_t padding = 2 * geometry.Padding;
  if (count == 0) return {padding, padding};
  const auto columns = static_cast<std::size_t>(geometry.Columns);
  const auto rows = static_cast<std::int32_t>((count + columns - 1) / columns);
  const auto usedColumns = static_cast<std::int32_t>(count < columns ? count : columns);
  return {padding + usedColumns * geometry.Cell.Width, padding + rows * geometry.Cell.Height};
}

int ToolbarItemAt(const TToolbarGeometry& geometry, const std::vector<TToolbarSize>& sizes, TPointI point) {
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const TRectI r = ToolbarItemRect(geometry, i, sizes[i]);
    if (point.X >= r.Left && point.X < r.Right && point.Y >= r.Top && point.Y < r.Bottom) return static_cast<int>(i);
  }
  return -1;
}

TToolbarItemParts ToolbarItemParts(TItemDisplay display, const TRectI& item, std::int32_t iconSize, std::int32_t dpi) {
  const std::int32_t margin = ScaleForDpi(kIconMargin, dpi);
  const std::int32_t iconTop = ScaleForDpi(kIconTop, dpi);
  const std::int32_t gap = ScaleForDpi(kCaptionGap, dpi);
  TToolbarItemParts parts;
  parts.Caption = item;
  if (display == TItemDisplay::ImageAndText) {
    parts.Icon = {item.Left + margin, item.Top + (item.Height() - iconSize) / 2};
    parts.Caption.Left = item.Left + margin + iconSize + margin;
    parts.Caption.Right -= gap;
  } else {
    parts.Icon = {item.Left + (item.Width() - iconSize) / 2, item.Top + iconTop};
    parts.Caption.Top = item.Top + iconTop + iconSize + gap;
    parts.Caption.Left += gap;
    parts.Caption.Right -= gap;
  }
  return parts;
}

TToolbarItemLook ToolbarItemLook(int index, int hot, int pressed, int selected) {
  TToolbarItemLook look;
  look.Focused = index == selected;
  look.Highlighted = index == hot || look.Focused;
  look.Pressed = index == hot && index == pressed;
  look.ShadeAmount = look.Pressed ? kPressedShade : kHotShade;
  return look;
}

TRectI ToolbarFocusRect(const TRectI& item) { return MoveRectEdges(item, 1, 1, -1, -1); }

std::uint32_t ShadeColor(std::uint32_t color, int amount) {
  auto channel = [amount](std::uint32_t value) {
    const int c = static_cast<int>(value & 0xFF);
    const int v = amount >= 0 ? c + (255 - c) * amount / 100 : c + c * amount / 100;
    return static_cast<std::uint32_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
  };
  return channel(color) | channel(color >> 8) << 8 | channel(color >> 16) << 16;
}

TToolbarPaintBands ToolbarPaintBands(const std::vector<TRectI>& items, std::int32_t top, std::int32_t bottom) {
  TToolbarPaintBands bands;
  bands.Cuts = {top, bottom};
  for (const TRectI& r : items) {
    for (const std::int32_t y : {r.Top, r.Bottom})
      if (y > top && y < bottom) bands.Cuts.push_back(y);
  }
  std::sort(bands.Cuts.begin(), bands.Cuts.end());
  bands.Cuts.erase(std::unique(bands.Cuts.begin(), bands.Cuts.end()), bands.Cuts.end());
  for (std::size_t b = 1; b < bands.Cuts.size(); ++b)
    bands.Tallest = std::max(bands.Tallest, bands.Cuts[b] - bands.Cuts[b - 1]);
  return bands;
}
