#include "core/base/DesktopRules.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/raster/Supersampling.h"

TEST(DesktopRules, MarginsByEdgeAndTheSystemFontRule) {
  const TMarginsValues m = MarginsFromRect(TRectI{10, 20, 30, 40});
  EXPECT_EQ((std::vector<int>{m.cxLeftWidth, m.cxRightWidth, m.cyTopHeight, m.cyBottomHeight}),
            (std::vector<int>{10, 30, 20, 40}));

  const struct {
    const wchar_t* name;
    bool vista, installed;
    const wchar_t* wantName;
    int wantSize;
  } cases[] = {
      {L"Tahoma", true, true, L"Segoe UI", 9},         {L"Tahoma", true, false, L"Tahoma", 8},
      {L"Tahoma", false, true, L"Tahoma", 8},          {L"segoe ui", true, true, L"segoe ui", 8},
      {L"Segoe UI Light", true, true, L"Segoe UI", 9},
  };
  for (const auto& c : cases) {
    TFontDescription font{c.name, 8};
    const bool changed = ApplySystemFontRule(font, c.vista, c.installed);
    EXPECT_EQ(changed, font.Name != c.name) << c.name;
    EXPECT_EQ(font.Name, c.wantName) << c.name;
    EXPECT_EQ(font.PointSize, c.wantSize) << c.name;
    EXPECT_FALSE(ApplySystemFontRule(font, c.vista, c.installed)) << c.name;  // never grows twice
  }
}

TEST(Supersampling, CoverageAndColourComeFromTheBlackAndWhiteRenderings) {
  // 2 x 1 image at scale 2: the left pixel fully covered in red, the right
  // one half covered in blue (two of its four canvas pixels drawn).
  TBitmap32 black(4, 2), white(4, 2);
  black.Fill(0x000000);
  white.Fill(0xFFFFFF);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) {
      black.SetPixel(x, y, 0xFF0000);
      white.SetPixel(x, y, 0xFF0000);
    }
  black.SetPixel(2, 0, 0x0000FF);
  white.SetPixel(2, 0, 0x0000FF);
  black.SetPixel(3, 0, 0x0000FF);
  white.SetPixel(3, 0, 0x0000FF);
  const TBitmap32 image = ImageFromBlackAndWhiteRenderings(black, white, 2);
  ASSERT_EQ(image.Width(), 2);
  ASSERT_EQ(image.Height(), 1);
  EXPECT_EQ(image.Pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(image.Pixel(1, 0), 0x800000FFu) << "half covered, colour kept straight";

  TBitmap32 untouchedBlack(2, 2), untouchedWhite(2, 2);
  untouchedWhite.Fill(0xFFFFFF);
  EXPECT_EQ(ImageFromBlackAndWhiteRenderings(untouchedBlack, untouchedWhite, 2).Pixel(0, 0), 0u);
  EXPECT_TRUE(ImageFromBlackAndWhiteRenderings(black, TBitmap32(2, 2), 2).Empty()) << "mismatched sizes";
  EXPECT_TRUE(ImageFromBlackAndWhiteRenderings(TBitmap32(3, 3), TBitmap32(3, 3), 2).Empty()) << "not a multiple";
}
