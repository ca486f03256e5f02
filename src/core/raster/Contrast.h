// Relative luminance and contrast ratio of colours as accessibility
// guidelines define them (sRGB made linear, then weighted), computed in
// integers so that every build gives the same answer.
#pragma once

#include <cstdint>

#include "core/raster/Bitmap32.h"

// The colour's relative luminance times 10^10 (0 for black, 10^10 for
// white); alpha is ignored.
std::int64_t RelativeLuminance(TColor32 color);

// (lighter + 0.05) / (darker + 0.05): from 1 (the same) to 21 (black and
// white).
double ContrastRatio(TColor32 a, TColor32 b);

// Whether the two colours differ by at least numerator / denominator : 1
// (4.5 : 1 as 9, 2; both below 10^8), decided exactly.
bool ContrastAtLeast(TColor32 a, TColor32 b, std::int64_t numerator, std::int64_t denominator);

// Black or white, whichever differs more from the background; either differs
// from every colour by more than 4.5 : 1.
TColor32 TextColorOn(TColor32 background);

// from moved amount / 255 of the way towards to, per channel, rounded; opaque.
TColor32 MixColors(TColor32 from, TColor32 to, std::uint8_t amount);
