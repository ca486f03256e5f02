// Measuring and rendering text in one font. The caption-drawing code works
// through this interface, so its layout and cutting rules run natively against
// a fake font; the Windows implementation is shared/GdiTextRenderer.h.
#pragma once

#include <cstdint>
#include <string>

#include "core/raster/Bitmap32.h"

struct TTextExtent {
  int Width = 0;
  int Height = 0;
};

class TTextRenderer {
public:
  virtual ~TTextRenderer() = default;
  // Width and height in pixels of the text set on one line.
  virtual TTextExtent Measure(const std::wstring& text) const = 0;
  // Renders the text with its top-left corner at (x, y), clipped to the
  // target, in `color` whose alpha scales the glyphs' coverage, blended onto
  // the target by the target's combine mode (core/Blend.h BlendPixel).
  // Anti-aliasing level 0 renders plain glyphs; level n > 0 renders at 2^n
  // times the size and averages coverage down (2 is four times).
  virtual void Render(TBitmap32& target, int x, int y, const std::wstring& text, TColor32 color,
                      std::uint8_t antialiasLevel) const = 0;
};
