#include "core/Resamplers.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TBitmap32 Pattern(int w, int h) {
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixel(x, y, Color32(static_cast<std::uint8_t>(255 - 3 * x), static_cast<std::uint8_t>(x * 7 + y),
                               static_cast<std::uint8_t>(y * 5), static_cast<std::uint8_t>(x ^ y)));
  return b;
}

TBitmap32 Stretched(const TBitmap32& source, int w, int h) {
  TBitmap32 target(w, h);
  StretchBitmap(target, {0, 0, w, h}, source);
  return target;
}

}  // namespace

TEST(Resamplers, SameSizeCopiesExactly) {
  for (const auto& resampler : {LinearResampler(), DraftResampler()}) {
    TBitmap32 source = Pattern(7, 5);
    source.SetResampler(resampler);
    const TBitmap32 target = Stretched(source, 7, 5);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) EXPECT_EQ(target.Pixel(x, y), source.Pixel(x, y)) << x << "," << y;
  }
}

// Black left column, white right column, 2x2 to 32x32: each source pixel holds
// its colour over the 8 outer target pixels, the 16 between ramp up evenly.
TEST(Resamplers, LinearStretchOfATwoByTwoImage) {
  TBitmap32 source(2, 2);
  source.SetPixel(0, 0, kColor32Black);
  source.SetPixel(0, 1, kColor32Black);
  source.SetPixel(1, 0, kColor32White);
  source.SetPixel(1, 1, kColor32White);
  source.SetResampler(LinearResampler());
  const TBitmap32 target = Stretched(source, 32, 32);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const TColor32 p = target.Pixel(x, y);
      ASSERT_EQ(AlphaOf(p), 255);
      ASSERT_TRUE(RedOf(p) == GreenOf(p) && GreenOf(p) == BlueOf(p)) << x << "," << y;
      ASSERT_EQ(p, target.Pixel(x, 0)) << "rows alike";
      if (x < 8) {
        EXPECT_EQ(RedOf(p), 0) << x;
      } else if (x >= 24) {
        EXPECT_EQ(RedOf(p), 255) << x;
      } else {
        EXPECT_LT(RedOf(target.Pixel(x - 1, y)), RedOf(p)) << "rising at " << x;
      }
      EXPECT_EQ(RedOf(p) + RedOf(target.Pixel(31 - x, y)), 255) << "symmetric at " << x;
    }
  }
  EXPECT_EQ(RedOf(target.Pixel(8, 0)), 8);  // a sixteenth of the way, less half a step
}

// A transparent pixel's colour must not tint its opaque neighbour's fade.
TEST(Resamplers, TransparentPixelsDoNotBleedTheirColour) {
  TBitmap32 source(2, 1);
  source.SetPixel(0, 0, 0xFFFF0000);
  source.SetPixel(1, 0, 0x0000FF00);
  for (const auto& resampler : {LinearResampler(), DraftResampler()}) {
    source.SetResampler(resampler);
    for (const TBitmap32& target : {Stretched(source, 9, 1), Stretched(source, 1, 1)}) {
      int lastAlpha = 256;
      for (int x = 0; x < target.Width(); ++x) {
        const TColor32 p = target.Pixel(x, 0);
        if (AlphaOf(p) != 0) {
          EXPECT_EQ(p & 0xFFFFFF, 0xFF0000u) << x;
        }
        EXPECT_LE(AlphaOf(p), lastAlpha);
        lastAlpha = AlphaOf(p);
      }
    }
  }
  source.SetResampler(DraftResampler());
  EXPECT_EQ(Stretched(source, 1, 1).Pixel(0, 0), 0x80FF0000u);  // half the alpha, all of the red
}

TEST(Resamplers, DraftAveragesBlocksOrRepeatsPixels) {
  TBitmap32 source(4, 2);
  const TColor32 row0[] = {0xFF000000, 0xFF0000FF, 0xFF00FF00, 0xFFFFFFFF};
  const TColor32 row1[] = {0xFF0000FF, 0xFF000000, 0xFFFF0000, 0xFFFFFFFF};
  for (int x = 0; x < 4; ++x) {
    source.SetPixel(x, 0, row0[x]);
    source.SetPixel(x, 1, row1[x]);
  }
  source.SetResampler(DraftResampler());
  const TBitmap32 halved = Stretched(source, 2, 1);
  EXPECT_EQ(halved.Pixel(0, 0), 0xFF000080u);  // blue twice in four: 510 / 4 rounds to 128
  EXPECT_EQ(halved.Pixel(1, 0), 0xFFBFBF80u);
  const TBitmap32 doubled = Stretched(source, 8, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(doubled.Pixel(x, y), source.Pixel(x / 2, y / 2)) << x << "," << y;
}

// A large photograph to a thumbnail: every pixel is read into some block (a
// checkerboard averages to gray instead of point samples of black or white).
TEST(Resamplers, DraftShrinksALargePictureByAveraging) {
  TBitmap32 source(4000, 3000);
  for (int y = 0; y < 3000; ++y) {
    TColor32* row = source.Row(y);
    for (int x = 0; x < 4000; ++x) row[x] = (x + y) % 2 ? kColor32White : kColor32Black;
  }
  source.SetResampler(DraftResampler());
  const TBitmap32 thumb = Stretched(source, 32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const TColor32 p = thumb.Pixel(x, y);
      EXPECT_EQ(AlphaOf(p), 255);
      EXPECT_LE(std::abs(RedOf(p) - 128), 1) << x << "," << y;
    }
}

TEST(Resamplers, StretchIsClippedAndKeepsTheRestOfTheTarget) {
  TBitmap32 source = Pattern(4, 4);
  for (const auto& resampler : {LinearResampler(), DraftResampler()}) {
    source.SetResampler(resampler);
    const TBitmap32 whole = Stretched(source, 12, 12);
    // The same stretch, partly off a smaller target at a negative point.
    TBitmap32 target(8, 8);
    target.Fill(0xFF112233);
    StretchBitmap(target, {-5, -3, 7, 9}, source);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        const TColor32 want = x < 7 && y < 9 ? whole.Pixel(x + 5, y + 3) : 0xFF112233;
        EXPECT_EQ(target.Pixel(x, y), want) << x << "," << y;
      }
  }
  TBitmap32 target(3, 3);
  StretchBitmap(target, {1, 1, 1, 5}, source);  // empty rectangle
  StretchBitmap(target, {0, 0, 3, 3}, TBitmap32());
  StretchBitmap(target, {10, 10, 20, 20}, source);  // wholly outside
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(target.Pixel(x, y), 0u);
}

TEST(Resamplers, StretchedSamplesLandByTheSourcesModes) {
  TBitmap32 source(1, 1);
  source.SetPixel(0, 0, 0x80FFFFFF);
  source.SetDrawMode(TDrawMode::Blend);
  TBitmap32 target(2, 2);
  target.Fill(kColor32Black);
  StretchBitmap(target, {0, 0, 2, 2}, source);  // no resampler set: the draft one
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(target.Pixel(x, y), 0xFF808080u);
}
