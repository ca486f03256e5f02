// Shell icons against the real shell of the test prefix.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <set>
#include <string>

#include "core/base/PathUtils.h"
#include "shared/ExtraWinUtils.h"
#include "shared/ScopedWin.h"
#include "shared/SysImg.h"

namespace {

std::wstring TempFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  ::GetTempPathW(MAX_PATH + 1, folder);
  return folder;
}

std::set<std::wstring> TempFolderNames() {
  std::set<std::wstring> names;
  TFindFileSource().Enumerate(TempFolder() + L"*", [&](const TDirEntry& e) { names.insert(e.Name); });
  return names;
}

bool SamePath(const std::wstring& a, const std::wstring& b) { return ::lstrcmpiW(a.c_str(), b.c_str()) == 0; }

class SysImgTest : public testing::Test {
protected:
  TComInit com_;
  TSysImageList list_;
  std::wstring scratch_;  // an ordinary folder, with a trailing backslash

  void SetUp() override {
    scratch_ = TempFolder() + L"hf-sysimg-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    ASSERT_TRUE(::CreateDirectoryW(scratch_.c_str(), nullptr));
  }
  void TearDown() override {
    TFindFileSource().Enumerate(scratch_ + L"*",
                                [&](const TDirEntry& e) { ::DeleteFileW((scratch_ + e.Name).c_str()); });
    ::RemoveDirectoryW(scratch_.c_str());
  }
  std::wstring MakeEmptyFile(const std::wstring& name) {
    const std::wstring path = scratch_ + name;
    THandle(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return path;
  }
};

TEST_F(SysImgTest, DesktopPathIsTheDesktopFolderInAnySpelling) {
  const std::wstring desktop = GetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY);
  ASSERT_FALSE(desktop.empty());
  std::wstring upper = desktop;
  ::CharUpperW(&upper[0]);
  const int desktopIcon = list_.GetSpecialFolderIconIndex(CSIDL_DESKTOP, 0);
  ASSERT_GE(desktopIcon, 0);
  EXPECT_NE(desktopIcon, list_.GetIconIndex(StripTrailingBackslash(scratch_)));  // not a plain folder icon
  for (const std::wstring& spelling : {desktop, desktop + L"\\", upper + L"\\"}) {
    SCOPED_TRACE(testing::Message() << std::string(spelling.begin(), spelling.end()));
    EXPECT_EQ(CsidlOfPath(spelling), CSIDL_DESKTOP);
    EXPECT_EQ(list_.GetIconIndex(spelling), desktopIcon);
  }
  EXPECT_EQ(CsidlOfPath(desktop + L"\\\\"), -1);  // only one trailing backslash is ignored
}

TEST_F(SysImgTest, SharedPathsGoToTheEarlierFolderOfTheFixedOrder) {
  // (earlier, later) in the alphabetical order of the constants' names;
  // numeric order would pick the other one in most pairs.
  const struct {
    int earlier, later;
  } pairs[] = {{CSIDL_COMMON_FAVORITES, CSIDL_FAVORITES},
               {kCsidlMyDocuments, CSIDL_PERSONAL},
               {CSIDL_DESKTOP, CSIDL_DESKTOPDIRECTORY},
               {CSIDL_PRINTERS, CSIDL_SYSTEM}};
  int shared = 0;
  for (const auto& pair : pairs) {
    const std::wstring earlier = GetSpecialFolderPath(pair.earlier);
    if (earlier.empty() || !SamePath(earlier, GetSpecialFolderPath(pair.later))) continue;
    ++shared;
    EXPECT_EQ(CsidlOfPath(earlier), pair.earlier) << pair.earlier << " shares its path with " << pair.later;
  }
  EXPECT_GT(shared, 0);  // the desktop pair at least
  EXPECT_EQ(CsidlOfPath(GetSpecialFolderPath(CSIDL_WINDOWS)), CSIDL_WINDOWS);
  EXPECT_EQ(CsidlOfPath(L"C:\\nowhere"), -1);
}

TEST_F(SysImgTest, MissingFileWithExtensionGetsTheIconOfItsTypeAndLeavesNoProbe) {
  const std::wstring existing = MakeEmptyFile(L"x.xyz");
  const int typeIcon = list_.GetIconIndex(existing);
  int typeIndex = -5;
  std::wstring typeFile;
  list_.GetIconLocation(existing, 0, typeIndex, typeFile);
  ::DeleteFileW(existing.c_str());

  const std::set<std::wstring> before = TempFolderNames();
  EXPECT_GE(typeIcon, 0);
  EXPECT_EQ(list_.GetIconIndex(L"C:\\nowhere\\x.xyz"), typeIcon);
  int index = -5;
  std::wstring iconFile;
  list_.GetIconLocation(L"C:\\nowhere\\x.xyz", 0, index, iconFile);
  EXPECT_EQ(index, typeIndex);
  EXPECT_EQ(iconFile, typeFile);
  EXPECT_EQ(TempFolderNames(), before);
}

TEST_F(SysImgTest, NothingToGoOnGivesNoIconAndKeepsTheIndex) {
  EXPECT_EQ(CsidlOfPath(L""), -1);
  EXPECT_EQ(list_.GetSpecialFolderIconIndex(-2, 0), -1);
  for (const wchar_t* path : {L"", L"C:\\nowhere\\noextension", L"C:\\nowhere.d\\noextension", L".xyz"}) {
    SCOPED_TRACE(testing::Message() << path);
    EXPECT_EQ(list_.GetIconIndex(path), 0);
    int index = 3;
    std::wstring iconFile = L"stale";
    list_.GetIconLocation(path, 0, index, iconFile);
    EXPECT_EQ(index, 3);
    EXPECT_TRUE(iconFile.empty());
  }
}

TEST_F(SysImgTest, LocationIsTakenOnlyForAPositiveReportedIndex) {
  // The shell's own report for an ordinary folder and file decides whether
  // the caller's index survives (Wine reports resource identifiers, below 0).
  for (const std::wstring& path : {StripTrailingBackslash(scratch_), MakeEmptyFile(L"plain.txt")}) {
    SCOPED_TRACE(testing::Message() << std::string(path.begin(), path.end()));
    SHFILEINFOW reported{};
    ::SHGetFileInfoW(path.c_str(), 0, &reported, sizeof(reported), SHGFI_ICONLOCATION | SHGFI_SMALLICON);
    int index = 11;
    std::wstring iconFile = L"stale";
    list_.GetIconLocation(path, 0, index, iconFile);
    EXPECT_EQ(index, reported.iIcon > 0 ? reported.iIcon : 11);
    EXPECT_TRUE(reported.iIcon > 0 ? SamePath(iconFile, reported.szDisplayName) : iconFile.empty());
  }
}

TEST_F(SysImgTest, ChangesRebindAndSameValuesKeepTheBinding) {
  ASSERT_EQ(list_.IconSet(), TIconSet::isSystem);
  ASSERT_EQ(list_.IconSize(), TIconSize::isSmallIcons);
  const HIMAGELIST small = list_.Handle();
  list_.SetIconSize(TIconSize::isSmallIcons);
  EXPECT_EQ(list_.Handle(), small);

  list_.SetIconSize(TIconSize::isLargeIcons);
  const HIMAGELIST large = list_.Handle();
  EXPECT_NE(large, small);
  int cx = 0, cy = 0;
  ASSERT_TRUE(ImageList_GetIconSize(large, &cx, &cy));
  EXPECT_EQ(cx, GetSystemMetrics(SM_CXICON));
}

TEST_F(SysImgTest, ToolbarSetBindsTheToolbarImagesAndBack) {
  if (!TOwnedWindow(::CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr)))
    FAIL() << "no display: Wine creates no top-level windows, and the toolbar's images cannot be tested";
  list_.SetIconSize(TIconSize::isLargeIcons);
  const HIMAGELIST large = list_.Handle();
  list_.SetIconSet(TIconSet::isToolbar);
  const HIMAGELIST toolbar = list_.Handle();
  ASSERT_NE(toolbar, nullptr);
  EXPECT_NE(toolbar, large);
  EXPECT_GE(ImageList_GetImageCount(toolbar), 15 + 12 + 5);  // standard, view and history images
  list_.SetIconSet(TIconSet::isSystem);
  EXPECT_EQ(list_.Handle(), large);
}

}  // namespace
