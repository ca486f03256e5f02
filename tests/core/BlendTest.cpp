#include "core/Blend.h"

#include <gtest/gtest.h>

namespace {

struct TArgb {
  int a, r, g, b;
};
TColor32 C(TArgb c) {
  return Color32(static_cast<std::uint8_t>(c.a), static_cast<std::uint8_t>(c.r), static_cast<std::uint8_t>(c.g),
                 static_cast<std::uint8_t>(c.b));
}

}  // namespace

TEST(Blend, MergeWeighsColoursByBothAlphas) {
  const struct {
    const char* what;
    TColor32 source, target, want;
  } cases[] = {
      {"opaque over anything", 0xFF123456, 0x80ABCDEF, 0xFF123456},
      {"opaque over transparent", 0xFF123456, 0x00000000, 0xFF123456},
      {"transparent over anything", 0x00123456, 0x80ABCDEF, 0x80ABCDEF},
      {"transparent over transparent", 0x00FFFFFF, 0x00000000, 0x00000000},
      {"anything over transparent keeps its colour", 0x40FF8000, 0x00000000, 0x40FF8000},
      // a = .502 + .502 * .498 = .752; colour .502 / .752 of white.
      {"half white over half black", C({128, 255, 255, 255}), C({128, 0, 0, 0}), C({192, 170, 170, 170})},
      {"half white over opaque black", C({128, 255, 255, 255}), kColor32Black, C({255, 128, 128, 128})},
      // The target's colour counts for little when it is nearly transparent.
      {"half red over faint blue", C({128, 255, 0, 0}), C({10, 0, 0, 255}), C({133, 245, 0, 10})},
  };
  for (const auto& c : cases) EXPECT_EQ(MergeColor32(c.source, c.target), c.want) << c.what;
}

TEST(Blend, BlendMixesByTheSourceAlphaAlone) {
  EXPECT_EQ(BlendColor32(0xFF123456, 0x80ABCDEF), 0xFF123456u);
  EXPECT_EQ(BlendColor32(0x00123456, 0x80ABCDEF), 0x80ABCDEFu);
  EXPECT_EQ(BlendColor32(C({128, 255, 255, 255}), kColor32Black), C({255, 128, 128, 128}));
  // Over a transparent target the target's colour is mixed in regardless.
  EXPECT_EQ(BlendColor32(C({128, 255, 255, 255}), C({0, 0, 0, 0})), C({128, 128, 128, 128}));
  // Over opaque targets both modes agree.
  for (int a = 0; a <= 255; a += 17)
    for (TColor32 target : {kColor32Black, kColor32White, TColor32{0xFF3366AA}}) {
      const TColor32 source = C({a, 200, 100, 50});
      EXPECT_EQ(BlendColor32(source, target), MergeColor32(source, target)) << a;
    }
}

TEST(Blend, PixelsLandByTheTargetsCombineMode) {
  TBitmap32 bitmap(2, 1);
  bitmap.SetCombineMode(TCombineMode::Merge);
  BlendPixel(bitmap, 0, 0, C({128, 255, 0, 0}));
  BlendPixel(bitmap, 5, 0, kColor32White);  // outside: ignored
  EXPECT_EQ(bitmap.Pixel(0, 0), C({128, 255, 0, 0}));
  bitmap.SetCombineMode(TCombineMode::Blend);
  BlendPixel(bitmap, 1, 0, C({128, 255, 0, 0}));
  EXPECT_EQ(bitmap.Pixel(1, 0), C({128, 128, 0, 0}));
}

TEST(Blend, DrawIsClippedAtEveryEdge) {
  // A 3x2 source of distinct opaque pixels onto a 4x3 transparent target.
  TBitmap32 source(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) source.SetPixel(x, y, 0xFF000000u | static_cast<TColor32>(10 * y + x + 1));
  const struct {
    const char* what;
    int x, y;
  } points[] = {{"inside", 1, 1}, {"negative", -2, -1}, {"beyond right and bottom", 3, 2},
                {"far off", -100, 50}, {"near the int range", 2147483647, -2147483647 - 1}, {"exact fit", 1, 0}};
  for (const auto& p : points) {
    TBitmap32 target(4, 3);
    DrawBitmap(target, p.x, p.y, source);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) {
        const long long sx = static_cast<long long>(x) - p.x, sy = static_cast<long long>(y) - p.y;
        const TColor32 want = sx >= 0 && sx < 3 && sy >= 0 && sy < 2 ? source.Pixel(static_cast<int>(sx), static_cast<int>(sy)) : 0;
        EXPECT_EQ(target.Pixel(x, y), want) << p.what << " at " << x << "," << y;
      }
  }
}

TEST(Blend, DrawFollowsTheSourcesModes) {
  TBitmap32 source(1, 1);
  source.SetPixel(0, 0, C({128, 255, 255, 255}));
  TBitmap32 target(1, 1);
  const struct {
    TDrawMode draw;
    TCombineMode combine;
    TColor32 under, want;
  } cases[] = {
      {TDrawMode::Opaque, TCombineMode::Merge, kColor32Black, C({128, 255, 255, 255})},
      {TDrawMode::Blend, TCombineMode::Blend, kColor32Black, C({255, 128, 128, 128})},
      {TDrawMode::Blend, TCombineMode::Merge, C({128, 0, 0, 0}), C({192, 170, 170, 170})},
  };
  for (const auto& c : cases) {
    source.SetDrawMode(c.draw);
    source.SetCombineMode(c.combine);
    target.Fill(c.under);
    DrawBitmap(target, 0, 0, source);
    EXPECT_EQ(target.Pixel(0, 0), c.want);
  }
}
