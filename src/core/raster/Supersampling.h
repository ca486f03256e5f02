// Smooth images with real alpha from a drawing API that has neither: the
// picture is drawn at scale times its size twice, once over black and once
// over white. Where a canvas pixel is covered, both renderings agree; where it
// is not, they differ by the background. That gives each canvas pixel's
// coverage and colour, and averaging scale x scale blocks gives the image.
#pragma once

#include "core/raster/Bitmap32.h"

// overBlack and overWhite: the two renderings of one picture, the same size,
// a multiple of scale in both directions (their alpha bytes are ignored).
// The result is their size divided by scale, with straight alpha; a pixel
// covered less than 1/512 is fully transparent black. Mismatched or empty
// renderings, or a scale below 1, give an empty image.
TBitmap32 ImageFromBlackAndWhiteRenderings(const TBitmap32& overBlack, const TBitmap32& overWhite, int scale);
