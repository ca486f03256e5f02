// JPEG pictures through the thumbnail code. The low bit of the last byte picks
// fast mode (the fast transform and reduced-size decoding) or full quality:
// bytes after the end marker do not change the picture, so either is reachable.
#include "FuzzImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const bool fast = size > 0 && (data[size - 1] & 1) != 0;
  FuzzThumbnail(data, size, ".jpg", fast);
  return 0;
}
