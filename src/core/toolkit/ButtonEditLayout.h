// The push buttons docked inside an edit field at its right edge.
#pragma once

#include <cstdint>
#include <vector>

#include "core/base/Rect.h"

struct TButtonEditLayout {
  std::vector<TRectI> Buttons;   // in the order added, in the edit's client area
  std::int32_t RightMargin = 0;  // that keeps the edit's text clear of them
};

// Buttons of design widths laid out from the client area's right edge
// leftwards, each of the client area's height, at a DPI; the text's margin
// leaves a little more than they take.
TButtonEditLayout ButtonEditLayout(std::int32_t clientWidth, std::int32_t clientHeight,
                                   const std::vector<std::int32_t>& designWidths, std::int32_t dpi);
