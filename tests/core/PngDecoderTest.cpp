#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include "ImageTestFiles.h"

namespace {

TPngLayout Layout(int width, int height, int bitDepth, int colorType) {
  TPngLayout layout;
  layout.width = width;
  layout.height = height;
  layout.bitDepth = bitDepth;
  layout.colorType = colorType;
  return layout;
}

void ExpectRow(const TBitmap32& b, int y, std::vector<TColor32> want) {
  ASSERT_EQ(b.Width(), int(want.size()));
  for (int x = 0; x < b.Width(); ++x) EXPECT_EQ(b.Pixel(x, y), want[std::size_t(x)]) << "x " << x << " y " << y;
}

}  // namespace

TEST(PngDecoder, EveryColourTypeToStraightArgb) {
  // RGBA keeps its alpha unmultiplied.
  ExpectRow(DecodeBytes(EncodePng(Layout(2, 1, 8, PNG_COLOR_TYPE_RGB_ALPHA), {{255, 0, 0, 128, 1, 2, 3, 0}}), L"a.png"),
            0, {0x80FF0000, 0x00010203});
  ExpectRow(DecodeBytes(EncodePng(Layout(1, 1, 8, PNG_COLOR_TYPE_RGB), {{9, 8, 7}}), L"a.png"), 0, {0xFF090807});
  // Palette with tRNS: entries past the alpha table are opaque.
  TPngLayout palette = Layout(3, 1, 4, PNG_COLOR_TYPE_PALETTE);
  palette.palette = {0x112233, 0x445566, 0x778899};
  palette.paletteAlpha = {0, 200};
  ExpectRow(DecodeBytes(EncodePng(palette, {{0x01, 0x20}}), L"a.png"), 0, {0x00112233, 0xC8445566, 0xFF778899});
  // Grey at 1, 2 and 8 bits, grey with alpha.
  ExpectRow(DecodeBytes(EncodePng(Layout(3, 1, 1, PNG_COLOR_TYPE_GRAY), {{0xA0}}), L"a.png"), 0,
            {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF});
  ExpectRow(DecodeBytes(EncodePng(Layout(2, 1, 2, PNG_COLOR_TYPE_GRAY), {{0x60}}), L"a.png"), 0,
            {0xFF555555, 0xFFAAAAAA});
  ExpectRow(DecodeBytes(EncodePng(Layout(1, 1, 8, PNG_COLOR_TYPE_GRAY_ALPHA), {{77, 99}}), L"a.png"), 0, {0x634D4D4D});
  // 16-bit samples round to 8 bits.
  ExpectRow(DecodeBytes(
                EncodePng(Layout(1, 1, 16, PNG_COLOR_TYPE_RGB_ALPHA), {{0xFF, 0xFF, 0x80, 0x80, 0, 0x7F, 0x80, 0x80}}),
                L"a.png"),
            0, {0x80FF8000});
}

TEST(PngDecoder, InterlacedRowsLandInPlace) {
  TPngLayout layout = Layout(9, 9, 8, PNG_COLOR_TYPE_RGB);
  layout.interlaced = true;
  std::vector<TBytes> rows;
  for (int y = 0; y < 9; ++y) {
    rows.emplace_back();
    for (int x = 0; x < 9; ++x) rows.back().insert(rows.back().end(), {std::uint8_t(x * 20), std::uint8_t(y * 20), 7});
  }
  const TBitmap32 b = DecodeBytes(EncodePng(layout, rows), L"i.png");
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) EXPECT_EQ(b.Pixel(x, y), Color32(255, std::uint8_t(x * 20), std::uint8_t(y * 20), 7));
}

TEST(PngDecoder, DamagedFilesRefusedCleanly) {
  std::vector<TBytes> rows(16, TBytes(16 * 3, 90));
  const TBytes good = EncodePng(Layout(16, 16, 8, PNG_COLOR_TYPE_RGB), rows);
  EXPECT_EQ(CountRefused(Truncations(good), L"cut.png"), int(Truncations(good).size()));
  EXPECT_GE(CountRefused(ByteFlips(good, good.size()), L"flip.png"), 30);
  // The same from memory: whole, it reads as from a file; cut anywhere, refused.
  EXPECT_EQ(DecodePngBytes(good.data(), good.size(), L"mem.png").Pixel(15, 15), 0xFF5A5A5Au);
  for (std::size_t size = 0; size < good.size(); size += 7)
    EXPECT_THROW(DecodePngBytes(good.data(), size, L"mem.png"), EImageError) << size;

  // Declared sizes with a correct CRC, so that only the size is wrong.
  auto withSize = [&](std::uint32_t w, std::uint32_t h) {
    TBytes bytes = good;
    for (int i = 0; i < 4; ++i) {
      bytes[16 + i] = std::uint8_t(w >> (24 - 8 * i));
      bytes[20 + i] = std::uint8_t(h >> (24 - 8 * i));
    }
    const uLong crc = crc32(0, bytes.data() + 12, 17);
    for (int i = 0; i < 4; ++i) bytes[29 + i] = std::uint8_t(crc >> (24 - 8 * i));
    return bytes;
  };
  EXPECT_NO_THROW(DecodeBytes(withSize(16, 16), L"same.png"));
  for (auto size : {std::pair<std::uint32_t, std::uint32_t>{40000, 40000}, {20000, 6000}, {0, 16}})
    EXPECT_THROW(DecodeBytes(withSize(size.first, size.second), L"huge.png"), EImageError) << size.first;
}
