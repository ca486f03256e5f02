// The icons of the stack, grid and menu at any size: which of the shell's
// image lists gives the sharpest one, and how an icon of that list is
// brought to the size.
#pragma once

#include <cstdint>

#include "core/raster/Bitmap32.h"

// Where the stack and grid icons come from: one of the shell's image lists.
// Small and Large follow the system's DPI (16 and 32 pixels at 96),
// ExtraLarge is 48 on Windows (Wine scales it with the DPI too), Jumbo 256.
enum class TShellIconList { Small, Large, ExtraLarge, Jumbo };

struct TIconSource {
  TShellIconList List = TShellIconList::Large;
  std::int32_t ListSize = 32;  // the list's icon size in pixels
  // The list tried when the first one is missing (or, for Jumbo, when an
  // icon has no large image and shows a small one on a large empty canvas).
  TShellIconList Fallback = TShellIconList::Large;
  std::int32_t FallbackSize = 32;
};

// The shell list whose icons look sharpest at a target size: one of exactly
// that size when there is one, else the smallest larger one shrunk, since
// enlarging only blurs while shrinking keeps the detail; the fallback is the
// next smaller list. The sizes are the lists' as the system reports them. So
// at 96 DPI the large icons stand as they are, at 120 the 40-pixel icons
// are the 48-pixel ones shrunk by a sixth (32 enlarged by a quarter would
// smear them), at 144 the 48-pixel ones stand as they are, and at 192 the
// 64-pixel icons are the jumbo ones shrunk.
TIconSource IconSourceFor(std::int32_t targetSize, std::int32_t smallListSize = 16, std::int32_t largeListSize = 32,
                          std::int32_t extraLargeListSize = 48);

// Whether an icon taken from the jumbo list has no large image: the shell then
// draws its largest small image unscaled in a corner of the large canvas, so
// every visible pixel lies within a smallSize square. Such an icon is taken
// from the fallback list instead. An empty picture counts as one too.
bool IsSmallImageOnLargeCanvas(const TBitmap32& icon, std::int32_t smallSize);

// The icon stretched to size x size with its alpha: by linear interpolation
// down to half its size or when enlarging, by averaging blocks below that
// (interpolation would skip source pixels there).
TBitmap32 ResizeIcon(const TBitmap32& icon, std::int32_t size);
