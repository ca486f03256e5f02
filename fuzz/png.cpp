// PNG pictures through the thumbnail code, and the same bytes through the
// decoder over memory that the programs' own pictures use: the two must agree
// on whether the picture can be read.
#include "FuzzImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const bool drawn = FuzzThumbnail(data, size, ".png", false);
  bool decoded = false;
  try {
    const TBitmap32 picture = DecodePngBytes(data, size, L"picture.png");
    FUZZ_CHECK(!picture.Empty());
    decoded = true;
  } catch (const EImageError&) {}
  FUZZ_CHECK(drawn == decoded);
  return 0;
}
