// Box blur of a whole bitmap, alpha included (that is what spreads a halo's
// opacity).
#pragma once

#include "core/raster/Bitmap32.h"

// Every row `passes` times, then every column `passes` times: each pixel
// becomes the average of the 2 * radius + 1 pixels centred on it, channel by
// channel (alpha, red, green and blue alike, straight, not premultiplied),
// positions beyond the edges taking the nearest edge pixel, the sum divided
// with the remainder dropped. The cost per pixel and pass is the same for any
// radius. A radius or pass count of 0 or less leaves the bitmap untouched.
void BoxBlur(TBitmap32& bitmap, int radius, int passes);
