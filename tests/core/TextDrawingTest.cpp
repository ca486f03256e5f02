#include "core/text/TextDrawing.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/raster/Blend.h"
#include "core/viewer/EntryPainting.h"

namespace {

// Every character kCharWidth pixels wide and kLineHeight high; a text renders
// as one solid block of its colour. Every call is recorded.
constexpr int kCharWidth = 10;
constexpr int kLineHeight = 12;

struct TRenderCall {
  const TBitmap32* target;
  int x, y;
  std::wstring text;
  TColor32 color;
  std::uint8_t level;
};

class TBlockFont : public TTextRenderer {
public:
  mutable std::vector<TRenderCall> calls;

  TTextExtent Measure(const std::wstring& text) const override {
    return {static_cast<int>(text.size()) * kCharWidth, kLineHeight};
  }
  void Render(TBitmap32& target, int x, int y, const std::wstring& text, TColor32 color,
              std::uint8_t level) const override {
    calls.push_back({&target, x, y, text, color, level});
    const TTextExtent e = Measure(text);
    for (int py = y; py < y + e.Height; ++py)
      for (int px = x; px < x + e.Width; ++px) BlendPixel(target, px, py, color);
  }
};

const std::wstring kTenChars = L"abcdefghij";  // 100 pixels

}  // namespace

TEST(TextDrawing, PaddedWidthRoundsHalvesToEven) {
  const struct {
    std::int32_t width, want;
  } cases[] = {{0, 0},
               {1, 1},
               {4, 4},
               {5, 6} /* 5.5 */,
               {15, 16} /* 16.5 */,
               {25, 28} /* 27.5 */,
               {35, 38} /* 38.5 */,
               {14, 15} /* 15.4 */,
               {16, 18} /* 17.6 */,
               {100, 110},
               {-5, -6} /* -5.5 */,
               {1000000005, 1100000006} /* large widths stay exact */};
  for (const auto& c : cases) EXPECT_EQ(PadTextWidth(c.width), c.want) << c.width;
  const TBlockFont font;
  EXPECT_EQ(PaddedTextWidth(font, L"..."), 33);
  EXPECT_EQ(PaddedTextWidth(font, L""), 0);
}

TEST(TextDrawing, LayoutFitsOrCuts) {
  const TBlockFont font;
  const struct {
    const char* what;
    TRectI rect;
    std::wstring text;
    std::uint8_t h, v;
    std::wstring wantText;
    int wantX, wantY;
  } cases[] = {
      {"fits at 110", {0, 0, 110, 20}, kTenChars, kHAlignLeft, kVAlignTop, kTenChars, 0, 0},
      {"cut at 105: 72 pixels leave room for 7",
       {0, 0, 105, 20},
       kTenChars,
       kHAlignLeft,
       kVAlignTop,
       L"abcdefg...",
       0,
       0},
      {"centred", {5, 10, 125, 30}, kTenChars, kHAlignCentre, kVAlignCentre, kTenChars, 15, 14},
      {"odd slack truncates", {0, 0, 111, 15}, kTenChars, kHAlignCentre, kVAlignCentre, kTenChars, 5, 1},
      // Taller than its rectangle: (5 - 12) / 2 is -3, not -4.
      {"taller than the rectangle", {0, 100, 120, 105}, kTenChars, kHAlignCentre, kVAlignCentre, kTenChars, 10, 97},
      {"cut, centred, starts at the left",
       {40, 0, 105 + 40, 30},
       kTenChars,
       kHAlignCentre,
       kVAlignCentre,
       L"abcdefg...",
       40,
       9},
      {"cut, bottom, placed like the whole text",
       {0, 0, 60, 40},
       kTenChars,
       kHAlignLeft,
       kVAlignBottom,
       L"ab...",
       0,
       28},
      {"cut, right-aligned, ends at the right", {0, 0, 60, 40}, kTenChars, kHAlignRight, kVAlignTop, L"ab...", 10, 0},
      {"only the dots fit", {0, 0, 42, 12}, kTenChars, kHAlignCentre, kVAlignTop, L"...", 0, 0},
      {"narrower than the dots", {7, 0, 12, 12}, kTenChars, kHAlignCentre, kVAlignTop, L"...", 7, 0},
      {"unknown codes act as left and top", {3, 4, 200, 50}, kTenChars, 9, 9, kTenChars, 3, 4},
  };
  for (const auto& c : cases) {
    const TTextLayout got = LayOutTextEllipsis(font, c.rect, c.text, c.h, c.v);
    EXPECT_EQ(got.Text, c.wantText) << c.what;
    EXPECT_EQ(got.Cut, got.Text != c.text) << c.what;
    EXPECT_EQ(got.X, c.wantX) << c.what;
    EXPECT_EQ(got.Y, c.wantY) << c.what;
  }
  EXPECT_TRUE(LayOutTextEllipsis(font, {0, 0, 100, 20}, L"", kHAlignLeft, kVAlignTop).Text.empty());
}

// A cut never parts the two halves of a character outside the basic plane.
TEST(TextDrawing, CutKeepsSurrogatePairsWhole) {
  const TBlockFont font;
  const std::wstring text = std::wstring(L"ab") + wchar_t(0xD83D) + wchar_t(0xDE00) + L"cdefgh";
  // 63 pixels leave 30 for the text: 3 code units, which would end inside the pair.
  const TTextLayout got = LayOutTextEllipsis(font, {0, 0, 63, 20}, text, kHAlignLeft, kVAlignTop);
  EXPECT_EQ(got.Text, L"ab...");
  const TTextLayout wider = LayOutTextEllipsis(font, {0, 0, 73, 20}, text, kHAlignLeft, kVAlignTop);
  EXPECT_EQ(wider.Text, text.substr(0, 4) + L"...");
}

TEST(TextDrawing, HaloCopiesComeInOrderThenTheText) {
  const TBlockFont font;
  TBitmap32 target(300, 60);
  DrawHaloText(target, font, {50, 20, 200, 40}, L"abc", 2, kHAlignLeft, kVAlignTop, kColor32Black, kColor32White, true,
               true, true, true, true, 3, 2, false, 0, 0);
  const struct {
    int x, y;
    TColor32 color;
  } want[] = {{47, 18, kColor32White},
              {53, 18, kColor32White},
              {47, 22, kColor32White},
              {53, 22, kColor32White},
              {50, 20, kColor32Black}};
  ASSERT_EQ(font.calls.size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(font.calls[i].x, want[i].x) << i;
    EXPECT_EQ(font.calls[i].y, want[i].y) << i;
    EXPECT_EQ(font.calls[i].color, want[i].color) << i;
    EXPECT_EQ(font.calls[i].level, 2) << i;
    EXPECT_NE(font.calls[i].target, &target) << "drawn into the work layer";
  }
  // The layer reached the target: text over the halo, halo around it.
  EXPECT_EQ(target.Pixel(50, 20), kColor32Black);
  EXPECT_EQ(target.Pixel(47, 18), kColor32White);
  EXPECT_EQ(target.Pixel(82, 33), kColor32White);
  EXPECT_EQ(target.Pixel(46, 18), 0u);

  // Copies switched off are skipped; without the text, only the halo.
  font.calls.clear();
  DrawHaloText(target, font, {50, 20, 200, 40}, L"abc", 2, kHAlignLeft, kVAlignTop, kColor32White, kColor32Black, false,
               true, false, true, false, 1, 1, false, 0, 0);
  ASSERT_EQ(font.calls.size(), 2u);
  EXPECT_EQ(font.calls[0].y, 19);
  EXPECT_EQ(font.calls[1].y, 21);
  font.calls.clear();
  DrawHaloText(target, font, {50, 20, 200, 40}, L"", 2, kHAlignLeft, kVAlignTop, kColor32White, kColor32Black, true,
               true, true, true, true, 1, 1, true, 1, 1);
  EXPECT_TRUE(font.calls.empty());
}

// Copies and text are cut alike, so they stay in register.
TEST(TextDrawing, HaloCopiesAreCutLikeTheText) {
  const TBlockFont font;
  TBitmap32 target(300, 60);
  DrawHaloText(target, font, {40, 10, 145, 40}, kTenChars, 2, kHAlignCentre, kVAlignCentre, kColor32Black,
               kColor32White, true, true, true, true, true, 1, 1, true, 1, 1);
  ASSERT_EQ(font.calls.size(), 5u);
  for (const auto& call : font.calls) EXPECT_EQ(call.text, L"abcdefg...");
  EXPECT_EQ(font.calls[0].x, 39);
  EXPECT_EQ(font.calls[4].x, 40);
  EXPECT_EQ(font.calls[4].y, 19);
}

// The blur softens the halo only; the text drawn after it stays sharp, and
// the halo's spread alpha reaches the target merged.
TEST(TextDrawing, BlurSoftensTheHaloNotTheText) {
  const TBlockFont font;
  TBitmap32 target(100, 40);
  DrawHaloText(target, font, {20, 10, 90, 30}, L"ab", 0, kHAlignLeft, kVAlignTop, kColor32Black, kColor32White, true,
               true, true, true, true, 1, 1, true, 2, 1);
  for (int y = 10; y < 22; ++y)
    for (int x = 20; x < 40; ++x) ASSERT_EQ(target.Pixel(x, y), kColor32Black) << x << "," << y;
  // Just right of the copies (which cover x 19..40, y 9..22): faded white,
  // two of the five pixels of the window.
  const TColor32 fringe = target.Pixel(41, 16);
  EXPECT_EQ(AlphaOf(fringe), 102);
  // The blur averages straight colours, so the transparent black around the
  // halo darkens its fringe alike.
  EXPECT_EQ(fringe & 0xFFFFFF, 0x666666u);
  EXPECT_EQ(target.Pixel(60, 16), 0u);
}

TEST(TextDrawing, APlainCaptionIsItsTextAloneInTheLooksColour) {
  const TBlockFont font;
  TBitmap32 layer(200, 40);
  PaintCaption(layer, font, {0, 0, 200, 40}, L"abc", PlainCaptionRecipeFor(TViewKind::Grid, 0xFF102030u));
  ASSERT_EQ(font.calls.size(), 1u) << "no halo or shadow copies";
  EXPECT_EQ(font.calls[0].color, 0xFF102030u);
  EXPECT_EQ(font.calls[0].x, 85) << "centred in the grid";
  font.calls.clear();
  PaintCaption(layer, font, {0, 0, 200, 40}, L"abc", PlainCaptionRecipeFor(TViewKind::Stack, 0xFF102030u));
  ASSERT_EQ(font.calls.size(), 1u);
  EXPECT_EQ(font.calls[0].x, 0) << "left in the stack";
}
