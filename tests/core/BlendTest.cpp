#include "core/raster/Blend.h"

#include <gtest/gtest.h>

TEST(Blend, MergeWeighsColoursByBothAlphas) {
  const struct {
    const char* what;
    TColor32 source, target, want;
  } cases[] = {
      {"opaque over anything", 0xFF123456, 0x80ABCDEF, 0xFF123456},
      {"transparent over anything", 0x00123456, 0x80ABCDEF, 0x80ABCDEF},
      {"anything over transparent keeps its colour", 0x40FF8000, 0x00000000, 0x40FF8000},
      // a = .502 + .502 * .498 = .752; colour .502 / .752 of white.
      {"half white over half black", 0x80FFFFFF, 0x80000000, 0xC0AAAAAA},
      {"half white over opaque black", 0x80FFFFFF, kColor32Black, 0xFF808080},
      // A nearly transparent target's colour counts for little.
      {"half red over faint blue", 0x80FF0000, 0x0A0000FF, 0x85F5000A},
  };
  for (const auto& c : cases) EXPECT_EQ(MergeColor32(c.source, c.target), c.want) << c.what;
  // Blend ignores the target's alpha for the colours; over opaque targets
  // both agree.
  EXPECT_EQ(BlendColor32(0x80FFFFFF, 0x00000000), 0x80808080u);
  for (int a = 0; a <= 255; a += 17)
    for (TColor32 target : {kColor32Black, kColor32White, TColor32{0xFF3366AA}}) {
      const TColor32 source = (static_cast<TColor32>(a) << 24) | 0xC86432;
      EXPECT_EQ(BlendColor32(source, target), MergeColor32(source, target)) << a;
    }
}

TEST(Blend, DrawIsClippedAtEveryEdge) {
  TBitmap32 source(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) source.SetPixel(x, y, 0xFF000000u | static_cast<TColor32>(10 * y + x + 1));
  const struct { int x, y; } points[] = {{1, 1}, {-2, -1}, {3, 2}, {-100, 50}, {2147483647, -2147483647 - 1}, {1, 0}};
  for (const auto& p : points) {
    TBitmap32 target(4, 3);
    DrawBitmap(target, p.x, p.y, source);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) {
        const long long sx = static_cast<long long>(x) - p.x, sy = static_cast<long long>(y) - p.y;
        const bool inside = sx >= 0 && sx < 3 && sy >= 0 && sy < 2;
        EXPECT_EQ(target.Pixel(x, y), inside ? source.Pixel(int(sx), int(sy)) : 0u) << p.x << "," << p.y;
      }
  }
}

TEST(Blend, DrawFollowsTheSourcesModes) {
  TBitmap32 source(1, 1), target(1, 1);
  source.SetPixel(0, 0, 0x80FFFFFF);
  const struct {
    TDrawMode draw;
    TCombineMode combine;
    TColor32 under, want;
  } cases[] = {{TDrawMode::Opaque, TCombineMode::Merge, kColor32Black, 0x80FFFFFF},
               {TDrawMode::Blend, TCombineMode::Blend, 0x00000000, 0x80808080},
               {TDrawMode::Blend, TCombineMode::Merge, 0x80000000, 0xC0AAAAAA}};
  for (const auto& c : cases) {
    source.SetDrawMode(c.draw);
    source.SetCombineMode(c.combine);
    target.Fill(c.under);
    DrawBitmap(target, 0, 0, source);
    EXPECT_EQ(target.Pixel(0, 0), c.want);
  }
}

TEST(Blend, PaintOverBlackAndWhiteGivesItsPremultipliedColour) {
  const struct {
    const char* what;
    TColor32 onBlack, onWhite, want;
  } cases[] = {
      {"nothing painted", kColor32Black, kColor32White, kColor32Transparent},
      {"opaque paint", 0xFF123456, 0xFF123456, 0xFF123456},
      {"white at 24 of 255", 0xFF181818, kColor32White, 0x18181818},
      {"half-covered black text", kColor32Black, 0xFF7F7F7F, 0x80000000},
      // An inverting painting is white over black and black over white.
      {"grounds that disagree", kColor32White, kColor32Black, kColor32White},
      {"a colour above its alpha is cut to it", 0xFF400000, 0xFFF0E0E0, 0x2F2F0000},
  };
  for (const auto& c : cases) EXPECT_EQ(PremultipliedFromGrounds(c.onBlack, c.onWhite), c.want) << c.what;

  // Any straight colour blended over both grounds comes back, within the
  // rounding of the two blends.
  for (std::uint32_t a = 1; a < 256; a += 17)
    for (std::uint32_t v = 0; v < 256; v += 51) {
      const TColor32 paint = Color32(static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(v),
                                     static_cast<std::uint8_t>(255 - v), static_cast<std::uint8_t>(v / 2));
      const TColor32 back = StraightFromPremultiplied(
          PremultipliedFromGrounds(BlendColor32(paint, kColor32Black), BlendColor32(paint, kColor32White)));
      ASSERT_NEAR(AlphaOf(back), a, 1) << std::hex << paint;
      if (a < 64) continue;  // a faint paint's colour is only as exact as its alpha allows
      ASSERT_NEAR(RedOf(back), RedOf(paint), 3) << std::hex << paint;
      ASSERT_NEAR(GreenOf(back), GreenOf(paint), 3) << std::hex << paint;
      ASSERT_NEAR(BlueOf(back), BlueOf(paint), 3) << std::hex << paint;
    }
}
