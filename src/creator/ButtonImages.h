// The creator's six button images (16 x 16 at 96 DPI), drawn here in code:
// this file is the source of that artwork.
#pragma once

#include "core/raster/Bitmap32.h"
#include "core/base/Dpi.h"
#include "toolkit/Controls.h"

// Positions in the image list, in the order the forms expect them.
enum TButtonImage : int {
  kImgMakerLogo = 0,
  kImgProductLogo = 1,
  kImgPreferences = 2,
  kImgNewVersion = 3,
  kImgOk = 4,
  kImgCancel = 5,
  kButtonImageCount = 6,
};

// Fills a fresh 32-bit image list with the six images, in that order, drawn
// at the size for a DPI.
void CreateButtonImages(TImageList& images, int dpi = kDesignDpi);

// A picture compiled in as a PNG resource (see PictureIds.h); raises EError
// when it is missing or damaged.
TBitmap32 LoadPictureResource(int id);
// A picture resampled smoothly to a size (the picture itself when it has it).
TBitmap32 ScalePicture(const TBitmap32& picture, int width, int height);
// The message box's seven button images (16 x 16 at 96 DPI, scaled for the
// DPI): OK, cancel, add, remove, new, edit, shred.
void CreateMessageButtonImages(TImageList& images, int dpi = kDesignDpi);
