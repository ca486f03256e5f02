// The creator's six 16 x 16 button images, drawn here in code: this file is
// the source of that artwork.
#pragma once

#include "core/Bitmap32.h"
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

// Fills a fresh 32-bit image list with the six images, in that order.
void CreateButtonImages(TImageList& images);

// A picture compiled in as a PNG resource (see PictureIds.h); raises EError
// when it is missing or damaged.
TBitmap32 LoadPictureResource(int id);
// The message box's seven 16 x 16 button images: OK, cancel, add, remove,
// new, edit, shred.
void CreateMessageButtonImages(TImageList& images);
