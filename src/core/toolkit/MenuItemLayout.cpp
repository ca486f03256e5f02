#include "core/toolkit/MenuItemLayout.h"

#include <algorithm>

#include "core/base/Dpi.h"

namespace {

// Designed at 96 DPI.
constexpr std::int32_t kEdge = 4;        // before the icon
constexpr std::int32_t kIconGap = 8;     // between icon and caption
constexpr std::int32_t kArrowBand = 20;  // after the caption: room for a sub-menu's arrow
constexpr std::int32_t kMargin = 3;      // above and below the taller part
constexpr std::int32_t kSeparator = 7;   // a separator's band
constexpr std::int32_t kLineInset = 3;   // a separator's line below the band's top

}  // namespace

TMenuItemLayout LayoutMenuItem(std::int32_t iconWidth, std::int32_t iconHeight, std::int32_t textWidth,
                               std::int32_t textHeight, std::int32_t dpi) {
  TMenuItemLayout layout;
  layout.IconLeft = ScaleForDpi(kEdge, dpi);
  layout.TextLeft = layout.IconLeft + std::max(iconWidth, 0) + ScaleForDpi(kIconGap, dpi);
  layout.ArrowWidth = ScaleForDpi(kArrowBand, dpi);
  layout.Width = layout.TextLeft + std::max(textWidth, 0) + layout.ArrowWidth;
  layout.Height = std::max(std::max(iconHeight, textHeight), 0) + 2 * ScaleForDpi(kMargin, dpi);
  return layout;
}

TMenuItemLayout LayoutMenuSeparator(std::int32_t dpi) {
  TMenuItemLayout layout;
  layout.Height = ScaleForDpi(kSeparator, dpi);
  layout.LineTop = ScaleForDpi(kLineInset, dpi);
  return layout;
}
