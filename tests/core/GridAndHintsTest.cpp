#include <gtest/gtest.h>

#include <vector>

#include "core/viewer/EntryHints.h"
#include "core/viewer/EntryPainting.h"
#include "core/viewer/GridLayout.h"

TEST(GridLayout, CapacityRoundsHalvesToEvenAndCountsFoldersFirst) {
  EXPECT_EQ(GridCapacity(1920, 1040), 607);  // 606.71
  EXPECT_EQ(GridCapacity(1366, 728), 313);
  EXPECT_EQ(GridCapacity(1024, 738), 241);
  EXPECT_EQ(GridCapacity(96, 28), 4);   // 2.5 x 1.5 = 3.75
  EXPECT_EQ(GridCapacity(32, 56), 3);   // 1.5 x 2 = 3
  EXPECT_EQ(GridCapacity(32, 168), 6);  // 1.5 x 4 = 6
  EXPECT_EQ(GridCapacity(160, 0), 4);   // 3.5: halves go to even
  EXPECT_EQ(GridCapacity(224, 0), 4);   // 4.5
  // At 144 DPI (96 x 84 tiles) 245/2 is a half that floating point puts a
  // hair above 122.5; it still goes to the even 122.
  EXPECT_EQ(GridCapacity(1164, 700, ViewMetricsFor(144)), 122);
  EXPECT_EQ(GridCapacity(408, 100, ViewMetricsFor(144)), 12);  // 23/2

  struct {
    std::int64_t n;
    std::size_t folders, files, wantFolders, wantFiles;
  } cases[] = {
      {607, 0, 700, 0, 608},  // N + 1 file tiles
      {5, 10, 3, 6, 0},       // folders fill the grid, no file tiles
      {5, 5, 3, 5, 1},        // N - F + 1 = 1
      {5, 6, 3, 6, 0},        // F > N: none
      {607, 2, 3, 2, 3},     {0, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    const TGridTileCounts counts = GridTileCounts(c.n, c.folders, c.files);
    EXPECT_EQ(counts.Folders, c.wantFolders) << c.n << " " << c.folders << " " << c.files;
    EXPECT_EQ(counts.Files, c.wantFiles) << c.n << " " << c.folders << " " << c.files;
  }
  TFolderListing listing{{L"C:\\a", L"C:\\b"}, {L"C:\\x", L"C:\\y", L"C:\\z"}};
  LimitListingToGrid(listing, 2);
  EXPECT_EQ(listing.Folders.size(), 2u);
  EXPECT_EQ(listing.Files, std::vector<std::wstring>{L"C:\\x"});
}

TEST(GridLayout, ShapesAndClientSizes) {
  struct {
    std::size_t tiles;
    std::int32_t columns, rows;
  } cases[] = {
      {0, 0, 1},  {1, 1, 1},  {7, 7, 1},     {8, 3, 3},     {9, 3, 3},     {10, 4, 3},
      {16, 4, 4}, {17, 5, 4}, {609, 25, 25}, {625, 25, 25}, {626, 26, 25},
  };
  for (const auto& c : cases) {
    const TGridShape shape = GridShape(c.tiles);
    EXPECT_EQ(shape.Columns, c.columns) << c.tiles;
    EXPECT_EQ(shape.Rows, c.rows) << c.tiles;
  }
  EXPECT_EQ(GridClientSize(GridShape(0)).Width, 4);
  EXPECT_EQ(GridClientSize(GridShape(0)).Height, 60);
  EXPECT_EQ(GridClientSize(GridShape(609)).Width, 1604);
  EXPECT_EQ(GridClientSize(GridShape(609)).Height, 1404);
}

TEST(EntryHints, TextsOfEveryKindOfTile) {
  EXPECT_EQ(FolderHintText(L"C:\\Data\\Photos", 2, 3), L"Photos\rContains: 2 folders, 3 files");
  EXPECT_EQ(FolderHintText(L"C:\\Data\\Photos", 1, 1), L"Photos\rContains: 1 folder, 1 file");
  EXPECT_EQ(ContentsPhrase(0, 5), L"5 files");
  EXPECT_EQ(ContentsPhrase(0, 1), L"1 file");
  EXPECT_EQ(ContentsPhrase(1, 0), L"1 folder");
  EXPECT_EQ(ContentsPhrase(4, 0), L"4 folders");
  EXPECT_EQ(ContentsPhrase(0, 0), L"Nothing");

  const TFileFacts facts{L"1.5 KB", L"12/09/2026 14:03:08"};
  EXPECT_EQ(FileHintText(L"C:\\D\\report.PDF", false, facts), L"report.PDF\rSize: 1.5 KB\rDate: 12/09/2026 14:03:08");
  EXPECT_EQ(FileHintText(L"C:\\D\\Editor.lnk", false, facts), L"Editor");
  EXPECT_EQ(FileHintText(L"C:\\D\\Editor.LNK", false, facts), L"Editor");
  EXPECT_EQ(FileHintText(L"C:\\D\\report.PDF", true, facts), L"report");
  EXPECT_EQ(FileHintText(L"C:\\D\\gone.txt", false, std::nullopt), L"gone.txt") << "never -1 bytes or 1601";

  EXPECT_EQ(GoBackHintText(L"C:\\Data"), L"Go back to: Data");
  EXPECT_EQ(ExploreHintText(L"C:\\Data\\Photos"), L"Explore: Photos");
  EXPECT_EQ(FileDateText(L"12/09/2026", L"00:00:00", 0, 0, 0), L"12/09/2026");
  EXPECT_EQ(FileDateText(L"12/09/2026", L"00:00:02", 0, 0, 2), L"12/09/2026 00:00:02");
}

TEST(EntryPainting, CaptionRectanglesSizesAndRecipes) {
  // Stack: from where the toolbar puts it to 5 short of the entry's right edge.
  const TRectI stack = CaptionRectFor(TViewKind::Stack, {44, 2, 198, 46}, {0, 0, 200, 44});
  EXPECT_EQ(stack.Left, 44);
  EXPECT_EQ(stack.Right, 195);
  EXPECT_EQ(stack.Top, 2);
  EXPECT_EQ(stack.Bottom, 46);
  // Grid: 59 pixels around the centre, 29 left and 30 right of it.
  const TRectI grid = CaptionRectFor(TViewKind::Grid, {2, 38, 63, 56}, {0, 0, 64, 56});
  EXPECT_EQ(grid.Left, 32 - 29);
  EXPECT_EQ(grid.Right, 32 + 30);
  EXPECT_EQ(grid.Top, 38);
  EXPECT_EQ(CaptionPointSize(TViewKind::Grid, 9), 7);
  EXPECT_EQ(CaptionPointSize(TViewKind::Grid, 8), 6);
  EXPECT_EQ(CaptionPointSize(TViewKind::Stack, 9), 9);
  for (auto [dialog, preview] : {std::pair{9, 8}, {8, 7}, {10, 9}, {12, 11}, {5, 5}})
    EXPECT_EQ(PreviewPointSize(dialog), preview);

  const TCaptionRecipe stackBlack = CaptionRecipeFor(TViewKind::Stack, 1);
  EXPECT_TRUE(stackBlack.BlackOnWhite);
  EXPECT_EQ(stackBlack.Shift, 3);
  EXPECT_EQ(stackBlack.BlurRadius, 3);
  EXPECT_EQ(stackBlack.BlurPasses, 2);
  EXPECT_EQ(stackBlack.HAlign, 0);
  for (const TCaptionRecipe& r : {CaptionRecipeFor(TViewKind::Stack, 0), CaptionRecipeFor(TViewKind::Grid, 1),
                                  CaptionRecipeFor(TViewKind::Grid, 7)}) {
    EXPECT_EQ(r.Shift, 1);
    EXPECT_EQ(r.BlurRadius, 1);
    EXPECT_EQ(r.BlurPasses, 1);
  }
  EXPECT_FALSE(CaptionRecipeFor(TViewKind::Grid, 2).BlackOnWhite) << "any value but 1 is white on black";
  EXPECT_EQ(CaptionRecipeFor(TViewKind::Grid, 1).HAlign, 1);
}
