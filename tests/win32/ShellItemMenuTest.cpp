// The shell's context menu and data object of real files and folders, and
// what the menu does with paths it cannot take.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "shared/ScopedWin.h"
#include "shared/ShellDrag.h"
#include "shared/ShellItemMenu.h"
#include "ScratchDir.h"

namespace {

using Microsoft::WRL::ComPtr;

class ShellItemMenuTest : public testing::Test {
protected:
  TOleInit ole_;
  TScratchDir scratch_{L"hf-menu-"};
  const std::wstring& dir_ = scratch_.Path();

  void SetUp() override { ASSERT_TRUE(SUCCEEDED(ole_.Result())); }

  // A file whose path is longer than MAX_PATH, under nested folders.
  std::wstring LongPathFile() {
    std::wstring folder = dir_.substr(0, dir_.size() - 1);
    while (folder.size() < MAX_PATH + 20) {
      folder += L"\\" + std::wstring(60, L'd');
      ::CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr);
    }
    const std::wstring path = folder + L"\\long.txt";
    const THandle file(
        ::CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return path;
  }
};

bool Contains(const std::vector<std::wstring>& verbs, const std::wstring& verb) {
  return std::find(verbs.begin(), verbs.end(), verb) != verbs.end();
}

TEST_F(ShellItemMenuTest, ItemsOfTheFileSystemGetTheShellsMenuWithItsVerbs) {
  const std::wstring file = scratch_.File(L"notes.txt");
  const std::wstring folder = scratch_.Folder(L"Sub Folder");
  struct {
    const char* Name;
    std::wstring Path;
    bool Extended;
  } const cases[] = {
      {"file", file, false},
      {"file with the extended verbs", file, true},
      {"folder", folder, false},
      {"damaged shortcut", scratch_.File(L"broken.lnk", "not a shortcut"), false},
      {"drive without its backslash", dir_.substr(0, 2), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TShellItemMenu menu;
    ASSERT_EQ(menu.Load(nullptr, c.Path, c.Extended), S_OK);
    ASSERT_NE(menu.Menu(), nullptr);
    EXPECT_GT(::GetMenuItemCount(menu.Menu()), 0);
    const std::vector<std::wstring> verbs = menu.Verbs();
    EXPECT_TRUE(Contains(verbs, L"properties")) << "every item has its properties";
  }
  // A path too long for the shell is looked up by its short form, which not
  // every shell parses: a menu or an error, never a crash.
  TShellItemMenu menu;
  const HRESULT hr = menu.Load(nullptr, LongPathFile(), false);
  EXPECT_TRUE(hr == S_OK ? Contains(menu.Verbs(), L"properties") : FAILED(hr));
}

TEST_F(ShellItemMenuTest, PathsWithoutAnItemGiveAnErrorAndNoMenu) {
  const std::wstring gone = scratch_.File(L"vanishing.txt");
  ::DeleteFileW(gone.c_str());
  struct {
    const char* Name;
    std::wstring Path;
  } const cases[] = {
      {"vanished file", gone},
      {"missing folder", dir_ + L"no such folder\\file.txt"},
      {"empty path", L""},
      {"malformed path", L"::\\<>|"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TShellItemMenu menu;
    EXPECT_TRUE(FAILED(menu.Load(nullptr, c.Path, false)));
    EXPECT_TRUE(menu.Verbs().empty());
    EXPECT_TRUE(FAILED(menu.InvokeVerb("properties", nullptr)));
    const TShellMenuResult shown = ShowShellItemMenu(nullptr, c.Path, {0, 0}, false);
    EXPECT_EQ(shown.Outcome, TShellMenuOutcome::Failed);
    EXPECT_TRUE(FAILED(shown.Error));
    const TDragResult dragged = DragShellItem(nullptr, c.Path);
    EXPECT_EQ(dragged.Outcome, TDragOutcome::Failed);
    EXPECT_TRUE(FAILED(dragged.Error));
  }
  EXPECT_EQ(ShowShellItemMenu(nullptr, gone, {0, 0}, false).Error, HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
}

TEST_F(ShellItemMenuTest, CopyVerbPutsTheFileOnTheClipboard) {
  const std::wstring file = scratch_.File(L"copied.txt");
  TShellItemMenu menu;
  ASSERT_EQ(menu.Load(nullptr, file, false), S_OK);
  ASSERT_EQ(menu.InvokeVerb("copy", nullptr), S_OK);
  ComPtr<IDataObject> clipboard;
  ASSERT_EQ(::OleGetClipboard(clipboard.GetAddressOf()), S_OK);
  FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium = {};
  ASSERT_EQ(clipboard->GetData(&format, &medium), S_OK);
  wchar_t copied[MAX_PATH] = {};
  const auto drop = static_cast<HDROP>(medium.hGlobal);
  EXPECT_EQ(::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0), 1u);
  ::DragQueryFileW(drop, 0, copied, MAX_PATH);
  ::ReleaseStgMedium(&medium);
  EXPECT_EQ(std::wstring(copied), file);
  ::OleSetClipboard(nullptr);
}

TEST(ShellVerbs, OnlyThePropertiesShowAWindowOfTheirOwn) {
  EXPECT_TRUE(VerbShowsItsOwnWindow(L"properties"));
  EXPECT_TRUE(VerbShowsItsOwnWindow(L"Properties"));
  for (const wchar_t* verb : {L"", L"open", L"copy", L"delete", L"propertiesx"})
    EXPECT_FALSE(VerbShowsItsOwnWindow(verb)) << verb;
}

}  // namespace
