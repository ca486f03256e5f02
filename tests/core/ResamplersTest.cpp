#include "core/raster/Resamplers.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TBitmap32 Stretched(const TBitmap32& source, int w, int h) {
  TBitmap32 target(w, h);
  StretchBitmap(target, {0, 0, w, h}, source);
  return target;
}

}  // namespace

// Black left column, white right column, 2x2 to 32x32: each source pixel holds
// its colour over the 8 outer target pixels, the 16 between ramp up evenly.
TEST(Resamplers, LinearStretchOfATwoByTwoImage) {
  TBitmap32 source(2, 2);
  source.Fill(kColor32White);
  source.SetPixel(0, 0, kColor32Black);
  source.SetPixel(0, 1, kColor32Black);
  source.SetResampler(LinearResampler());
  const TBitmap32 target = Stretched(source, 32, 32);
  for (int x = 0; x < 32; ++x) {
    const int v = BlueOf(target.Pixel(x, 0));
    EXPECT_EQ(target.Pixel(x, 0), Color32(255, std::uint8_t(v), std::uint8_t(v), std::uint8_t(v))) << x;
    EXPECT_EQ(target.Pixel(x, 31), target.Pixel(x, 0)) << "rows alike at " << x;
    if (x < 8 || x >= 24) {
      EXPECT_EQ(v, x < 8 ? 0 : 255) << x;
    } else {
      EXPECT_LT(BlueOf(target.Pixel(x - 1, 0)), v) << "rising at " << x;
    }
    EXPECT_EQ(v + BlueOf(target.Pixel(31 - x, 0)), 255) << "symmetric at " << x;
  }
  EXPECT_EQ(BlueOf(target.Pixel(8, 0)), 8);  // a sixteenth of the way, less half a step
}

// A transparent pixel's colour must not tint its opaque neighbour's fade.
TEST(Resamplers, TransparentPixelsDoNotBleedTheirColour) {
  TBitmap32 source(2, 1);
  source.SetPixel(0, 0, 0xFFFF0000);
  source.SetPixel(1, 0, 0x0000FF00);
  for (const auto& resampler : {LinearResampler(), DraftResampler()}) {
    source.SetResampler(resampler);
    const TBitmap32 target = Stretched(source, 9, 1);
    for (int x = 0; x < 9; ++x) {
      const TColor32 p = target.Pixel(x, 0);
      EXPECT_TRUE(p == 0 || (p & 0xFFFFFF) == 0xFF0000) << x;
      EXPECT_LE(AlphaOf(p), AlphaOf(target.Pixel(x > 0 ? x - 1 : 0, 0))) << "fading at " << x;
    }
  }
  EXPECT_EQ(Stretched(source, 1, 1).Pixel(0, 0), 0x80FF0000u);  // draft: half the alpha, all of the red
}

TEST(Resamplers, DraftAveragesBlocksOrRepeatsPixels) {
  TBitmap32 source(4, 2);
  const TColor32 pixels[2][4] = {{0xFF000000, 0xFF0000FF, 0xFF00FF00, 0xFFFFFFFF},
                                 {0xFF0000FF, 0xFF000000, 0xFFFF0000, 0xFFFFFFFF}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) source.SetPixel(x, y, pixels[y][x]);
  source.SetResampler(DraftResampler());
  const TBitmap32 halved = Stretched(source, 2, 1);
  EXPECT_EQ(halved.Pixel(0, 0), 0xFF000080u);  // 510 / 4 rounds to 128
  EXPECT_EQ(halved.Pixel(1, 0), 0xFFBFBF80u);
  const TBitmap32 doubled = Stretched(source, 8, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(doubled.Pixel(x, y), source.Pixel(x / 2, y / 2)) << x << "," << y;
}

// A photograph to a thumbnail: every pixel is read into some block, so a
// checkerboard averages to gray instead of point samples of black or white.
TEST(Resamplers, DraftShrinksALargePictureByAveraging) {
  TBitmap32 source(4000, 3000);
  for (int y = 0; y < 3000; ++y)
    for (int x = 0; x < 4000; ++x) source.Row(y)[x] = (x + y) % 2 ? kColor32White : kColor32Black;
  source.SetResampler(DraftResampler());
  const TBitmap32 thumb = Stretched(source, 32, 32);
  for (int i = 0; i < 32 * 32; ++i) {
    const TColor32 p = thumb.Bits()[i];
    ASSERT_EQ(AlphaOf(p), 255);
    ASSERT_LE(std::abs(RedOf(p) - 128), 1) << i;
  }
}

// Partly off a smaller target at a negative point, a stretch shows the same
// pixels as the whole stretch, and leaves the rest of the target alone; at the
// source's own size it copies exactly.
TEST(Resamplers, StretchIsClippedAndExactAtTheSameSize) {
  TBitmap32 source(4, 4);
  for (int i = 0; i < 16; ++i)
    source.Bits()[i] =
        Color32(std::uint8_t(0x40 + 8 * i), std::uint8_t(16 * i), std::uint8_t(255 - 16 * i), std::uint8_t(7 * i));
  for (const auto& resampler : {LinearResampler(), DraftResampler()}) {
    source.SetResampler(resampler);
    const TBitmap32 same = Stretched(source, 4, 4);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(same.Bits()[i], source.Bits()[i]) << i;
    const TBitmap32 whole = Stretched(source, 12, 12);
    TBitmap32 target(8, 8);
    target.Fill(0xFF112233);
    StretchBitmap(target, {-5, -3, 7, 9}, source);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        EXPECT_EQ(target.Pixel(x, y), x < 7 ? whole.Pixel(x + 5, y + 3) : 0xFF112233u) << x << "," << y;
  }
}
