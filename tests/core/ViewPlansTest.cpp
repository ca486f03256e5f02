#include "core/viewer/ViewPlans.h"

#include <gtest/gtest.h>

#include <cwctype>

namespace {

// Names in the order of their lower-cased letters.
std::string LowerKey(const std::wstring& name) {
  std::string key;
  for (const wchar_t c : name) key += static_cast<char>(std::towlower(c));
  return key;
}

// Ten pixels a character.
std::int32_t TenPerCharacter(const std::wstring& text) { return static_cast<std::int32_t>(text.size()) * 10; }

TViewRequest Request(std::int32_t workWidth, std::int32_t workHeight, const TViewMetrics& metrics = kDesignMetrics) {
  TViewRequest request;
  request.Folder = L"C:\\S\\R";
  request.StackFolder = L"C:\\S";
  request.WindowsFolder = L"C:\\Windows\\";
  request.WorkArea = {0, 0, workWidth, workHeight};
  request.Metrics = metrics;
  request.SortKey = &LowerKey;
  return request;
}

std::vector<std::wstring> Captions(const std::vector<TStackEntry>& entries) {
  std::vector<std::wstring> captions;
  for (const TStackEntry& e : entries) captions.push_back(e.Caption);
  return captions;
}

TFolderListing FourEntries() {
  TFolderListing listing;
  listing.Folders = {L"C:\\S\\R\\beta", L"C:\\S\\R\\Alpha"};
  listing.Files = {L"C:\\S\\R\\Quarterly report draft.doc", L"C:\\S\\R\\b.txt"};
  return listing;
}

}  // namespace

TEST(ViewPlans, AStackIsMeasuredSortedCheckedForCrowdingAndSized) {
  const std::vector<std::wstring> all = {L"Go back to: S", L"Alpha", L"beta", L"b.txt", L"Quarterly report draft.doc",
                                         L"Explore: R"};
  const std::vector<std::wstring> crowdedEntries = {L"Go back to: S", L"Too many items -- Explore"};
  struct {
    const char* what;
    std::int32_t workHeight;
    TViewMetrics metrics;
    std::vector<std::wstring> captions;
    bool crowded;
    std::int32_t entryWidth, entryHeight, clientWidth, clientHeight;
    std::optional<std::int32_t> outerHeight;
  } cases[] = {
      // The longest name without its extension (22 characters) is wider than
      // "Go back to: S": 220 x 1.1 + 65.
      {"room to spare", 1000, kDesignMetrics, all, false, 307, 44, 311, 6 * 44 + 4, std::nullopt},
      // 4 entries need 4 x 44 + 50 = 226; the 6 shown make 268.
      {"fits, but taller than the work area", 240, kDesignMetrics, all, false, 307, 44, 311, 268, 236},
      {"fits exactly", 226, kDesignMetrics, all, false, 307, 44, 311, 268, 222},
      {"one pixel short: crowded", 225, kDesignMetrics, crowdedEntries, true, 307, 44, 311, 92, std::nullopt},
      // At 192 DPI the sizes double (the least width too); the measurer's
      // widths are the font's at that DPI.
      {"twice the DPI", 2000, ViewMetricsFor(192), all, false, 400, 88, 408, 6 * 88 + 8, std::nullopt},
  };
  for (const auto& c : cases) {
    const TStackPlan plan = PlanStack(FourEntries(), Request(800, c.workHeight, c.metrics), &TenPerCharacter);
    EXPECT_EQ(plan.Caption, L"R") << c.what;
    EXPECT_EQ(Captions(plan.Entries), c.captions) << c.what;
    EXPECT_EQ(plan.Crowded, c.crowded) << c.what;
    EXPECT_EQ(plan.FallsBackToGrid, c.crowded) << c.what << ": one capacity for both";
    EXPECT_EQ(plan.EntryWidth, c.entryWidth) << c.what;
    EXPECT_EQ(plan.EntryHeight, c.entryHeight) << c.what;
    EXPECT_EQ(plan.Client.Width, c.clientWidth) << c.what;
    EXPECT_EQ(plan.Client.Height, c.clientHeight) << c.what;
    EXPECT_EQ(plan.OuterHeight, c.outerHeight) << c.what;
  }
}

TEST(ViewPlans, TheGoBackTextCountsEvenWhenItIsWiderThanEveryName) {
  TFolderListing listing;
  listing.Files = {L"C:\\A long parent folder name\\R\\x.txt"};
  TViewRequest request = Request(800, 1000);
  request.Folder = L"C:\\A long parent folder name\\R";
  request.StackFolder = request.Folder;  // at the top: no go-back entry, yet its text is measured
  const TStackPlan plan = PlanStack(listing, request, &TenPerCharacter);
  EXPECT_EQ(Captions(plan.Entries), (std::vector<std::wstring>{L"x.txt", L"Explore: R"}));
  EXPECT_EQ(plan.EntryWidth, 37 * 10 * 11 / 10 + 65) << "\"Go back to: A long parent folder name\"";
}

TEST(ViewPlans, AGridKeepsWhatItsWorkAreaHoldsAndNumbersItsFilesAndPictures) {
  TFolderListing listing;
  listing.Folders = {L"C:\\S\\R\\b", L"C:\\S\\R\\a"};
  listing.Files = {L"C:\\S\\R\\e.png", L"C:\\S\\R\\c.jpg", L"C:\\S\\R\\b.txt", L"C:\\S\\R\\a.png", L"C:\\S\\R\\d.gif"};
  struct {
    const char* what;
    bool thumbnails, shellThumbnails;
    std::int32_t workWidth, workHeight;
    std::vector<std::wstring> captions;
    std::vector<std::wstring> pictures;
    std::vector<bool> pictured;
    std::int32_t columns, rows;
  } cases[] = {
      // (64 + 64)(56 + 56) / (64 x 56) = 4: two folders and three files.
      {"a small work area",
       true,
       false,
       64,
       56,
       {L"Go back", L"a", L"b", L"a.png", L"b.txt", L"c.jpg", L"Explore"},
       {L"C:\\S\\R\\a.png", L"C:\\S\\R\\c.jpg"},
       {false, false, false, true, false, true, false},
       7,
       1},
      {"the shell's thumbnails: every file is pictured",
       true,
       true,
       64,
       56,
       {L"Go back", L"a", L"b", L"a.png", L"b.txt", L"c.jpg", L"Explore"},
       {L"C:\\S\\R\\a.png", L"C:\\S\\R\\b.txt", L"C:\\S\\R\\c.jpg"},
       {false, false, false, true, true, true, false},
       7,
       1},
      {"room for all, without thumbnails",
       false,
       true,
       1000,
       1000,
       {L"Go back", L"a", L"b", L"a.png", L"b.txt", L"c.jpg", L"d.gif", L"e.png", L"Explore"},
       {},
       {false, false, false, false, false, false, false, false, false},
       3,
       3},
  };
  for (const auto& c : cases) {
    TViewRequest request = Request(c.workWidth, c.workHeight);
    request.Options.ShowThumbnails = c.thumbnails;
    request.ShellThumbnails = c.shellThumbnails;
    const TGridPlan plan = PlanGrid(listing, request);
    std::vector<TStackEntry> entries;
    std::vector<bool> pictured;
    std::size_t files = 0;
    for (const TGridTile& tile : plan.Tiles) {
      entries.push_back(tile.Entry);
      pictured.push_back(tile.Picture);
      if (tile.Entry.Kind == TEntryKind::File)
        EXPECT_EQ(tile.FileNumber, ++files) << c.what;
      else
        EXPECT_EQ(tile.FileNumber, 0u) << c.what;
    }
    EXPECT_EQ(Captions(entries), c.captions) << c.what;
    EXPECT_EQ(plan.Pictures, c.pictures) << c.what;
    EXPECT_EQ(pictured, c.pictured) << c.what;
    ASSERT_EQ(plan.PictureTiles.size(), plan.Pictures.size()) << c.what;
    for (std::size_t k = 0; k < plan.PictureTiles.size(); ++k)
      EXPECT_EQ(plan.Tiles[plan.PictureTiles[k]].Entry.Hint, plan.Pictures[k]) << c.what;
    EXPECT_EQ(plan.AllFiles, 5u) << c.what << ": the files beyond the grid count too";
    EXPECT_EQ(plan.Shape.Columns, c.columns) << c.what;
    EXPECT_EQ(plan.Shape.Rows, c.rows) << c.what;
    EXPECT_EQ(plan.Client.Width, c.columns * 64 + 4) << c.what;
    EXPECT_EQ(plan.Client.Height, c.rows * 56 + 4) << c.what;
    EXPECT_EQ(plan.TileWidth, 64);
    EXPECT_EQ(plan.TileHeight, 56);
    EXPECT_EQ(plan.CleaningUpCaption(), L"R (Cleaning up)");
    EXPECT_EQ(plan.LoadingCaption(), L"R (Loading)");
    EXPECT_EQ(plan.LoadingCaption(2), L"R (Loading 2 of 5)");
  }
}

TEST(ViewPlans, AGridAtRestCountsThePicturesStillToComeByTheirFileNumbers) {
  TFolderListing listing;
  listing.Files = {L"C:\\S\\R\\a.png", L"C:\\S\\R\\b.txt", L"C:\\S\\R\\c.jpg", L"C:\\S\\R\\d.gif"};
  TViewRequest request = Request(1000, 1000);
  request.Options.ShowThumbnails = true;
  const TGridPlan plan = PlanGrid(listing, request);
  // Pictures are files 1, 3 and 4: b.txt gets its icon and is not waited for.
  EXPECT_EQ(plan.CaptionWithPicturesPlaced(0), L"R (Loading 1 of 4)");
  EXPECT_EQ(plan.CaptionWithPicturesPlaced(1), L"R (Loading 3 of 4)");
  EXPECT_EQ(plan.CaptionWithPicturesPlaced(2), L"R (Loading 4 of 4)");
  EXPECT_EQ(plan.CaptionWithPicturesPlaced(3), L"R");
  EXPECT_EQ(plan.CaptionWithPicturesPlaced(7), L"R");

  request.Options.ShowThumbnails = false;
  EXPECT_EQ(PlanGrid(listing, request).CaptionWithPicturesPlaced(0), L"R") << "no pictures: the name at once";
}

TEST(ViewPlans, TheCountingCaptionChangesAtMostEveryTenthOfASecondAndAlwaysAtTheEnd) {
  const struct {
    std::uint32_t shownAt, now;
    bool last, due;
  } cases[] = {
      {1000, 1099, false, false},      {1000, 1100, false, true},
      {1000, 1000, true, true},        {0xFFFFFFC0u, 40, false, true},  // the counter wrapped: 104 ms later
      {0xFFFFFFC0u, 20, false, false},                                  // 84 ms later
  };
  for (const auto& c : cases)
    EXPECT_EQ(ProgressCaptionDue(c.shownAt, c.now, c.last), c.due) << c.shownAt << " " << c.now << " " << c.last;
}

TEST(ViewPlans, AMenuLevelIsSortedWithExploreAndASeparatorFirst) {
  TViewRequest request = Request(0, 0);
  request.Options.BrowseFolders = false;
  std::vector<std::wstring> lines;
  for (const TMenuLine& line : PlanMenu(FourEntries(), request))
    lines.push_back(line.Kind == TMenuLineKind::Separator ? L"-"
                    : line.Kind == TMenuLineKind::SubMenu ? line.Entry.Caption + L" >"
                                                          : line.Entry.Caption);
  EXPECT_EQ(lines, (std::vector<std::wstring>{L"Explore: R", L"-", L"Alpha", L"beta", L"b.txt",
                                              L"Quarterly report draft.doc"}));
}
