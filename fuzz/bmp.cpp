// Windows bitmaps, read by our own code, through the thumbnail code.
#include "FuzzImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzThumbnail(data, size, ".bmp", false);
  return 0;
}
