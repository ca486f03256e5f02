// Combining colours and drawing one bitmap onto another at a point.
#pragma once

#include "core/raster/Bitmap32.h"

// Source-over with straight alpha: the result's alpha is
// a = sa + da * (1 - sa), its colours (sc * sa + dc * da * (1 - sa)) / a, so a
// partly transparent target weighs its colours by its own alpha. An opaque
// source gives itself, a transparent one the target, unchanged.
TColor32 MergeColor32(TColor32 source, TColor32 target) noexcept;

// Colours mixed by the source's alpha alone, sc * sa + dc * (1 - sa), alpha as
// in MergeColor32: the same as merging over an opaque target.
TColor32 BlendColor32(TColor32 source, TColor32 target) noexcept;

// A premultiplied colour (colours already scaled by alpha, as AlphaBlend takes
// them) as straight alpha: colours divided by alpha, rounded, at most 255;
// a fully transparent one gives transparent black.
TColor32 StraightFromPremultiplied(TColor32 premultiplied) noexcept;

// One pixel painted twice with alpha-blind means, once over black and once
// over white, as the premultiplied colour of what was painted: over black a
// painting leaves its premultiplied self, and over white it lets through as
// much as it lacks of opacity. Opaque paint gives itself, nothing gives
// transparent, and blended or anti-aliased paint gives its own alpha. Grounds
// that disagree (a painting that inverts) count as opaque over black.
TColor32 PremultipliedFromGrounds(TColor32 onBlack, TColor32 onWhite) noexcept;

// What the pixel of a source drawn with the given modes makes of a target
// pixel.
TColor32 CombineColor32(TColor32 source, TColor32 target, TDrawMode drawMode, TCombineMode combineMode) noexcept;

// Blends one colour onto one pixel of a bitmap by that bitmap's combine mode;
// nothing outside the bitmap. Text renderers put their coverage down with it.
void BlendPixel(TBitmap32& target, int x, int y, TColor32 color) noexcept;

// Draws the whole source with its top-left corner at (x, y) of the target, by
// the source's draw and combine modes, clipped to the target; any point,
// negative or beyond the target's edges, is fine.
void DrawBitmap(TBitmap32& target, int x, int y, const TBitmap32& source);
