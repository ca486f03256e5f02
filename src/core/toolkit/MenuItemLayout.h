// Where an owner-drawn popup-menu item puts its parts, with spacing designed
// at 96 DPI: the icon at the left, the caption after it, a sub-menu's arrow
// at the right edge; the item as tall as the taller of icon and caption plus
// a margin, a separator a thin band with its line in the middle.
#pragma once

#include <cstdint>

struct TMenuItemLayout {
  std::int32_t Width = 0;  // what the item asks for (the system may widen it)
  std::int32_t Height = 0;
  std::int32_t IconLeft = 0;    // from the item's left edge
  std::int32_t TextLeft = 0;    // from the item's left edge
  std::int32_t ArrowWidth = 0;  // the band at the item's right edge for a sub-menu's arrow
  std::int32_t LineTop = 0;     // a separator's line, from the item's top
};

// icon and text sizes in pixels at the DPI; text is the caption as it reads.
TMenuItemLayout LayoutMenuItem(std::int32_t iconWidth, std::int32_t iconHeight, std::int32_t textWidth,
                               std::int32_t textHeight, std::int32_t dpi);
TMenuItemLayout LayoutMenuSeparator(std::int32_t dpi);
