#include "core/viewer/StackEntries.h"

#include "core/base/PathUtils.h"

#include <gtest/gtest.h>

#include "CoreTestHelpers.h"
#include "core/base/ExtraStrUtils.h"

#include <map>

namespace {

// ASCII names only: one byte a character.
std::string KeyNoCase(const std::wstring& name) {
  std::string key;
  for (const wchar_t c : AsciiLowerCase(name)) key += static_cast<char>(c);
  return key;
}

// "Name|Caption|Tag" of every entry, in order.
std::vector<std::wstring> Describe(const std::vector<TStackEntry>& entries) {
  std::vector<std::wstring> out;
  for (const TStackEntry& e : entries) out.push_back(e.Name + L"|" + e.Caption + L"|" + std::to_wstring(e.Tag));
  return out;
}

}  // namespace

TEST(StackEntries, ListsVisibleEntriesAndSortsFoldersBeforeFiles) {
  TFakeDirSource s;
  s.Folders[L"C:\\S\\"] = {{L".", faDirectory},     {L"..", faDirectory},
                           {L"b.txt", faArchive},   {L"Zed", faDirectory},
                           {L"A.txt", 0},           {L"sub", faDirectory},
                           {L"hid.txt", faHidden},  {L"hdir", faHidden | faDirectory},
                           {L"sys.dat", faSysFile}, {L"sdir", faSysFile | faDirectory},
                           {L"README", faReadOnly}};
  TFolderListing listing = ListFolderEntries(s, L"C:\\S");
  EXPECT_EQ(listing.Folders, (std::vector<std::wstring>{L"C:\\S\\Zed", L"C:\\S\\sub"}));
  EXPECT_EQ(listing.Files,
            (std::vector<std::wstring>{L"C:\\S\\b.txt", L"C:\\S\\A.txt", L"C:\\S\\sys.dat", L"C:\\S\\README"}));

  SortListing(listing, KeyNoCase);
  EXPECT_EQ(listing.Folders, (std::vector<std::wstring>{L"C:\\S\\sub", L"C:\\S\\Zed"}));
  EXPECT_EQ(listing.Files,
            (std::vector<std::wstring>{L"C:\\S\\A.txt", L"C:\\S\\b.txt", L"C:\\S\\README", L"C:\\S\\sys.dat"}));

  const TFolderListing missing = ListFolderEntries(s, L"C:\\Missing");
  EXPECT_TRUE(missing.Folders.empty() && missing.Files.empty());
}

TEST(StackEntries, SortingKeysTheNamesAndKeepsEqualKeysInListedOrder) {
  TFolderListing listing;
  // "B" and "b" have one key; "ab" begins "abc"'s key; the folder part differs
  // in case only to show that names alone are keyed.
  listing.Files = {L"C:\\S\\b", L"C:\\S\\abc", L"C:\\S\\B", L"C:\\s\\ab", L"C:\\S\\a"};
  std::vector<std::wstring> keyed;
  SortListing(listing, [&](const std::wstring& name) {
    keyed.push_back(name);
    return KeyNoCase(name);
  });
  EXPECT_EQ(listing.Files,
            (std::vector<std::wstring>{L"C:\\S\\a", L"C:\\s\\ab", L"C:\\S\\abc", L"C:\\S\\b", L"C:\\S\\B"}));
  EXPECT_EQ(keyed, (std::vector<std::wstring>{L"b", L"abc", L"B", L"ab", L"a"})) << "one key a name";
}

TEST(StackEntries, SortOrdersPutFoldersFirstAndFallBackToNames) {
  TFakeDirSource s;
  // name, attributes, size, modified, created
  s.Folders[L"C:\\S\\"] = {
      {L"b.txt", faArchive, 300, 50, 10}, {L"Old", faDirectory, 0, 5, 90}, {L"a.TXT", 0, 300, 70, 10},
      {L"README", 0, 900, 50, 30},        {L"c.doc", 0, 10, 60, 20},       {L"New.d", faDirectory, 0, 80, 1},
      {L"z.Doc", 0, 10, 60, 40},          {L".profile", 0, 0, 0, 0},
  };
  const struct {
    TSortOrder Order;
    std::vector<std::wstring> Folders, Files;
  } cases[] = {
      {TSortOrder::Name, {L"New.d", L"Old"}, {L".profile", L"a.TXT", L"b.txt", L"c.doc", L"README", L"z.Doc"}},
      // Newest first; equal times in name order.
      {TSortOrder::Modified, {L"New.d", L"Old"}, {L"a.TXT", L"c.doc", L"z.Doc", L"b.txt", L"README", L".profile"}},
      {TSortOrder::Created, {L"Old", L"New.d"}, {L"z.Doc", L"README", L"c.doc", L"a.TXT", L"b.txt", L".profile"}},
      // By extension in any case, names without one first (a leading full
      // stop starts no extension); folders by name.
      {TSortOrder::Kind, {L"New.d", L"Old"}, {L".profile", L"README", L"c.doc", L"z.Doc", L"a.TXT", L"b.txt"}},
      // Largest first; equal sizes in name order.
      {TSortOrder::Size, {L"New.d", L"Old"}, {L"README", L"a.TXT", L"b.txt", L"c.doc", L"z.Doc", L".profile"}},
  };
  for (const auto& c : cases) {
    TFolderListing listing = ListFolderEntries(s, L"C:\\S");
    SortListing(listing, KeyNoCase, c.Order);
    std::vector<std::wstring> folders, files;
    for (const auto& path : listing.Folders) folders.push_back(ExtractFileName(path));
    for (const auto& path : listing.Files) files.push_back(ExtractFileName(path));
    EXPECT_EQ(folders, c.Folders) << int(c.Order);
    EXPECT_EQ(files, c.Files) << int(c.Order);
    // The facts travel with their entries.
    ASSERT_EQ(listing.FileFacts.size(), listing.Files.size());
    EXPECT_EQ(listing.FileFacts[0].Size, ExtractFileName(listing.Files[0]) == L"README"  ? 900
                                         : ExtractFileName(listing.Files[0]) == L"a.TXT" ? 300
                                         : ExtractFileName(listing.Files[0]) == L"z.Doc" ? 10
                                                                                         : 0);
  }
  // A listing without facts (every fact 0) keeps the name order in every order.
  TFolderListing bare;
  bare.Files = {L"C:\\S\\b", L"C:\\S\\a"};
  SortListing(bare, KeyNoCase, TSortOrder::Size);
  EXPECT_EQ(bare.Files, (std::vector<std::wstring>{L"C:\\S\\a", L"C:\\S\\b"}));
}

TEST(StackEntries, FileCaptionDropsExtensionOfShortcutsOrWhenHidden) {
  struct {
    const wchar_t* path;
    bool hide;
    const wchar_t* want;
  } cases[] = {
      {L"C:\\S\\notes.txt", false, L"notes.txt"},
      {L"C:\\S\\Word.lnk", false, L"Word"},
      {L"C:\\S\\WORD.LNK", false, L"WORD"},
      {L"C:\\S\\a.lnk.txt", false, L"a.lnk.txt"},
      {L"C:\\S\\archive.tar.gz", true, L"archive.tar"},
      {L"C:\\S\\.profile", true, L""},
      {L"C:\\S\\.profile", false, L".profile"},
      {L"C:\\S\\README", true, L"README"},
  };
  for (const auto& c : cases) EXPECT_EQ(FileCaption(c.path, c.hide), c.want) << c.path << " hide=" << c.hide;
}

TEST(StackEntries, EntriesPerViewAndOptions) {
  TFolderListing listing;
  listing.Folders = {L"C:\\S\\R&D\\Tom & Jerry"};
  listing.Files = {L"C:\\S\\R&D\\a.txt", L"C:\\S\\R&D\\Word.lnk"};
  const std::vector<std::wstring> fullStack = {L"StackItemGoBack|Go back to: S|1", L"StackItemFolder0|Tom & Jerry|1",
                                               L"StackItemFile0|a.txt|2", L"StackItemFile1|Word|2",
                                               L"StackItemExplore|Explore: R&D|2"};
  struct {
    const char* what;
    TViewKind view;
    const wchar_t* stackFolder;
    bool browse, explore, crowded, hideExt;
    std::vector<std::wstring> want;
  } cases[] = {
      {"stack below the stack folder", TViewKind::Stack, L"C:\\S", true, true, false, false, fullStack},
      {"go-back test is case-sensitive", TViewKind::Stack, L"c:\\s\\r&d", true, true, false, false, fullStack},
      {"stack at the top",
       TViewKind::Stack,
       L"C:\\S\\R&D",
       true,
       false,
       false,
       false,
       {L"StackItemFolder0|Tom & Jerry|1", L"StackItemFile0|a.txt|2", L"StackItemFile1|Word|2"}},
      {"nobrowse",
       TViewKind::Stack,
       L"C:\\S",
       false,
       true,
       false,
       false,
       {L"StackItemFolder0|Tom & Jerry|2", L"StackItemFile0|a.txt|2", L"StackItemFile1|Word|2",
        L"StackItemExplore|Explore: R&D|2"}},
      {"crowded stack ignores noexplore",
       TViewKind::Stack,
       L"C:\\S",
       true,
       false,
       true,
       false,
       {L"StackItemGoBack|Go back to: S|1", L"StackItemExplore|Too many items -- Explore|2"}},
      {"crowded top-level stack",
       TViewKind::Stack,
       L"C:\\S\\R&D",
       true,
       true,
       true,
       false,
       {L"StackItemExplore|Too many items -- Explore|2"}},
      {"grid, crowding ignored",
       TViewKind::Grid,
       L"C:\\S",
       true,
       true,
       true,
       false,
       {L"GridItemGoBack|Go back|1", L"GridItemFolder0|Tom & Jerry|1", L"GridItemFile0|a.txt|2",
        L"GridItemFile1|Word|2", L"GridItemExplore|Explore|2"}},
      {"menu: Explore first, no go-back, & doubled",
       TViewKind::Menu,
       L"C:\\S",
       true,
       true,
       true,
       false,
       {L"|Explore: R&&D|2", L"|Tom && Jerry|1", L"|a.txt|2", L"|Word|2"}},
      {"menu, noexplore, nobrowse, hidden extensions",
       TViewKind::Menu,
       L"C:\\S",
       false,
       false,
       false,
       true,
       {L"|Tom && Jerry|2", L"|a|2", L"|Word|2"}},
  };
  for (const auto& c : cases) {
    TDisplayOptions options;
    options.BrowseFolders = c.browse;
    options.ShowExplore = c.explore;
    options.HideExtensions = c.hideExt;
    const auto entries =
        BuildEntries(listing, L"C:\\S\\R&D", c.view, c.stackFolder, options, c.crowded, L"C:\\Windows\\");
    EXPECT_EQ(Describe(entries), c.want) << c.what;
    for (const TStackEntry& e : entries) {
      switch (e.Kind) {
        case TEntryKind::GoBack:
          EXPECT_EQ(e.Hint, L"C:\\S");
          EXPECT_EQ(e.IconPath, L"C:\\S");
          break;
        case TEntryKind::Explore:
          EXPECT_EQ(e.Hint, L"C:\\S\\R&D");
          EXPECT_EQ(e.IconPath, L"C:\\Windows\\explorer.exe");
          break;
        default: EXPECT_EQ(e.Hint.rfind(L"C:\\S\\R&D\\", 0), 0u); EXPECT_EQ(e.IconPath, e.Hint);
      }
    }
  }
}

TEST(StackEntries, MenuLinesPutASeparatorAfterExploreAndOpenFoldersAsSubMenus) {
  TFolderListing listing;
  listing.Folders = {L"C:\\S\\Docs"};
  listing.Files = {L"C:\\S\\a.txt", L"C:\\S\\R&D.txt"};
  const auto describe = [](const std::vector<TMenuLine>& lines) {
    std::vector<std::wstring> out;
    for (const TMenuLine& l : lines)
      out.push_back(l.Kind == TMenuLineKind::Separator
                        ? L"-"
                        : l.Entry.Caption + (l.Kind == TMenuLineKind::SubMenu ? L" >" : L""));
    return out;
  };
  const auto linesWith = [&](bool explore, bool browse) {
    TDisplayOptions options;
    options.ShowExplore = explore;
    options.BrowseFolders = browse;
    return describe(
        MenuLines(BuildEntries(listing, L"C:\\S", TViewKind::Menu, L"C:\\S", options, false, L"C:\\W\\"), browse));
  };
  EXPECT_EQ(linesWith(true, true), (std::vector<std::wstring>{L"Explore: S", L"-", L"Docs >", L"a.txt", L"R&&D.txt"}));
  EXPECT_EQ(linesWith(false, true), (std::vector<std::wstring>{L"Docs >", L"a.txt", L"R&&D.txt"}));
  EXPECT_EQ(linesWith(false, false), (std::vector<std::wstring>{L"Docs", L"a.txt", L"R&&D.txt"}));
}
