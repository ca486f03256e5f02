#include <gtest/gtest.h>

#include "ImageTestFiles.h"

namespace {

const std::vector<std::uint32_t> kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

TGifFrame Frame(int left, int top, int width, int height) {
  TGifFrame frame;
  frame.left = left;
  frame.top = top;
  frame.width = width;
  frame.height = height;
  for (int y = 0; y < height; ++y) {
    frame.rows.emplace_back();
    for (int x = 0; x < width; ++x) frame.rows.back().push_back(static_cast<unsigned char>((x + y) % 4));
  }
  return frame;
}

TColor32 Expected(int x, int y, const std::vector<std::uint32_t>& palette = kPalette) {
  return 0xFF000000u | palette[std::size_t((x + y) % 4)];
}

}  // namespace

TEST(GifDecoder, FirstFrameAtItsOwnSizeAllOpaque) {
  for (bool interlaced : {false, true}) {
    TGifFrame first = Frame(2, 3, 5, 11);
    first.interlaced = interlaced;
    first.transparentIndex = 1;  // shown in its palette colour all the same
    const TBitmap32 b = DecodeBytes(EncodeGif(10, 20, kPalette, {first, Frame(0, 0, 10, 20)}), L"a.gif");
    ASSERT_EQ(b.Width(), 5);
    ASSERT_EQ(b.Height(), 11);
    for (int y = 0; y < 11; ++y)
      for (int x = 0; x < 5; ++x) EXPECT_EQ(b.Pixel(x, y), Expected(x, y)) << x << "," << y << " " << interlaced;
  }
  // A local colour table wins over the global one.
  TGifFrame local = Frame(0, 0, 4, 2);
  local.localPalette = {0x101010, 0x202020, 0x303030, 0x404040};
  const TBitmap32 b = DecodeBytes(EncodeGif(4, 2, kPalette, {local}), L"a.gif");
  EXPECT_EQ(b.Pixel(3, 1), Expected(3, 1, local.localPalette));
}

TEST(GifDecoder, DamagedFilesRefusedCleanly) {
  const TBytes good = EncodeGif(16, 16, kPalette, {Frame(0, 0, 16, 16)});
  EXPECT_EQ(CountRefused(Truncations(good), L"cut.gif"), int(Truncations(good).size()));
  EXPECT_GE(CountRefused(ByteFlips(good, good.size()), L"flip.gif"), 10);
  EXPECT_THROW(DecodeBytes(EncodeGif(4, 4, {}, {Frame(0, 0, 4, 4)}), L"nocolours.gif"), EImageError);
  EXPECT_THROW(DecodeBytes(EncodeGif(4, 4, kPalette, {}), L"nopicture.gif"), EImageError);

  // The image descriptor follows the header (13 bytes) and the global table
  // (12): separator, left, top, width, height.
  TBytes huge = good;
  ASSERT_EQ(huge[25], ',');
  for (std::size_t at : {std::size_t{30}, std::size_t{32}}) {
    huge[at] = 40000 & 0xFF;
    huge[at + 1] = 40000 >> 8;
  }
  EXPECT_THROW(DecodeBytes(huge, L"huge.gif"), EImageError);
}
