// GDI text and device bitmaps against the real GDI of the test prefix.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "shared/DeviceBitmap.h"
#include "shared/GdiTextRenderer.h"
#include "shared/ScopedWin.h"

namespace {

const TGdiTextRenderer& CaptionFont() {
  static const TGdiTextRenderer font(L"Tahoma", 9, true);
  return font;
}

struct TInk {
  int opaqueDark = 0;  // fully opaque black pixels
  int partial = 0;     // neither transparent nor opaque
  int outside = 0;     // any ink outside the box
  int maxAlpha = 0;
};

TInk InkOf(const TBitmap32& b, const TRectI& box) {
  TInk ink;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const TColor32 p = b.Pixel(x, y);
      const int a = AlphaOf(p);
      if (a == 0) continue;
      ink.maxAlpha = std::max(ink.maxAlpha, a);
      if (x < box.Left || x >= box.Right || y < box.Top || y >= box.Bottom) ++ink.outside;
      if (a == 255 && (p & 0xFFFFFF) == 0) ++ink.opaqueDark;
      if (a != 255) ++ink.partial;
    }
  return ink;
}

}  // namespace

TEST(GdiTextRenderer, MeasuresText) {
  const TTextExtent dots = CaptionFont().Measure(L"...");
  EXPECT_GT(dots.Width, 0);
  EXPECT_GT(dots.Height, 0);
  const TTextExtent word = CaptionFont().Measure(L"Documents");
  EXPECT_GT(word.Width, dots.Width);
  EXPECT_EQ(word.Height, dots.Height);
  // A larger size is wider.
  EXPECT_GT(TGdiTextRenderer(L"Tahoma", 18, true).Measure(L"Documents").Width, word.Width);
}

TEST(GdiTextRenderer, InkStaysInsideTheMeasuredBox) {
  const std::wstring text = L"Heapfold Demo";
  const TTextExtent e = CaptionFont().Measure(text);
  for (std::uint8_t level : {std::uint8_t{0}, std::uint8_t{2}}) {
    TBitmap32 b(e.Width + 40, e.Height + 40);
    b.SetCombineMode(TCombineMode::Merge);
    CaptionFont().Render(b, 20, 20, text, kColor32Black, level);
    const TInk ink = InkOf(b, {20, 20, 20 + e.Width, 20 + e.Height});
    SCOPED_TRACE(testing::Message() << "level " << int{level});
    EXPECT_GT(ink.opaqueDark, 10);
    EXPECT_EQ(ink.outside, 0);
    if (level == 0) {
      EXPECT_EQ(ink.partial, 0) << "plain glyphs";
    } else {
      EXPECT_GT(ink.partial, 10) << "smoothed edges";
    }
  }
}

TEST(GdiTextRenderer, ColourAlphaScalesCoverage) {
  TBitmap32 b(200, 40);
  b.SetCombineMode(TCombineMode::Merge);
  CaptionFont().Render(b, 2, 2, L"Pictures", 0x80FFFFFF, 2);
  const TInk ink = InkOf(b, {0, 0, 200, 40});
  EXPECT_GT(ink.maxAlpha, 100);
  EXPECT_LE(ink.maxAlpha, 128);
  TBitmap32 none(200, 40);
  CaptionFont().Render(none, 2, 2, L"Pictures", 0x00FFFFFF, 2);
  CaptionFont().Render(none, 2, 2, L"", kColor32White, 2);
  EXPECT_EQ(InkOf(none, {0, 0, 200, 40}).maxAlpha, 0);
}

// Text partly off the target is the same text, cut: rendering at a negative
// point matches the shifted pixels of rendering it whole.
TEST(GdiTextRenderer, ClippedRenderingMatchesTheWholeText) {
  const std::wstring text = L"Music";
  TBitmap32 whole(100, 40);
  whole.SetCombineMode(TCombineMode::Merge);
  CaptionFont().Render(whole, 0, 0, text, kColor32Black, 2);
  TBitmap32 cut(100, 40);
  cut.SetCombineMode(TCombineMode::Merge);
  CaptionFont().Render(cut, -7, -3, text, kColor32Black, 2);
  for (int y = 0; y < 37; ++y)
    for (int x = 0; x < 93; ++x) ASSERT_EQ(cut.Pixel(x, y), whole.Pixel(x + 7, y + 3)) << x << "," << y;
  CaptionFont().Render(cut, 5000, -5000, text, kColor32Black, 2);  // wholly outside: nothing, no failure
}

TEST(DeviceBitmap, RoundTripThroughADeviceContext) {
  TBitmap32 picture(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      picture.SetPixel(x, y,
                       Color32(static_cast<std::uint8_t>(40 * x), static_cast<std::uint8_t>(50 * x),
                               static_cast<std::uint8_t>(80 * y), static_cast<std::uint8_t>(x + y)));

  const TBitmap canvas = CreateDeviceBitmap(TBitmap32(10, 8), TDibAlpha::Straight);
  ASSERT_TRUE(canvas);
  const TMemoryDC dc(::CreateCompatibleDC(nullptr));
  const TSelectObject selected(dc.Get(), canvas.Get());
  PaintBitmap32(dc.Get(), 3, 2, picture);
  const TBitmap32 back = CopyFromDC(dc.Get(), {3, 2, 8, 5});
  ASSERT_EQ(back.Width(), 5);
  ASSERT_EQ(back.Height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(back.Pixel(x, y), picture.Pixel(x, y) | 0xFF000000u) << x << "," << y;
  EXPECT_EQ(CopyFromDC(dc.Get(), {0, 0, 1, 1}).Pixel(0, 0), kColor32Black);  // untouched canvas, made opaque
}

TEST(DeviceBitmap, PremultipliedForAlphaBlending) {
  TBitmap32 picture(3, 1);
  picture.SetPixel(0, 0, 0xFFFF8040);
  picture.SetPixel(1, 0, 0x80FF8040);
  picture.SetPixel(2, 0, 0x00FFFFFF);
  const TBitmap dib = CreateDeviceBitmap(picture, TDibAlpha::Premultiplied);
  ASSERT_TRUE(dib);
  DIBSECTION section = {};
  ASSERT_EQ(::GetObjectW(dib.Get(), sizeof(section), &section), static_cast<int>(sizeof(section)));
  EXPECT_EQ(section.dsBm.bmWidth, 3);
  EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
  const auto* bits = static_cast<const TColor32*>(section.dsBm.bmBits);
  EXPECT_EQ(bits[0], 0xFFFF8040u);
  EXPECT_EQ(bits[1], 0x80804020u);
  EXPECT_EQ(bits[2], 0u);
  EXPECT_FALSE(CreateDeviceBitmap(TBitmap32(), TDibAlpha::Straight));
}
