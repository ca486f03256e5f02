#include "toolkit/ImageList.h"

#include "core/base/Errors.h"

void TImageList::Create(int width, int height, UINT flags, int initial) {
  handle_.Reset(::ImageList_Create(width, height, flags, initial, 16));
  if (!handle_) throw EError(L"Cannot create the image list.");
}

int TImageList::Count() const { return handle_ ? ::ImageList_GetImageCount(handle_.Get()) : 0; }
