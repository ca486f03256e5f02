// Every size of the viewer's views at one monitor's DPI. The numbers are
// designed at 96 DPI and scaled as Windows scales (ScaleForDpi); at 96 each
// one is exactly the design size, so the layout functions that take these
// metrics give the same pixels as before when handed the design metrics.
#pragma once

#include <cstdint>

#include "core/base/Dpi.h"

struct TViewMetrics {
  std::int32_t Dpi = kDesignDpi;
  // Stack: entry height, minimum entry width, the allowance beside the
  // widest caption, and the margin kept free when deciding whether a stack
  // fits its work area at all.
  std::int32_t StackEntryHeight = 44;
  std::int32_t MinEntryWidth = 200;
  std::int32_t EntryWidthAllowance = 65;
  std::int32_t StackFitMargin = 50;
  // A stack taller than its work area is cut to the work area less this.
  std::int32_t TallStackMargin = 4;
  // Grid tiles.
  std::int32_t GridTileWidth = 64;
  std::int32_t GridTileHeight = 56;
  // Between the toolbar's edge and its items, on each side; the client area
  // holds it twice.
  std::int32_t ToolbarPadding = 2;
  std::int32_t ClientPadding = 4;
  // Icons of the stack and grid (and the grid's thumbnails), and of the menu.
  std::int32_t IconSize = 32;
  std::int32_t SmallIconSize = 16;
  // Captions: the stack's stops this far short of the entry's right edge; the
  // grid's is a band this far left and right of the tile's centre.
  std::int32_t StackCaptionInset = 5;
  std::int32_t GridCaptionLeft = 29;
  std::int32_t GridCaptionRight = 30;
  // Placement: the gap beside the taskbar and the margin the clamps keep.
  std::int32_t TaskbarGap = 4;
  std::int32_t EdgeMargin = 5;
  // The help window's client size and its text's rectangle.
  std::int32_t HelpClientWidth = 480;
  std::int32_t HelpClientHeight = 224;
  std::int32_t HelpTextLeft = 8;
  std::int32_t HelpTextTop = 8;
  std::int32_t HelpTextWidth = 465;
  std::int32_t HelpTextHeight = 209;
};

// The metrics at a DPI; 96 (or a DPI of 0 or less) gives the design sizes.
constexpr TViewMetrics ViewMetricsFor(std::int32_t dpi) {
  const TViewMetrics d;
  const auto s = [dpi](std::int32_t v) { return ScaleForDpi(v, dpi); };
  TViewMetrics m;
  m.Dpi = dpi > 0 ? dpi : kDesignDpi;
  m.StackEntryHeight = s(d.StackEntryHeight);
  m.MinEntryWidth = s(d.MinEntryWidth);
  m.EntryWidthAllowance = s(d.EntryWidthAllowance);
  m.StackFitMargin = s(d.StackFitMargin);
  m.TallStackMargin = s(d.TallStackMargin);
  m.GridTileWidth = s(d.GridTileWidth);
  m.GridTileHeight = s(d.GridTileHeight);
  // Twice the item padding, so the items sit centred at every DPI.
  m.ToolbarPadding = s(d.ToolbarPadding);
  m.ClientPadding = 2 * m.ToolbarPadding;
  m.IconSize = s(d.IconSize);
  m.SmallIconSize = s(d.SmallIconSize);
  m.StackCaptionInset = s(d.StackCaptionInset);
  m.GridCaptionLeft = s(d.GridCaptionLeft);
  m.GridCaptionRight = s(d.GridCaptionRight);
  m.TaskbarGap = s(d.TaskbarGap);
  m.EdgeMargin = s(d.EdgeMargin);
  m.HelpClientWidth = s(d.HelpClientWidth);
  m.HelpClientHeight = s(d.HelpClientHeight);
  m.HelpTextLeft = s(d.HelpTextLeft);
  m.HelpTextTop = s(d.HelpTextTop);
  m.HelpTextWidth = s(d.HelpTextWidth);
  m.HelpTextHeight = s(d.HelpTextHeight);
  return m;
}

// The design sizes, which the layout functions use when given no metrics.
inline constexpr TViewMetrics kDesignMetrics{};
