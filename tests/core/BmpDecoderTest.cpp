#include <chrono>

#include <gtest/gtest.h>

#include "ImageTestFiles.h"

namespace {

// The 3 x 2 picture most variants hold (an odd width, so rows are padded).
const std::uint32_t kTop[] = {0xFF0000, 0x00FF00, 0x0000FF};
const std::uint32_t kBottom[] = {0xFFFFFF, 0x000000, 0xFFFF00};
const std::vector<std::uint32_t> kPalette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0xFFFF00};

struct TBmp {
  std::uint32_t headerSize = 40;
  std::int32_t width = 3, height = 2;  // negative height: top-down
  unsigned bits = 24;
  std::uint32_t compression = 0, colorsUsed = 0;
  std::vector<std::uint32_t> masks;    // written after a 40-byte header, inside larger ones
  std::vector<std::uint32_t> palette;  // 0xRRGGBB
  TBytes pixels;                       // as stored, rows in file order
  bool zeroOffset = false;             // bfOffBits left 0, as some writers do
};

TBytes Build(const TBmp& b) {
  TBytes out = {'B', 'M'};
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);  // bfOffBits, set below
  Put32(out, b.headerSize);
  if (b.headerSize == 12) {
    Put16(out, std::uint32_t(b.width));
    Put16(out, std::uint32_t(b.height));
    Put16(out, 1);
    Put16(out, b.bits);
  } else {
    Put32(out, std::uint32_t(b.width));
    Put32(out, std::uint32_t(b.height));
    Put16(out, 1);
    Put16(out, b.bits);
    Put32(out, b.compression);
    for (std::uint32_t v : {0u, 2835u, 2835u, b.colorsUsed, 0u}) Put32(out, v);
    if (b.headerSize == 40)
      for (std::uint32_t m : b.masks) Put32(out, m);
    else {
      for (std::size_t i = 0; i < 4; ++i) Put32(out, i < b.masks.size() ? b.masks[i] : 0);
      out.resize(14 + b.headerSize, 0);
    }
  }
  for (std::uint32_t c : b.palette) {
    for (int shift : {0, 8, 16}) out.push_back(std::uint8_t(c >> shift));
    if (b.headerSize != 12) out.push_back(0);
  }
  if (!b.zeroOffset) PutAt32(out, 10, std::uint32_t(out.size()));
  out.insert(out.end(), b.pixels.begin(), b.pixels.end());
  return out;
}

TBmp Bmp(std::uint32_t headerSize, std::int32_t width, std::int32_t height, unsigned bits,
         std::uint32_t compression = 0, std::uint32_t colorsUsed = 0, std::vector<std::uint32_t> masks = {},
         std::vector<std::uint32_t> palette = {}, TBytes pixels = {}, bool zeroOffset = false) {
  TBmp b;
  b.headerSize = headerSize;
  b.width = width;
  b.height = height;
  b.bits = bits;
  b.compression = compression;
  b.colorsUsed = colorsUsed;
  b.masks = std::move(masks);
  b.palette = std::move(palette);
  b.pixels = std::move(pixels);
  b.zeroOffset = zeroOffset;
  return b;
}

// Packs rows of values (palette indexes, or whole pixels) at the given depth,
// each row padded to four bytes.
TBytes Pack(unsigned bits, const std::vector<std::vector<std::uint32_t>>& rows) {
  TBytes out;
  for (const auto& row : rows) {
    TBytes packed((row.size() * bits + 31) / 32 * 4, 0);
    for (std::size_t x = 0; x < row.size(); ++x) {
      if (bits < 8)
        packed[x * bits / 8] |= std::uint8_t(row[x] << (8 - bits - x * bits % 8));
      else
        for (unsigned i = 0; i < bits / 8; ++i) packed[x * bits / 8 + i] = std::uint8_t(row[x] >> (8 * i));
    }
    out.insert(out.end(), packed.begin(), packed.end());
  }
  return out;
}

// The standard picture, rows bottom-up, each pixel through encode.
TBytes Picture(unsigned bits, std::uint32_t (*encode)(std::uint32_t), bool topDown = false) {
  std::vector<std::vector<std::uint32_t>> rows(2);
  for (int i = 0; i < 3; ++i) {
    rows[0].push_back(encode(kBottom[i]));
    rows[1].push_back(encode(kTop[i]));
  }
  if (topDown) std::swap(rows[0], rows[1]);
  return Pack(bits, rows);
}

std::uint32_t AsIndex(std::uint32_t c) {
  for (std::size_t i = 0; i < kPalette.size(); ++i)
    if (kPalette[i] == c) return std::uint32_t(i);
  return 0;
}
std::uint32_t As24(std::uint32_t c) { return c; }
std::uint32_t As32Junk(std::uint32_t c) { return c | 0x5A000000; }
std::uint32_t As555(std::uint32_t c) { return ((c >> 19 & 31) << 10) | ((c >> 11 & 31) << 5) | (c >> 3 & 31); }
std::uint32_t As565(std::uint32_t c) { return ((c >> 19 & 31) << 11) | ((c >> 10 & 63) << 5) | (c >> 3 & 31); }
std::uint32_t AsRgba(std::uint32_t c) { return (c << 8) | 0x80; }  // masks R 0xFF000000 .. A 0xFF
std::uint32_t AsZeroAlpha(std::uint32_t c) { return c; }

void ExpectPicture(const TBitmap32& b, std::uint32_t alpha = 0xFF000000) {
  ASSERT_EQ(b.Width(), 3);
  ASSERT_EQ(b.Height(), 2);
  for (int x = 0; x < 3; ++x) {
    EXPECT_EQ(b.Pixel(x, 0), alpha | kTop[x]) << x;
    EXPECT_EQ(b.Pixel(x, 1), alpha | kBottom[x]) << x;
  }
}

}  // namespace

TEST(BmpDecoder, EveryUncompressedVariant) {
  const std::vector<std::uint32_t> mask565 = {0xF800, 0x07E0, 0x001F};
  const std::vector<std::uint32_t> maskRgba = {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF};
  const std::vector<std::uint32_t> mask8888 = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  struct {
    const char* what;
    TBmp bmp;
    std::uint32_t alpha;
  } cases[] = {
      {"24 bottom-up", Bmp(40, 3, 2, 24, 0, 0, {}, {}, Picture(24, As24)), 0xFF000000},
      {"24 top-down", Bmp(40, 3, -2, 24, 0, 0, {}, {}, Picture(24, As24, true)), 0xFF000000},
      {"24 no offset", Bmp(40, 3, 2, 24, 0, 0, {}, {}, Picture(24, As24), true), 0xFF000000},
      {"32 fourth byte unused", Bmp(40, 3, 2, 32, 0, 0, {}, {}, Picture(32, As32Junk)), 0xFF000000},
      {"32 V4 plain", Bmp(108, 3, 2, 32, 0, 0, maskRgba, {}, Picture(32, As32Junk)), 0xFF000000},
      {"16 5-5-5", Bmp(40, 3, 2, 16, 0, 0, {}, {}, Picture(16, As555)), 0xFF000000},
      {"16 5-6-5 fields", Bmp(40, 3, 2, 16, 3, 0, mask565, {}, Picture(16, As565)), 0xFF000000},
      {"16 5-6-5 V5", Bmp(124, 3, 2, 16, 3, 0, mask565, {}, Picture(16, As565)), 0xFF000000},
      {"32 V5 alpha mask", Bmp(124, 3, 2, 32, 3, 0, maskRgba, {}, Picture(32, AsRgba)), 0x80000000},
      {"32 V5 alpha all 0", Bmp(124, 3, -2, 32, 3, 0, mask8888, {}, Picture(32, AsZeroAlpha, true)), 0xFF000000},
      {"32 alpha bit fields", Bmp(40, 3, 2, 32, 6, 0, maskRgba, {}, Picture(32, AsRgba)), 0x80000000},
      {"8 palette of 6", Bmp(40, 3, 2, 8, 0, 6, {}, kPalette, Picture(8, AsIndex)), 0xFF000000},
      {"4 palette of 6", Bmp(40, 3, 2, 4, 0, 6, {}, kPalette, Picture(4, AsIndex)), 0xFF000000},
      {"4 short palette", Bmp(40, 3, 2, 4, 0, 0, {}, kPalette, Picture(4, AsIndex)), 0xFF000000},
      {"8 OS/2", Bmp(12, 3, 2, 8, 0, 0, {}, kPalette, Picture(8, AsIndex)), 0xFF000000},
      {"24 OS/2", Bmp(12, 3, 2, 24, 0, 0, {}, {}, Picture(24, As24)), 0xFF000000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectPicture(DecodeBytes(Build(c.bmp), L"v.bmp"), c.alpha);
  }

  // One bit: bits from the top of each byte; an index past the table is black.
  TBmp mono = Bmp(40, 10, 1, 1, 0, 0, {}, {0x000000, 0xFFFFFF}, Pack(1, {{1, 0, 1, 1, 0, 0, 0, 0, 1, 1}}));
  const TBitmap32 m = DecodeBytes(Build(mono), L"m.bmp");
  const int bits[] = {1, 0, 1, 1, 0, 0, 0, 0, 1, 1};
  for (int x = 0; x < 10; ++x) EXPECT_EQ(m.Pixel(x, 0), bits[x] ? kColor32White : kColor32Black) << x;
  TBmp beyond = Bmp(40, 2, 1, 8, 0, 2, {}, {0x112233, 0x445566}, Pack(8, {{1, 7}}));
  const TBitmap32 p = DecodeBytes(Build(beyond), L"p.bmp");
  EXPECT_EQ(p.Pixel(0, 0), 0xFF445566u);
  EXPECT_EQ(p.Pixel(1, 0), kColor32Black);
}

TEST(BmpDecoder, RunLengthEncoded) {
  // 4 x 3 RLE8, bottom row first: a run of 3, end of line; a jump right by 2
  // and up by 1 (row 1 stays empty), a literal group of 3 (padded), end.
  TBmp rle8 = Bmp(40, 4, 3, 8, 1, 4, {}, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF});
  rle8.pixels = {3, 1, 0, 0, 0, 2, 2, 1, 0, 3, 2, 3, 1, 0, 0, 1};
  const TBitmap32 a = DecodeBytes(Build(rle8), L"r8.bmp");
  const TColor32 r = 0xFFFF0000, g = 0xFF00FF00, b = 0xFF0000FF, none = kColor32Transparent;
  const TColor32 want8[3][4] = {{none, none, g, b}, {none, none, none, none}, {r, r, r, none}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(a.Pixel(x, y), want8[y][x]) << x << "," << y;

  // 5 x 2 RLE4: a run of 5 alternating two nibbles, end of line; a literal
  // group of 3 nibbles (2 bytes), then a run of 4 that falls off the row's end.
  TBmp rle4 = Bmp(40, 5, 2, 4, 2, 4, {}, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF});
  rle4.pixels = {5, 0x12, 0, 0, 0, 3, 0x32, 0x10, 4, 0x33, 0, 1};
  const TBitmap32 c = DecodeBytes(Build(rle4), L"r4.bmp");
  const TColor32 want4[2][5] = {{b, g, r, b, b}, {r, g, r, g, r}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(c.Pixel(x, y), want4[y][x]) << x << "," << y;
}

TEST(BmpDecoder, DamagedFilesRefusedCleanly) {
  const TBmp v5 = Bmp(124, 3, 2, 32, 3, 0, {0xFF000000, 0xFF0000, 0xFF00, 0xFF}, {}, Picture(32, AsRgba));
  const TBmp rle = Bmp(40, 4, 3, 8, 1, 4, {}, {0, 1, 2, 3}, {3, 1, 0, 0, 0, 2, 2, 1, 0, 3, 2, 3, 1, 0, 0, 1});
  for (const TBmp& good : {v5, rle}) {
    const TBytes bytes = Build(good);
    EXPECT_EQ(CountRefused(Truncations(bytes), L"cut.bmp"), int(Truncations(bytes).size()));
    EXPECT_GE(CountRefused(ByteFlips(bytes, bytes.size()), L"flip.bmp"), 5);
  }
  struct {
    const char* what;
    TBmp bmp;
  } bad[] = {
      {"40000 x 40000", Bmp(40, 40000, 40000, 24)},
      {"over 100 million pixels", Bmp(40, 20000, -6000, 8)},
      {"empty", Bmp(40, 0, 2, 24)},
      {"negative width", Bmp(40, -3, 2, 24)},
      {"most negative height", Bmp(40, 3, INT32_MIN, 24)},
      {"3 bits", Bmp(40, 3, 2, 3)},
      {"JPEG inside", Bmp(40, 3, 2, 0, 4)},
      {"RLE8 at 4 bits", Bmp(40, 3, 2, 4, 1)},
      {"RLE top-down", Bmp(40, 4, -3, 8, 1, 4, {}, {0, 1, 2, 3}, {0, 1})},
      {"OS/2 2.x header", Bmp(64, 3, 2, 24)},
  };
  const auto start = std::chrono::steady_clock::now();
  for (const auto& c : bad) EXPECT_THROW(DecodeBytes(Build(c.bmp), L"bad.bmp"), EImageError) << c.what;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}
