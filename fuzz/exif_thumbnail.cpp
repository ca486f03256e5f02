// The head of a JPEG file as the thumbnail code reads it: the markers before
// the frame header, the Exif segment's IFDs and the embedded thumbnail's own
// markers. Beside reading nothing outside the input (AddressSanitizer), it
// checks that a thumbnail found lies inside the input and starts a JPEG,
// that a head cut short asks for more bytes than it was given and, given
// them, reads the same frame; and that the embedded thumbnail, when the
// rule takes it, decodes or fails with the error the user would see.
#include "FuzzText.h"
#include "core/imaging/ExifThumbnail.h"
#include "core/imaging/ImageDecoders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TJpegHead head = ReadJpegHead(data, size);
  FUZZ_CHECK(head.orientation >= 1 && head.orientation <= 8);
  if (head.thumbnailLength != 0) {
    FUZZ_CHECK(head.thumbnailOffset <= size && size - head.thumbnailOffset >= head.thumbnailLength);
    FUZZ_CHECK(head.thumbnailLength >= 2 && data[head.thumbnailOffset] == 0xFF &&
               data[head.thumbnailOffset + 1] == 0xD8);
    FUZZ_CHECK(head.thumbnailFrame.marker != 0);
  }
  if (head.needed != 0) {
    FUZZ_CHECK(head.frame.marker == 0 && head.needed > size);
  }
  // A shorter head that reaches the frame reads the same frame.
  const TJpegHead shorter = ReadJpegHead(data, size / 2);
  if (shorter.frame.marker != 0)
    FUZZ_CHECK(head.frame.marker == shorter.frame.marker && head.frame.width == shorter.frame.width &&
               head.frame.height == shorter.frame.height);

  if (UseEmbeddedThumbnail(head, 8)) {
    try {
      const TBitmap32 picture = DecodeJpegBytes(data + head.thumbnailOffset, head.thumbnailLength, L"thumbnail.jpg",
                                                {true, [](int) { return 8; }});
      FUZZ_CHECK(!picture.Empty());
    } catch (const EImageError& error) {
      FUZZ_CHECK(!error.Message().empty());
    }
  }
  return 0;
}
