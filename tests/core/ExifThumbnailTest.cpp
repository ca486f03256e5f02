#include "core/imaging/ExifThumbnail.h"

#include <cstring>

#include <gtest/gtest.h>

#include "../common/ExifJpeg.h"
#include "ImageTestFiles.h"
#include "core/imaging/Thumbnails.h"

using namespace exifjpeg;

namespace {

constexpr std::uint32_t kRed = 0xFF0000, kBlue = 0x0000FF;

TByteString CameraFile(const TExifLayout& layout) {
  return SolidJpegWithMarkers(64, 48, kRed, {{JPEG_APP0 + 1, ComposeExifSegment(layout)}});
}

TJpegHead HeadOf(const TByteString& bytes) { return ReadJpegHead(bytes.data(), bytes.size()); }

// Where the main picture's frame header ends: the head reads no further.
std::size_t HeadEnd(const TByteString& bytes) {
  for (std::size_t i = bytes.size() - 2; i > 2; --i)
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) return i + 10;
  return 0;
}

// A thumbnail reported must lie in the bytes and start a JPEG.
void ExpectThumbnailInside(const TJpegHead& head, const TByteString& bytes) {
  if (head.thumbnailLength == 0) return;
  ASSERT_LE(head.thumbnailOffset + head.thumbnailLength, bytes.size());
  EXPECT_EQ(bytes[head.thumbnailOffset], 0xFF);
  EXPECT_EQ(bytes[head.thumbnailOffset + 1], 0xD8);
}

}  // namespace

TEST(ExifThumbnail, ReadsOrientationAndThumbnailOfBothByteOrders_RefusesWhatLiesOutside) {
  const TByteString thumbnail = SolidJpegWithMarkers(40, 30, kBlue, {});
  const auto size = static_cast<std::int64_t>(thumbnail.size());
  struct {
    const char* name;
    bool bigEndian;
    int orientation;
    TIfdLinks links;
    bool withThumbnail;
    std::int64_t offsetShift, lengthShift;
    int expectedOrientation;
    bool found;
  } cases[] = {
      {"little-endian", false, 6, TIfdLinks::Plain, true, 0, 0, 6, true},
      {"big-endian", true, 3, TIfdLinks::Plain, true, 0, 0, 3, true},
      {"no orientation tag", true, 0, TIfdLinks::Plain, true, 0, 0, 1, true},
      {"orientation out of range", false, 9, TIfdLinks::Plain, true, 0, 0, 1, true},
      {"no IFD1", false, 8, TIfdLinks::NoIfd1, true, 0, 0, 8, false},
      {"IFD1 without a thumbnail", true, 5, TIfdLinks::Plain, false, 0, 0, 5, false},
      {"IFD0 linked to itself", false, 6, TIfdLinks::Ifd0ToItself, true, 0, 0, 6, false},
      {"IFD1 linked to itself", true, 6, TIfdLinks::Ifd1ToItself, true, 0, 0, 6, true},
      {"IFD1 past the end", false, 2, TIfdLinks::Ifd1PastTheEnd, true, 0, 0, 2, false},
      {"offset past the end", false, 1, TIfdLinks::Plain, true, 100000, 0, 1, false},
      {"offset wrapping round", true, 1, TIfdLinks::Plain, true, 0xFFFFFFF0LL, 0, 1, false},
      {"offset before the thumbnail", false, 1, TIfdLinks::Plain, true, -1, 0, 1, false},
      {"length past the end", true, 1, TIfdLinks::Plain, true, 0, 1, 1, false},
      {"length huge", false, 1, TIfdLinks::Plain, true, 0, 0xFFFF0000LL, 1, false},
      {"length zero", false, 1, TIfdLinks::Plain, true, 0, -size, 1, false},
      {"cut before its frame header", true, 1, TIfdLinks::Plain, true, 0, -size + 20, 1, false},
      // Cut after its frame header: found here, refused by its decoding.
      {"cut after its frame header", false, 1, TIfdLinks::Plain, true, 0, -20, 1, true},
  };
  for (const auto& c : cases) {
    TExifLayout layout;
    layout.bigEndian = c.bigEndian;
    layout.orientation = c.orientation;
    layout.links = c.links;
    if (c.withThumbnail) layout.thumbnail = thumbnail;
    layout.offsetShift = c.offsetShift;
    layout.lengthShift = c.lengthShift;
    const TByteString bytes = CameraFile(layout);
    const TJpegHead head = HeadOf(bytes);
    EXPECT_EQ(head.frame.marker, 0xC0) << c.name;
    EXPECT_EQ(head.frame.width, 64) << c.name;
    EXPECT_EQ(head.frame.height, 48) << c.name;
    EXPECT_EQ(head.frame.components, 3) << c.name;
    EXPECT_EQ(head.needed, 0u) << c.name;
    EXPECT_EQ(head.orientation, c.expectedOrientation) << c.name;
    EXPECT_EQ(head.thumbnailLength != 0, c.found) << c.name;
    ExpectThumbnailInside(head, bytes);
    if (c.found) {
      EXPECT_EQ(head.thumbnailLength, static_cast<std::size_t>(size + c.lengthShift)) << c.name;
      EXPECT_EQ(0, std::memcmp(bytes.data() + head.thumbnailOffset, thumbnail.data(), head.thumbnailLength));
      EXPECT_EQ(head.thumbnailFrame.width, 40) << c.name;
      EXPECT_EQ(head.thumbnailFrame.height, 30) << c.name;
    }
  }
}

TEST(ExifThumbnail, OtherSegmentsAndFilesWithoutExif) {
  TExifLayout layout;
  layout.orientation = 6;
  layout.thumbnail = SolidJpegWithMarkers(40, 30, kBlue, {});
  const TByteString exif = ComposeExifSegment(layout);
  const TByteString xmp = {'h', 't', 't', 'p', ':', '/', '/', 'n', 's', '.', 'a', 'd', 'o', 'b', 'e', '.'};
  TByteString cutExif = exif;
  cutExif.resize(6 + 8 + 2 + 12);  // the header and IFD0's count and first entry
  struct {
    const char* name;
    std::vector<TMarker> markers;
    int orientation;
    bool found;
  } cases[] = {
      {"no Exif", {}, 1, false},
      {"XMP before Exif", {{JPEG_APP0 + 1, xmp}, {JPEG_APP0 + 1, exif}}, 6, true},
      {"Exif in APP2", {{JPEG_APP0 + 2, exif}}, 1, false},
      {"a second Exif is not read", {{JPEG_APP0 + 1, cutExif}, {JPEG_APP0 + 1, exif}}, 1, false},
      {"Exif after a large segment", {{JPEG_APP0 + 2, TByteString(65000, 7)}, {JPEG_APP0 + 1, exif}}, 6, true},
  };
  for (const auto& c : cases) {
    const TByteString bytes = SolidJpegWithMarkers(64, 48, kRed, c.markers);
    const TJpegHead head = HeadOf(bytes);
    EXPECT_EQ(head.frame.width, 64) << c.name;
    EXPECT_EQ(head.orientation, c.orientation) << c.name;
    EXPECT_EQ(head.thumbnailLength != 0, c.found) << c.name;
    ExpectThumbnailInside(head, bytes);
  }
  for (const TByteString& notJpeg : {TByteString{}, TByteString{0xFF}, TByteString{0x89, 'P', 'N', 'G'}}) {
    const TJpegHead head = HeadOf(notJpeg);
    EXPECT_EQ(head.frame.marker, 0);
    EXPECT_EQ(head.thumbnailLength, 0u);
  }
}

// Every cut of the head: no frame, and a need for more bytes that, followed,
// reaches the frame in a few steps (the thumbnail code reads the head so).
TEST(ExifThumbnail, CutHeadsAskForMore) {
  TExifLayout layout;
  layout.bigEndian = true;
  layout.thumbnail = SolidJpegWithMarkers(40, 30, kBlue, {});
  const TByteString bytes = SolidJpegWithMarkers(
      64, 48, kRed, {{JPEG_APP0 + 1, ComposeExifSegment(layout)}, {JPEG_APP0 + 13, TByteString(300, 0xFF)}});
  const std::size_t end = HeadEnd(bytes);
  ASSERT_GT(end, 0u);
  for (std::size_t cut = 0; cut < end; ++cut) {
    const TByteString part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
    const TJpegHead head = HeadOf(part);
    ASSERT_EQ(head.frame.marker, 0) << cut;
    ASSERT_GT(head.needed, cut) << cut;
    ASSERT_LE(head.needed, end) << cut;
  }
  std::size_t have = 0;
  int steps = 0;
  for (TJpegHead head; head.frame.marker == 0 && steps < 30; ++steps) {
    head = ReadJpegHead(bytes.data(), have);
    have = head.needed;
  }
  EXPECT_LE(steps, 16);
}

// Damage anywhere in the head: each byte in turn set to several values.
TEST(ExifThumbnail, DamagedHeadsNeverReadOutside) {
  TExifLayout layout;
  layout.orientation = 6;
  layout.thumbnail = SolidJpegWithMarkers(16, 16, kBlue, {});
  const TByteString bytes = CameraFile(layout);
  for (std::size_t at = 0; at < HeadEnd(bytes); ++at) {
    for (const unsigned char value : {0x00, 0x01, 0x7F, 0xFF}) {
      TByteString damaged(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(HeadEnd(bytes)));
      damaged[at] = value;
      ExpectThumbnailInside(HeadOf(damaged), damaged);
    }
  }
}

TEST(ExifThumbnail, RuleForUsingIt) {
  struct {
    int mainWidth, mainHeight, thumbnailWidth, thumbnailHeight, orientation, size;
    bool used;
  } cases[] = {
      {4000, 3000, 160, 120, 1, 32, true},
      {4000, 3000, 120, 160, 1, 32, false},
      {4000, 3000, 160, 160, 1, 32, false},
      {3000, 4000, 120, 160, 1, 32, true},
      {6000, 4000, 160, 107, 1, 32, true},
      {6000, 4000, 160, 106, 1, 32, true},
      {6000, 4000, 160, 120, 1, 32, false},  // letterboxed
      {6000, 4000, 160, 104, 1, 32, false},
      {1000, 1000, 160, 160, 1, 32, true},
      {4000, 3000, 160, 120, 1, 120, true},
      {4000, 3000, 160, 120, 1, 121, false},
      {4000, 3000, 32, 24, 1, 32, false},
      {400, 300, 24, 18, 1, 16, true},
      // Turned by a quarter: the stored shape still counts.
      {4000, 3000, 160, 120, 6, 32, true},
      {4000, 3000, 120, 160, 6, 32, false},
      {4000, 3000, 160, 120, 8, 32, true},
      {4000, 3000, 120, 160, 5, 32, false},
      {4000, 3000, 120, 160, 3, 32, false},
      {0, 3000, 160, 120, 1, 32, false},
      {40000, 30000, 160, 120, 1, 32, false},
      {160, 120, 160, 120, 1, 32, true},
      {120, 90, 160, 120, 1, 32, false},  // larger than the picture
  };
  for (const auto& c : cases) {
    TJpegHead head;
    head.frame = {0xC0, 8, c.mainWidth, c.mainHeight, 3};
    head.thumbnailFrame = {0xC0, 8, c.thumbnailWidth, c.thumbnailHeight, 3};
    head.thumbnailOffset = 100;
    head.thumbnailLength = 5000;
    head.orientation = c.orientation;
    EXPECT_EQ(UseEmbeddedThumbnail(head, c.size), c.used)
        << c.mainWidth << "x" << c.mainHeight << " " << c.thumbnailWidth << "x" << c.thumbnailHeight << " o"
        << c.orientation << " s" << c.size;
  }
  // Frames the decoder would not read whole, of either picture.
  struct {
    TJpegFrame main, thumbnail;
    bool used;
  } frames[] = {
      {{0xC2, 8, 4000, 3000, 1}, {0xC1, 8, 160, 120, 4}, true},
      {{0xC3, 8, 4000, 3000, 3}, {0xC0, 8, 160, 120, 3}, false},
      {{0xC0, 12, 4000, 3000, 3}, {0xC0, 8, 160, 120, 3}, false},
      {{0xC0, 8, 4000, 3000, 2}, {0xC0, 8, 160, 120, 3}, false},
      {{0xC0, 8, 4000, 3000, 3}, {0xC9, 8, 160, 120, 3}, false},
      {{0xC0, 8, 4000, 3000, 3}, {0, 0, 0, 0, 0}, false},
  };
  for (const auto& f : frames) {
    TJpegHead head;
    head.frame = f.main;
    head.thumbnailFrame = f.thumbnail;
    head.thumbnailLength = 5000;
    EXPECT_EQ(UseEmbeddedThumbnail(head, 32), f.used) << f.main.marker << " " << f.thumbnail.marker;
  }
  TJpegHead none;
  none.frame = {0xC0, 8, 4000, 3000, 3};
  none.thumbnailFrame = {0xC0, 8, 160, 120, 3};
  EXPECT_FALSE(UseEmbeddedThumbnail(none, 32)) << "no thumbnail bytes";
}

// The main picture red, the thumbnail blue: the colour shows which was drawn.
TEST(ExifThumbnail, ThumbnailSourceUsesTheEmbeddedPictureWhenTheRuleSaysSo) {
  const TByteString good = SolidJpegWithThumbnail(320, 240, kRed, 160, 120, kBlue);
  TExifLayout cut;
  cut.thumbnail = SolidJpegWithMarkers(160, 120, kBlue, {});
  cut.lengthShift = -20;
  TByteString trailing = good;
  trailing.insert(trailing.end(), {0, 0, 0, 0});
  const TByteString exif = ComposeExifSegment([] {
    TExifLayout l;
    l.thumbnail = SolidJpegWithMarkers(160, 120, kBlue, {});
    return l;
  }());
  const TByteString padding(60000, 1);
  struct {
    const char* name;
    TByteString bytes;
    bool fast;
    int size;
    std::uint32_t colour;
    int width, height;
  } cases[] = {
      {"embedded, reduced by both sides", good, true, 32, kBlue, 80, 60},
      {"embedded, full size", good, true, 64, kBlue, 160, 120},
      {"full quality decodes the picture", good, false, 32, kRed, 320, 240},
      {"too small", SolidJpegWithThumbnail(320, 240, kRed, 24, 18, kBlue), true, 32, kRed, 40, 30},
      {"turned", SolidJpegWithThumbnail(320, 240, kRed, 120, 160, kBlue), true, 32, kRed, 40, 30},
      {"square", SolidJpegWithThumbnail(320, 240, kRed, 160, 160, kBlue), true, 32, kRed, 40, 30},
      {"orientation 6, stored shape", SolidJpegWithThumbnail(320, 240, kRed, 160, 120, kBlue, 6), true, 32, kBlue, 80,
       60},
      {"orientation 6, turned", SolidJpegWithThumbnail(320, 240, kRed, 120, 160, kBlue, 6), true, 32, kRed, 40, 30},
      {"damaged", SolidJpegWithMarkers(320, 240, kRed, {{JPEG_APP0 + 1, ComposeExifSegment(cut)}}), true, 32, kRed, 40,
       30},
      {"data after the end marker", trailing, true, 32, kRed, 40, 30},
      {"Exif beyond the first read",
       SolidJpegWithMarkers(320, 240, kRed,
                            {{JPEG_APP0 + 2, padding}, {JPEG_APP0 + 2, padding}, {JPEG_APP0 + 1, exif}}),
       true, 32, kBlue, 80, 60},
  };
  for (const auto& c : cases) {
    const auto picture = DecodeThumbnailSource(WriteScratchFile(L"camera.jpg", c.bytes), c.fast, c.size);
    ASSERT_TRUE(picture.has_value()) << c.name;
    EXPECT_EQ(picture->Width(), c.width) << c.name;
    EXPECT_EQ(picture->Height(), c.height) << c.name;
    EXPECT_TRUE(ColourNear(picture->Pixel(picture->Width() / 2, picture->Height() / 2), 0xFF000000 | c.colour, 12))
        << c.name;
  }
  // A file cut short is refused as before, though its head holds a thumbnail.
  const TByteString truncated(good.begin(), good.end() - 10);
  EXPECT_THROW(DecodeThumbnailSource(WriteScratchFile(L"cut.jpg", truncated), true), EImageError);
  TBitmap32 target(32, 32);
  ASSERT_TRUE(LoadThumbnail(WriteScratchFile(L"camera.jpg", good), target, true));
  EXPECT_TRUE(ColourNear(target.Pixel(16, 16), 0xFF0000FF, 12));
}

TEST(ExifThumbnail, DecodeJpegBytesReadsAsTheFileDecoderDoes) {
  const TByteString bytes = SolidJpegWithMarkers(48, 32, 0x20C040, {});
  const TBitmap32 fromMemory = DecodeJpegBytes(bytes.data(), bytes.size(), L"m.jpg");
  const TBitmap32 fromFile = DecodeBytes(bytes, L"m.jpg");
  ASSERT_EQ(fromMemory.Width(), 48);
  ASSERT_EQ(fromMemory.Height(), 32);
  EXPECT_EQ(0, std::memcmp(fromMemory.Bits(), fromFile.Bits(), 48 * 32 * sizeof(TColor32)));
  const TBitmap32 reduced = DecodeJpegBytes(bytes.data(), bytes.size(), L"m.jpg", {true, [](int) { return 4; }});
  EXPECT_EQ(reduced.Width(), 12);
  for (const TByteString& cut : Truncations(bytes)) {
    try {
      DecodeJpegBytes(cut.data(), cut.size(), L"m.jpg");
      ADD_FAILURE() << "a cut of " << cut.size() << " bytes decoded";
    } catch (const EImageError& e) {
      EXPECT_TRUE(e.Message().find(L"ends too early") != std::wstring::npos ||
                  e.Message().find(L"not a JPEG file") != std::wstring::npos)
          << cut.size();
    }
  }
  EXPECT_THROW(DecodeJpegBytes(nullptr, 0, L"m.jpg"), EImageError);
}
