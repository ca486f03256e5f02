// Captions drawn into bitmaps: text cut with "..." when it does not fit its
// rectangle, and text with a soft halo or drop shadow made of blurred copies
// of itself. The layout (which text, at which point) is a pure function of the
// font's measurements; drawing goes through a TTextRenderer.
#pragma once

#include <cstdint>
#include <string>

#include "core/raster/Bitmap32.h"
#include "core/base/Rect.h"
#include "core/text/TextRenderer.h"

// Alignment codes; other values act as left and top.
enum : std::uint8_t { kHAlignLeft = 0, kHAlignCentre = 1, kHAlignRight = 2 };
enum : std::uint8_t { kVAlignTop = 0, kVAlignCentre = 1, kVAlignBottom = 2 };

// A width times 1.1, rounded to the nearest integer with halves to even
// (15 gives 16, 25 gives 28), computed exactly as 11 * width / 10.
std::int32_t PadTextWidth(std::int32_t width);
// The text's width in the renderer's font, padded as above: the room a text
// needs to count as fitting.
std::int32_t PaddedTextWidth(const TTextRenderer& font, const std::wstring& text);

struct TTextLayout {
  std::wstring Text;   // what is drawn: the text, or a beginning of it and "..."; empty for nothing
  std::int32_t X = 0;  // its top-left corner
  std::int32_t Y = 0;
  bool Cut = false;
};

// Where and what DrawTextEllipsis draws. A text fits when the rectangle is at
// least its padded width wide, and is then placed by the alignments (left,
// centre, right; top, centre, bottom), each centring halving truncated toward
// zero, also for a text larger than the rectangle. A text that does not fit
// becomes its longest beginning whose plain width leaves room for a padded
// "..." (never splitting a surrogate pair), followed by "..."; "..." alone when
// not one character fits. A cut text starts at the rectangle's left edge under
// left and centre alignment, and ends at its right edge under right alignment;
// vertically it is placed as the whole text would be, with the whole text's
// height. An empty text gives an empty layout.
TTextLayout LayOutTextEllipsis(const TTextRenderer& font, const TRectI& rect, const std::wstring& text,
                               std::uint8_t hAlign, std::uint8_t vAlign);

// Renders the text as LayOutTextEllipsis places it, in `color` at the given
// anti-aliasing level, blended onto the bitmap by its combine mode. An empty
// text draws nothing.
void DrawTextEllipsis(TBitmap32& bitmap, const TTextRenderer& font, const TRectI& rect, const std::wstring& text,
                      std::uint8_t antialiasLevel, TColor32 color, std::uint8_t hAlign, std::uint8_t vAlign);

// A text over up to four copies of itself in the halo colour, at the
// rectangle shifted by (-sx, -sy), (+sx, -sy), (-sx, +sy) and (+sx, +sy), drawn
// in that order for those switched on into a transparent work layer of the
// bitmap's size (merging alpha), which is then box-blurred whole when `blur`
// is on; then the text itself, sharp, into the same layer when `drawText` is
// on; then the layer is blended onto the bitmap at its origin. Every copy and
// the text are laid out by DrawTextEllipsis, so they are cut alike and stay in
// register. An empty text draws nothing.
void DrawHaloText(TBitmap32& bitmap, const TTextRenderer& font, const TRectI& rect, const std::wstring& text,
                  std::uint8_t antialiasLevel, std::uint8_t hAlign, std::uint8_t vAlign, TColor32 textColor,
                  TColor32 haloColor, bool upLeft, bool upRight, bool downLeft, bool downRight, bool drawText,
                  std::int32_t sx, std::int32_t sy, bool blur, int radius, int passes);
