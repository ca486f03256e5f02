// GIF pictures through the thumbnail code.
#include "FuzzImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzThumbnail(data, size, ".gif", false);
  return 0;
}
