#include "core/viewer/StackLayout.h"

#include "core/viewer/Placement.h"

#include <gtest/gtest.h>

TEST(StackLayout, LongestNameWalksFoldersThenFilesEarliestWinsTie) {
  struct {
    std::vector<std::wstring> folders, files;
    const wchar_t* want;
  } cases[] = {
      {{}, {}, L""},
      {{L"C:\\S\\abc"}, {L"C:\\S\\xyz.txt"}, L"abc"},          // tie: the folder came first
      {{L"C:\\S\\my.folder"}, {L"C:\\S\\abcd.txt"}, L"abcd"},  // folders lose their "extension" too
      {{L"C:\\S\\b"}, {L"C:\\S\\long.lnk", L"C:\\S\\lon2"}, L"long"},
      {{L"C:\\S\\zz", L"C:\\S\\aaa"}, {}, L"aaa"},  // listing order, not sorted order
  };
  for (const auto& c : cases) {
    TFolderListing listing{c.folders, c.files};
    EXPECT_EQ(LongestName(listing), c.want);
  }
}

TEST(StackLayout, GoBackTextNamesTheParentWithoutExtension) {
  struct {
    const wchar_t *folder, *want;
  } cases[] = {
      {L"C:\\S\\a", L"Go back to: S"},
      {L"C:\\S\\my.dir\\x", L"Go back to: my"},
      {L"C:\\S", L"Go back to: "},  // the drive "C:" has no name part
      {L"C:", L"Go back to: "},
  };
  for (const auto& c : cases) EXPECT_EQ(GoBackText(c.folder), c.want) << c.folder;
}

TEST(StackLayout, EntryWidthIsExactTenPercentWiderPlusAllowance) {
  struct {
    std::int32_t goBack, longest, want;
  } cases[] = {
      {0, 0, 200},   {123, 100, 200},  // 135 + 65
      {124, 0, 201}, {0, 300, 395},   {300, 100, 395}, {1000, 10, 1165}, {2147483647, 0, 2147483647},
  };
  for (const auto& c : cases) EXPECT_EQ(EntryWidth(c.goBack, c.longest), c.want) << c.goBack << "/" << c.longest;
}

TEST(StackLayout, CrowdedWhenEntriesExceedWorkAreaLessMargin) {
  struct {
    std::int32_t height;
    long long count;
    bool want;
  } cases[] = {
      {1040, 22, false}, {1040, 23, true}, {1000, 21, false}, {1000, 22, true}, {50, 0, false}, {1040, 1LL << 40, true},
  };
  for (const auto& c : cases) EXPECT_EQ(IsCrowded(c.height, c.count), c.want) << c.height << "/" << c.count;
}
