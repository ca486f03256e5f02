#include "core/raster/BoxBlur.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

// The blur by its definition: every window summed afresh.
void NaiveBoxBlur(TBitmap32& b, int r, int passes) {
  const auto blurLine = [r](std::vector<TColor32>& line) {
    const int n = static_cast<int>(line.size());
    std::vector<TColor32> out(line.size());
    for (int x = 0; x < n; ++x) {
      TColor32 result = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        unsigned sum = 0;
        for (int i = x - r; i <= x + r; ++i)
          sum += (line[static_cast<std::size_t>(std::clamp(i, 0, n - 1))] >> shift) & 0xFF;
        result |= (sum / (2 * r + 1)) << shift;
      }
      out[static_cast<std::size_t>(x)] = result;
    }
    line = out;
  };
  std::vector<TColor32> line;
  for (int y = 0; y < b.Height(); ++y) {
    line.assign(b.Row(y), b.Row(y) + b.Width());
    for (int p = 0; p < passes; ++p) blurLine(line);
    std::copy(line.begin(), line.end(), b.Row(y));
  }
  for (int x = 0; x < b.Width(); ++x) {
    line.clear();
    for (int y = 0; y < b.Height(); ++y) line.push_back(b.Pixel(x, y));
    for (int p = 0; p < passes; ++p) blurLine(line);
    for (int y = 0; y < b.Height(); ++y) b.SetPixel(x, y, line[static_cast<std::size_t>(y)]);
  }
}

TBitmap32 Noise(int w, int h, unsigned seed) {
  std::mt19937 random(seed);
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, static_cast<TColor32>(random()));
  return b;
}

void ExpectSame(const TBitmap32& got, const TBitmap32& want, const char* what) {
  for (int y = 0; y < want.Height(); ++y)
    for (int x = 0; x < want.Width(); ++x)
      ASSERT_EQ(got.Pixel(x, y), want.Pixel(x, y)) << what << " at " << x << "," << y;
}

}  // namespace

TEST(BoxBlur, OneWhitePixelBecomesAPatchOf28s) {
  TBitmap32 b(7, 7);
  b.SetPixel(3, 3, kColor32White);
  BoxBlur(b, 1, 1);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x) {
      const bool inPatch = x >= 2 && x <= 4 && y >= 2 && y <= 4;
      EXPECT_EQ(b.Pixel(x, y), inPatch ? 0x1C1C1C1Cu : 0u) << x << "," << y;
    }
}

TEST(BoxBlur, NothingForNoRadiusOrNoPasses) {
  const TBitmap32 original = Noise(5, 4, 1);
  for (const auto& [radius, passes] : {std::pair{0, 1}, std::pair{-3, 2}, std::pair{2, 0}, std::pair{2, -1}}) {
    TBitmap32 b = original;
    BoxBlur(b, radius, passes);
    ExpectSame(b, original, "untouched");
  }
  TBitmap32 empty;
  BoxBlur(empty, 3, 2);
  EXPECT_TRUE(empty.Empty());
}

// The running sums give what summing every window afresh gives, edge pixels
// repeated, for radii below, at and beyond the image's size and several passes.
TEST(BoxBlur, MatchesTheDefinitionOnNoise) {
  const struct {
    int w, h, radius, passes;
  } cases[] = {{9, 6, 1, 1},  {9, 6, 2, 2}, {9, 6, 4, 3}, {9, 6, 8, 1},
               {9, 6, 25, 2}, {1, 7, 2, 1}, {7, 1, 3, 2}, {1, 1, 5, 1}};
  unsigned seed = 7;
  for (const auto& c : cases) {
    TBitmap32 got = Noise(c.w, c.h, ++seed);
    TBitmap32 want = got;
    BoxBlur(got, c.radius, c.passes);
    NaiveBoxBlur(want, c.radius, c.passes);
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " r " << c.radius << " passes " << c.passes);
    ExpectSame(got, want, "noise");
  }
}

// An even field stays even whatever the radius, also one far beyond the
// image, which must cost no more than a small one.
TEST(BoxBlur, HugeRadiusOnAnEvenField) {
  TBitmap32 b(40, 30);
  b.Fill(0x80C04020);
  BoxBlur(b, 1 << 30, 2);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(b.Pixel(x, y), 0x80C04020u);
}
