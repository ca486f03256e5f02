// The toolkit's small decisions: where a hint window goes, which menu item a
// typed letter picks, where an edit's embedded buttons stand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/toolkit/ButtonEditLayout.h"
#include "core/toolkit/HintLayout.h"
#include "core/toolkit/MenuItemLayout.h"
#include "core/toolkit/MenuTyping.h"

TEST(HintLayout, LinesAndPlaceOnTheWorkArea) {
  EXPECT_EQ(HintLines(L""), std::vector<std::wstring>{L""});
  EXPECT_EQ(HintLines(L"Name\rSize: 1 KB"), (std::vector<std::wstring>{L"Name", L"Size: 1 KB"}));
  EXPECT_EQ(HintLines(L"a\r\rb\r"), (std::vector<std::wstring>{L"a", L"", L"b", L""}));

  const TRectI screen{0, 0, 1280, 1024};
  const TRectI left{-1920, 0, 0, 1040};
  struct {
    TPointI pointer;
    std::int32_t width, height, dpi;
    const TRectI& work;
    std::int32_t x, y;
  } cases[] = {
      {{100, 100}, 150, 40, 96, screen, 100, 120},    // below the pointer
      {{100, 100}, 150, 40, 144, screen, 100, 130},   // the offset scales
      {{1200, 100}, 150, 40, 96, screen, 1130, 120},  // moved left onto the work area
      {{100, 1000}, 150, 40, 96, screen, 100, 958},   // above the pointer
      {{100, 1000}, 150, 40, 144, screen, 100, 957},  {{1279, 1023}, 150, 40, 96, screen, 1130, 981},
      {{100, 100}, 2000, 2000, 96, screen, 0, 0},  // larger than the work area: its corner
      {{-10, 500}, 100, 30, 96, left, -100, 520},  // a monitor left of the primary
      {{-1920, 1030}, 100, 30, 96, left, -1920, 998},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pointer.X << "," << c.pointer.Y << " at " << c.dpi);
    const TPointI at = HintWindowPosition(c.pointer, c.width, c.height, c.work, c.dpi);
    EXPECT_EQ(at.X, c.x);
    EXPECT_EQ(at.Y, c.y);
  }
  // Hints smaller than the work area stay on it and never cover the pointer.
  for (const std::int32_t dpi : {96, 144, 192}) {
    for (std::int32_t x = 0; x < 1280; x += 37) {
      for (std::int32_t y = 0; y < 1024; y += 29) {
        for (const std::int32_t size : {16, 120, 300}) {
          const TPointI at = HintWindowPosition({x, y}, size, size * 2 / 3, screen, dpi);
          const TRectI hint{at.X, at.Y, at.X + size, at.Y + size * 2 / 3};
          ASSERT_TRUE(hint.Left >= 0 && hint.Top >= 0 && hint.Right <= 1280 && hint.Bottom <= 1024)
              << x << "," << y << " " << size;
          ASSERT_FALSE(x >= hint.Left && x < hint.Right && y >= hint.Top && y < hint.Bottom) << x << "," << y;
        }
      }
    }
  }
}

TEST(MenuTyping, LetterChoosesAmongMatchingCaptions) {
  EXPECT_EQ(MenuCaptionText(L"Tom && Jerry"), L"Tom & Jerry");
  EXPECT_EQ(MenuCaptionText(L"&&&"), L"&&");
  EXPECT_EQ(MenuCaptionText(L"&Open"), L"&Open");  // no mnemonics: a single "&" shows

  auto items = [](int highlighted) {
    std::vector<TMenuTypingItem> list = {{L"Alpha"}, {L"beta"}, {L""}, {L"Bravo"}, {L"&&Co"}, {L"Charlie"}};
    if (highlighted >= 0) list[static_cast<std::size_t>(highlighted)].Highlighted = true;
    return list;
  };
  struct {
    int highlighted;
    wchar_t typed;
    TMenuTypingAction action;
    int index;
  } cases[] = {
      {-1, L'a', TMenuTypingAction::Execute, 0},                                            // the only match runs
      {-1, L'A', TMenuTypingAction::Execute, 0}, {-1, L'b', TMenuTypingAction::Select, 1},  // the first of several
      {-1, L'B', TMenuTypingAction::Select, 1},  {1, L'b', TMenuTypingAction::Select, 3},   // the next one
      {3, L'b', TMenuTypingAction::Select, 1},                                              // round to the first
      {2, L'b', TMenuTypingAction::Select, 3},   {-1, L'&', TMenuTypingAction::Execute, 4},
      {-1, L'c', TMenuTypingAction::Execute, 5},  // "&&Co" starts with "&"
      {-1, L'z', TMenuTypingAction::Ignore, 0},  {-1, L' ', TMenuTypingAction::Ignore, 0},
  };
  for (const auto& c : cases) {
    const TMenuTypingChoice choice = MenuTypingChoice(items(c.highlighted), c.typed);
    EXPECT_EQ(choice.Action, c.action) << c.highlighted << " " << static_cast<int>(c.typed);
    EXPECT_EQ(choice.Index, c.index) << c.highlighted << " " << static_cast<int>(c.typed);
  }
  EXPECT_EQ(MenuTypingChoice({}, L'a').Action, TMenuTypingAction::Ignore);
}

TEST(ButtonEditLayout, ButtonsFromTheRightEdgeAndTheTextMargin) {
  struct {
    std::int32_t width, height;
    std::vector<std::int32_t> widths;
    std::int32_t dpi;
    std::vector<std::int32_t> lefts;
    std::int32_t margin;
  } cases[] = {
      {200, 21, {}, 96, {}, 2},
      {200, 21, {25}, 96, {175}, 27},
      {200, 21, {25, 30}, 96, {175, 145}, 57},
      {300, 32, {25, 30}, 144, {262, 217}, 86},  // 37.5 and 45 wide
      {250, 26, {25}, 120, {219}, 34},           // 31.25 wide, a gap of 2.5
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.widths.size() << " at " << c.dpi);
    const TButtonEditLayout layout = ButtonEditLayout(c.width, c.height, c.widths, c.dpi);
    EXPECT_EQ(layout.RightMargin, c.margin);
    ASSERT_EQ(layout.Buttons.size(), c.lefts.size());
    std::int32_t right = c.width;
    for (std::size_t i = 0; i < c.lefts.size(); ++i) {
      // Each button meets the one before it and spans the client area's height.
      EXPECT_EQ(layout.Buttons[i].Left, c.lefts[i]);
      EXPECT_EQ(layout.Buttons[i].Right, right);
      EXPECT_EQ(layout.Buttons[i].Top, 0);
      EXPECT_EQ(layout.Buttons[i].Bottom, c.height);
      right = layout.Buttons[i].Left;
    }
  }
}

TEST(MenuItemLayout, PartsFollowTheTallerPartAndTheDpi) {
  const struct {
    std::int32_t iconW, iconH, textW, textH, dpi;
    TMenuItemLayout want;  // Width, Height, IconLeft, TextLeft, ArrowWidth, LineTop
  } cases[] = {
      {16, 16, 100, 13, 96, {148, 22, 4, 28, 20, 0}},   // the icon is the taller part
      {16, 16, 100, 20, 96, {148, 26, 4, 28, 20, 0}},   // the caption is
      {24, 24, 150, 20, 144, {222, 34, 6, 42, 30, 0}},  // 150 %: every margin scales (4.5 rounds up)
      {0, 0, 0, 0, 96, {32, 6, 4, 12, 20, 0}},          // an empty item keeps its margins
      {16, 16, -5, -1, 96, {48, 22, 4, 28, 20, 0}},     // a failed measure counts as nothing
  };
  for (const auto& c : cases) {
    const TMenuItemLayout got = LayoutMenuItem(c.iconW, c.iconH, c.textW, c.textH, c.dpi);
    const std::string row = std::to_string(c.textW) + " at " + std::to_string(c.dpi);
    EXPECT_EQ(got.Width, c.want.Width) << row;
    EXPECT_EQ(got.Height, c.want.Height) << row;
    EXPECT_EQ(got.IconLeft, c.want.IconLeft) << row;
    EXPECT_EQ(got.TextLeft, c.want.TextLeft) << row;
    EXPECT_EQ(got.ArrowWidth, c.want.ArrowWidth) << row;
  }
  EXPECT_EQ(LayoutMenuSeparator(96).Height, 7);
  EXPECT_EQ(LayoutMenuSeparator(96).LineTop, 3);
  EXPECT_EQ(LayoutMenuSeparator(192).Height, 14);
  EXPECT_EQ(LayoutMenuSeparator(192).LineTop, 6);
}
