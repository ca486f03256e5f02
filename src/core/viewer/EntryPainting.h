// How the viewer paints the caption of a stack or grid entry: where in the
// entry the caption goes, in which size, and by which of the four recipes of
// text, halo and shadow.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/raster/Bitmap32.h"
#include "core/viewer/CommandLine.h"
#include "core/base/Rect.h"
#include "core/text/TextRenderer.h"
#include "core/viewer/ViewMetrics.h"

// The caption's rectangle: in the stack from where the toolbar places it to 5
// pixels short of the entry's right edge; in the grid a band 59 pixels wide
// centred under the icon (29 left of the given rectangle's centre, 30 right);
// each distance scaled to the metrics' DPI.
TRectI CaptionRectFor(TViewKind view, const TRectI& captionRect, const TRectI& clientAreaRect,
                      const TViewMetrics& metrics = kDesignMetrics);

// The caption's point size: the form's, and 80 % of it (rounded) in the grid.
int CaptionPointSize(TViewKind view, int formPointSize);
// The preferences' previews of the grid's captions, bold at 90 % (rounded)
// of the dialog's point size.
int PreviewPointSize(int dialogPointSize);

// Black text in a white blurred halo (TextColor 1) or white text over a black
// shadow one pixel right and down (any other value), left-aligned in the
// stack and centred in the grid, with anti-aliasing level 2.
// The looks of Windows 8 and later draw the text alone, anti-aliased, in the
// look's colour (PlainColor).
struct TCaptionRecipe {
  std::uint8_t HAlign = 0;
  std::optional<TColor32> PlainColor;  // text without halo or shadow
  bool BlackOnWhite = true;            // halo and text in one DrawHaloText
  std::int32_t Shift = 1;              // of the four copies
  int BlurRadius = 1;
  int BlurPasses = 1;
};
TCaptionRecipe CaptionRecipeFor(TViewKind view, std::uint8_t textColor);
TCaptionRecipe PlainCaptionRecipeFor(TViewKind view, TColor32 color);

// Draws the caption by the recipe into a transparent text layer.
void PaintCaption(TBitmap32& layer, const TTextRenderer& font, const TRectI& rect, const std::wstring& caption,
                  const TCaptionRecipe& recipe);
