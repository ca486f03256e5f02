#include <chrono>

#include <gtest/gtest.h>

#include "ImageTestFiles.h"

namespace {

// Four quadrants: red, green / blue, white.
TBytes QuadrantJpeg(bool progressive) {
  TJpegLayout layout{64, 48, 3, progressive};
  return EncodeJpeg(layout, [](int x, int y, unsigned char* px) {
    const std::uint32_t c = y < 24 ? (x < 32 ? 0xFF0000 : 0x00FF00) : (x < 32 ? 0x0000FF : 0xFFFFFF);
    px[0] = static_cast<unsigned char>(c >> 16);
    px[1] = static_cast<unsigned char>(c >> 8);
    px[2] = static_cast<unsigned char>(c);
  });
}

void ExpectQuadrants(const TBitmap32& b, int tolerance) {
  ASSERT_EQ(b.Width(), 64);
  ASSERT_EQ(b.Height(), 48);
  EXPECT_TRUE(ColourNear(b.Pixel(10, 10), 0xFFFF0000, tolerance));
  EXPECT_TRUE(ColourNear(b.Pixel(50, 10), 0xFF00FF00, tolerance));
  EXPECT_TRUE(ColourNear(b.Pixel(10, 40), 0xFF0000FF, tolerance));
  EXPECT_TRUE(ColourNear(b.Pixel(50, 40), 0xFFFFFFFF, tolerance));
}

std::size_t FindSof(const TBytes& bytes) {
  for (std::size_t i = 2; i + 1 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && (bytes[i + 1] == 0xC0 || bytes[i + 1] == 0xC2)) return i;
  return 0;
}

}  // namespace

TEST(JpegDecoder, ColoursOfBaselineProgressiveAndFastDecoding) {
  ExpectQuadrants(DecodeBytes(QuadrantJpeg(false), L"q.jpg"), 8);
  ExpectQuadrants(DecodeBytes(QuadrantJpeg(true), L"q.jpeg"), 8);
  ExpectQuadrants(DecodeBytes(QuadrantJpeg(false), L"q.jpg", {true, nullptr}), 12);

  const TBytes grey = EncodeJpeg({32, 8, 1}, [](int x, int, unsigned char* px) { px[0] = x < 16 ? 40 : 220; });
  const TBitmap32 g = DecodeBytes(grey, L"g.jpg");
  EXPECT_TRUE(ColourNear(g.Pixel(4, 4), 0xFF282828, 4));
  EXPECT_TRUE(ColourNear(g.Pixel(28, 4), 0xFFDCDCDC, 4));
}

// Adobe's CMYK stores 255 for no ink, plain CMYK the ink itself; both must
// come out as the same red at half black.
TEST(JpegDecoder, CmykInvertedAndPlain) {
  for (bool adobe : {true, false}) {
    TJpegLayout layout{16, 16, 4};
    layout.adobeMarker = adobe;
    const TBytes bytes = EncodeJpeg(layout, [&](int, int, unsigned char* px) {
      const unsigned char ink[] = {0, 255, 255, 128};
      for (int i = 0; i < 4; ++i) px[i] = adobe ? 255 - ink[i] : ink[i];
    });
    const TBitmap32 b = DecodeBytes(bytes, L"cmyk.jpg");
    EXPECT_TRUE(ColourNear(b.Pixel(8, 8), 0xFF7F0000, 4)) << "adobe " << adobe;
  }
}

TEST(JpegDecoder, DamagedFilesRefusedCleanly) {
  const TBytes good = QuadrantJpeg(false);
  EXPECT_EQ(CountRefused(Truncations(good), L"cut.jpg"), int(Truncations(good).size()));
  EXPECT_EQ(CountRefused(Truncations(QuadrantJpeg(true)), L"cut.jpg"), int(Truncations(good).size()));
  // Flipped header bytes: each decodes (libjpeg reads past some) or is refused.
  EXPECT_GE(CountRefused(ByteFlips(good, 700), L"flip.jpg"), 100);

  const std::size_t sof = FindSof(good);
  ASSERT_NE(sof, 0u);
  auto withSize = [&](unsigned w, unsigned h) {
    TBytes bytes = good;
    bytes[sof + 5] = static_cast<unsigned char>(h >> 8);
    bytes[sof + 6] = static_cast<unsigned char>(h);
    bytes[sof + 7] = static_cast<unsigned char>(w >> 8);
    bytes[sof + 8] = static_cast<unsigned char>(w);
    return bytes;
  };
  const auto start = std::chrono::steady_clock::now();
  for (auto size : {std::pair<unsigned, unsigned>{40000, 40000}, {20000, 6000}, {30001, 1}, {0, 10}})
    EXPECT_THROW(DecodeBytes(withSize(size.first, size.second), L"huge.jpg"), EImageError) << size.first;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

// Each scan of a progressive file is a pass over the whole picture; a file
// that repeats its last scan without end is refused, not decoded for minutes.
TEST(JpegDecoder, EndlessProgressiveScansRefused) {
  const TBytes good = QuadrantJpeg(true);
  std::size_t lastScan = 0;
  for (std::size_t i = 0; i + 1 < good.size(); ++i)
    if (good[i] == 0xFF && good[i + 1] == 0xDA) lastScan = i;
  const TBytes scan(good.begin() + std::ptrdiff_t(lastScan), good.end() - 2);
  for (int repeats : {20, 1200}) {
    TBytes bytes(good.begin(), good.end() - 2);
    for (int i = 0; i < repeats; ++i) bytes.insert(bytes.end(), scan.begin(), scan.end());
    bytes.insert(bytes.end(), {0xFF, 0xD9});
    std::wstring message;
    try {
      DecodeBytes(bytes, L"scans.jpg");
    } catch (const EImageError& e) {
      message = e.Message();
    }
    if (repeats < 1000)
      EXPECT_EQ(message, L"");
    else
      EXPECT_NE(message.find(L"too many progressive scans"), std::wstring::npos);
  }
}
