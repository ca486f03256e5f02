// The grid view seen from outside: the block's size by the layout rule at the
// stack's place, the fall-back from a stack too tall for the screen,
// thumbnails of pictures (a damaged one keeps its icon), the tiles' hints,
// painted captions in both colour schemes, and browsing inside the grid.
#include <gtest/gtest.h>

#include <algorithm>

#include "E2eFixture.h"
#include "GridTiles.h"

using namespace e2e;

namespace {

int Luminance(COLORREF c) { return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000; }

class GridView : public TViewerTest {
protected:
  GridView() : TViewerTest(TAnimation::Off) {}

  static HWND ShownHint(TProcess& viewer) {
    for (HWND w : TopLevelWindows(viewer.Id()))
      if (ClassNameOf(w) == L"THeapHint") return w;
    return nullptr;
  }
  // The hint the grid shows when the pointer comes to rest on a tile: the
  // pointer leaves the window first, so the hint read is that tile's.
  std::wstring HintOver(TProcess& viewer, HWND window, POINT clientPoint) {
    MoveCursor({5, 5});
    if (!WaitUntil([&] { return ShownHint(viewer) == nullptr; })) return L"<the last hint stayed>";
    POINT screen = clientPoint;
    ::ClientToScreen(window, &screen);
    MoveCursor(screen);
    if (!WaitUntil([&] { return ShownHint(viewer) != nullptr; })) return L"<no hint>";
    return WindowText(ShownHint(viewer));
  }
};

struct TShapeCase {
  const char* Name;
  int Files;
  const wchar_t* Switches;
  int ClientWidth, ClientHeight;
};

void PrintTo(const TShapeCase& c, std::ostream* os) { *os << c.Name; }

class GridShape : public GridView, public ::testing::WithParamInterface<TShapeCase> {};

TEST_P(GridShape, FollowsTheLayoutRuleBesideTheTaskbar) {
  const TShapeCase& c = GetParam();
  TScratchFolder folder(L"Shape");
  for (int i = 0; i < c.Files; ++i) folder.Add(L"file" + std::to_wstring(i) + L".txt");
  const POINT cursor = {700, 1000};
  MoveCursor(cursor);
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()) + L" /grid " + c.Switches);
  const HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  const TWindowFacts facts = ReadWindowFacts(window);
  EXPECT_EQ(facts.Caption, L"Shape");
  EXPECT_EQ(facts.ClientWidth(), c.ClientWidth);
  EXPECT_EQ(facts.ClientHeight(), c.ClientHeight);
  EXPECT_EQ(facts.Window.left, cursor.x - facts.Width() / 2);
  EXPECT_EQ(facts.Window.bottom, PrimaryWorkArea().bottom - 4);
}

INSTANTIATE_TEST_SUITE_P(Tiles, GridShape,
                         ::testing::Values(TShapeCase{"SevenInOneRow", 6, L"", 7 * 64 + 4, 60},
                                           TShapeCase{"EightInAThreeByThreeBlock", 7, L"", 3 * 64 + 4, 3 * 56 + 4},
                                           TShapeCase{"EmptyWithoutExplore", 0, L"/noexplore", 4, 60}),
                         [](const ::testing::TestParamInfo<TShapeCase>& info) { return std::string(info.param.Name); });

TEST_F(GridView, AStackTooTallForTheScreenOpensAsAGrid) {
  const RECT work = PrimaryWorkArea();
  const int capacity = (work.bottom - work.top - 50) / 44;
  TScratchFolder folder(L"Too Tall");
  const int files = capacity + 1;
  for (int i = 0; i < files; ++i) folder.Add(L"file" + std::to_wstring(i) + L".txt");
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
  const HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  // The files and Explore as tiles, ceil(sqrt n) to a row.
  const int tiles = files + 1;
  int columns = 1;
  while (columns * columns < tiles) ++columns;
  const int rows = (tiles + columns - 1) / columns;
  const TWindowFacts facts = ReadWindowFacts(window);
  EXPECT_EQ(facts.ClientWidth(), columns * 64 + 4);
  EXPECT_EQ(facts.ClientHeight(), rows * 56 + 4);
}

TEST_F(GridView, PicturesShowAsThumbnailsAndADamagedOneKeepsItsIcon) {
  TScratchFolder folder(L"Pictures");
  folder.Add(L"a.txt");
  folder.Add(L"broken.jpg", std::string("\xFF\xD8\xFF\xE0 this is no picture", 23));
  folder.Add(L"red.png", RedPng());
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()) + L" /grid /thumbs");
  const HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ReadWindowFacts(window).ClientWidth(), 4 * 64 + 4) << "a.txt, broken.jpg, red.png, Explore";
  EXPECT_FALSE(ShowsMessageBox(viewer.Id())) << "a picture that cannot be read is no error to report";

  // Tile 2 is the red picture: its icon place shows red.
  const POINT red = TileCorner(2, 4);
  const RECT redIcon = {red.x + 16, red.y + 4, red.x + 48, red.y + 36};
  WaitUntil([&] {
    const TScreenArea area = ReadArea(window, redIcon);
    return area.At(16, 16) == RGB(255, 0, 0);
  });
  const TScreenArea redArea = ReadArea(window, redIcon);
  EXPECT_EQ(redArea.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(redArea.At(16, 16), RGB(255, 0, 0));
  EXPECT_EQ(redArea.At(31, 31), RGB(255, 0, 0));
  // Tile 1, the damaged picture, has an icon in its place: not the background.
  const POINT broken = TileCorner(1, 4);
  const TScreenArea brokenArea = ReadArea(window, {broken.x + 16, broken.y + 4, broken.x + 48, broken.y + 36});
  const COLORREF background = ViewBackground(window);
  EXPECT_TRUE(std::any_of(brokenArea.Pixels.begin(), brokenArea.Pixels.end(),
                          [&](COLORREF c) { return c != background && c != RGB(255, 0, 0); }));
}

TEST_F(GridView, HintsTellWhatATileHolds) {
  // The grid does not follow its folder: a file deleted below stays a tile.
  preferences_.SetTestingDword(L"LiveViews", 0);
  TScratchFolder folder(L"Hints");
  folder.AddFolder(L"Docs\\One");
  folder.AddFolder(L"Docs\\Two");
  folder.Add(L"Docs\\hidden.txt", "x", FILE_ATTRIBUTE_HIDDEN);
  for (const wchar_t* name : {L"Docs\\a.txt", L"Docs\\b.txt", L"Docs\\c.txt"}) folder.Add(name);
  const std::wstring report = folder.Add(L"report.PDF", std::string(1536, 'r'));
  const std::wstring midnight = folder.Add(L"zz.txt");
  // Known last-write times, local: one at 05:06:08, one at midnight.
  const auto setTime = [](const std::wstring& path, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME local = {2026, 3, 0, 4, hour, minute, second, 0};
    FILETIME localTime = {}, utc = {};
    ::SystemTimeToFileTime(&local, &localTime);
    ::LocalFileTimeToFileTime(&localTime, &utc);
    const THandle file(
        ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ::SetFileTime(file.Get(), nullptr, nullptr, &utc);
    wchar_t date[128] = {}, time[128] = {};
    ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, date, 128);
    ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &local, nullptr, time, 128);
    return std::pair<std::wstring, std::wstring>(date, time);
  };
  const auto [reportDate, reportTime] = setTime(report, 5, 6, 8);
  const auto [midnightDate, unused] = setTime(midnight, 0, 0, 0);
  (void)unused;

  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()) + L" /grid");
  const HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  // Docs, report.PDF, zz.txt, Explore in one row.
  EXPECT_EQ(HintOver(viewer, window, TileCentre(0, 4)), L"Docs\rContains: 2 folders, 3 files");
  EXPECT_EQ(HintOver(viewer, window, TileCentre(1, 4)),
            L"report.PDF\rSize: 1.5 KB\rDate: " + reportDate + L" " + reportTime);
  EXPECT_EQ(HintOver(viewer, window, TileCentre(2, 4)), L"zz.txt\rSize: 1 bytes\rDate: " + midnightDate);
  EXPECT_EQ(HintOver(viewer, window, TileCentre(3, 4)), L"Explore: Hints");

  // Inside Docs: the go-back tile first.
  ClickAt(window, TileCentre(0, 4));
  ASSERT_TRUE(WaitUntil([&] { return WindowText(window) == L"Docs"; }));
  ASSERT_TRUE(WaitForViewAtRest(window));
  // go-back, One, Two, a.txt, b.txt, c.txt, Explore: 7 in a row.
  EXPECT_EQ(HintOver(viewer, window, TileCentre(0, 7)), L"Go back to: Hints");
  EXPECT_EQ(HintOver(viewer, window, TileCentre(1, 7)), L"One\rContains: Nothing");

  // A file deleted since the grid was built shows its name alone.
  ::DeleteFileW((folder.Path() + L"\\Docs\\a.txt").c_str());
  EXPECT_EQ(HintOver(viewer, window, TileCentre(3, 7)), L"a.txt");
}

TEST_F(GridView, BrowsingRebuildsTheGridWithItsGoBackTileAndBack) {
  TScratchFolder folder(L"Top");
  folder.Add(L"Sub\\one.txt");
  folder.Add(L"Sub\\two.txt");
  folder.Add(L"top.txt");
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()) + L" /grid");
  const HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  const TWindowFacts first = ReadWindowFacts(window);
  EXPECT_EQ(first.ClientWidth(), 3 * 64 + 4) << "Sub, top.txt, Explore";

  ClickAt(window, TileCentre(0, 3));
  ASSERT_TRUE(WaitUntil([&] { return WindowText(window) == L"Sub"; }));
  ASSERT_TRUE(WaitForViewAtRest(window));
  EXPECT_EQ(ReadWindowFacts(window).ClientWidth(), 4 * 64 + 4) << "go-back, one.txt, two.txt, Explore";
  EXPECT_EQ(HintOver(viewer, window, TileCentre(0, 4)), L"Go back to: Top");

  ClickAt(window, TileCentre(0, 4));
  ASSERT_TRUE(WaitUntil([&] { return WindowText(window) == L"Top"; }));
  ASSERT_TRUE(WaitForViewAtRest(window));
  const TWindowFacts back = ReadWindowFacts(window);
  EXPECT_TRUE(::EqualRect(&back.Window, &first.Window));
  EXPECT_TRUE(viewer.Running());
}

struct TColourCase {
  const char* Name;
  DWORD TextColor;
  bool DarkText;
};

void PrintTo(const TColourCase& c, std::ostream* os) { *os << c.Name; }

class CaptionColours : public GridView, public ::testing::WithParamInterface<TColourCase> {};

TEST_P(CaptionColours, FollowTheColourScheme) {
  preferences_.SetDword(L"TextColor", GetParam().TextColor);
  TScratchFolder folder(L"Colours");
  folder.Add(L"WWWW.txt");
  // The pointer well above where the grid will stand: a tile under it would
  // be highlighted and show its hint over the caption.
  MoveCursor({640, 100});
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()) + L" /grid /noexplore");
  const HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  // The caption band of the one tile.
  const POINT corner = TileCorner(0, 1);
  const RECT band = {corner.x + 2, corner.y + 38, corner.x + 62, corner.y + 56};
  // The sharp text is the extreme of its colour; the halo or shadow, four
  // blurred copies of it, covers more pixels on the other side of gray.
  TScreenArea area;
  int darkest = 255, brightest = 0, dark = 0, light = 0;
  TScreenArea previous;
  WaitUntil([&] {
    previous = area;
    area = ReadArea(window, band);
    if (area.Pixels != previous.Pixels) return false;  // still being painted
    darkest = 255, brightest = 0, dark = 0, light = 0;
    for (COLORREF c : area.Pixels) {
      const int l = Luminance(c);
      darkest = std::min(darkest, l);
      brightest = std::max(brightest, l);
      dark += l < 80;
      light += l > 176;
    }
    return dark > 0 && light > 0;
  });
  if (GetParam().DarkText) {
    EXPECT_LT(darkest, 40) << "black text";
    EXPECT_GT(light, dark) << "in a light halo";
  } else {
    EXPECT_GT(brightest, 215) << "white text";
    EXPECT_GT(dark, light) << "over a dark shadow";
  }
}

INSTANTIATE_TEST_SUITE_P(Schemes, CaptionColours,
                         ::testing::Values(TColourCase{"BlackOnWhite", 1, true}, TColourCase{"WhiteOnBlack", 0, false},
                                           TColourCase{"AnyOtherValue", 2, false}),
                         [](const ::testing::TestParamInfo<TColourCase>& info) {
                           return std::string(info.param.Name);
                         });

}  // namespace
