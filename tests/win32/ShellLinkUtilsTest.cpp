// Shortcut files written and read through the shell link object in a scratch
// folder of the real file system.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "core/Errors.h"
#include "shared/ExtraWinUtils.h"
#include "shared/ScopedWin.h"
#include "shared/ShellLinkUtils.h"

namespace {

void RemoveTree(const std::wstring& folder) {  // folder ends with a backslash
  TFindFileSource().Enumerate(folder + L"*", [&](const TDirEntry& e) {
    if (e.Name == L"." || e.Name == L"..") return;
    const std::wstring path = folder + e.Name;
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    (e.Attributes & faDirectory) ? RemoveTree(path + L"\\") : void(::DeleteFileW(path.c_str()));
  });
  ::RemoveDirectoryW(folder.c_str());
}

class ShellLinkUtilsTest : public testing::Test {
protected:
  TComInit com_;
  std::wstring dir_;

  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(com_.Result()));
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    dir_ = temp + (L"hf-link-" + std::to_wstring(::GetCurrentProcessId()) + L"\\");
    RemoveTree(dir_);
    ASSERT_TRUE(::CreateDirectoryW(dir_.c_str(), nullptr));
  }
  void TearDown() override { RemoveTree(dir_); }

  std::wstring MakeFile(const std::wstring& name, const std::string& content = "abc") {
    const std::wstring path = dir_ + name;
    const THandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    return path;
  }
  // A new shortcut the way the creator makes one: placeholder, then write.
  std::wstring MakeShortcut(const std::wstring& name, const TShellLinkInfo& info) {
    const std::wstring path = dir_ + name;
    CreateEmptyFile(path);
    WriteShellLink(path, info);
    return path;
  }
};

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST_F(ShellLinkUtilsTest, PlaceholderBecomesAShortcutThatKeepsEveryField) {
  TShellLinkInfo info;
  info.TargetPath = MakeFile(L"\u65e5\u672c target.txt");  // outside any ANSI code page
  info.Arguments = L"/open \"\u03b1\u03b2\" -x";
  info.Description = L"Stack of \u65e5\u672c";
  info.WorkingFolder = dir_ + L"work";
  info.IconPath = dir_ + L"icons.dll";
  info.IconIndex = 3;
  info.ShowCommand = SW_SHOWMINNOACTIVE;
  info.HotKey = MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT);
  const std::wstring path = MakeShortcut(L"Stack.lnk", info);
  EXPECT_GT(FileSizeOf(path), 0);

  const TShellLinkInfo read = ReadShellLink(path);
  EXPECT_EQ(read.TargetPath, info.TargetPath);
  EXPECT_EQ(read.Arguments, info.Arguments);
  EXPECT_EQ(read.Description, info.Description);
  EXPECT_EQ(read.WorkingFolder, info.WorkingFolder);
  EXPECT_EQ(read.IconPath, info.IconPath);
  EXPECT_EQ(read.IconIndex, 3);
  EXPECT_EQ(read.ShowCommand, SW_SHOWMINNOACTIVE);
  EXPECT_EQ(read.HotKey, info.HotKey);
}

TEST_F(ShellLinkUtilsTest, RewritingAShortcutReplacesFieldsAndClearsEmptyOnes) {
  TShellLinkInfo info;
  info.TargetPath = MakeFile(L"first.txt");
  info.Arguments = L"-old";
  info.Description = L"Old description";
  const std::wstring path = MakeShortcut(L"Stack.lnk", info);

  info.TargetPath = MakeFile(L"second.txt");
  info.Arguments.clear();
  info.Description.clear();
  info.ShowCommand = SW_SHOWMAXIMIZED;
  WriteShellLink(path, info);

  const TShellLinkInfo read = ReadShellLink(path);
  EXPECT_EQ(read.TargetPath, info.TargetPath);
  EXPECT_EQ(read.Arguments, L"");
  EXPECT_EQ(read.Description, L"");
  EXPECT_EQ(read.ShowCommand, SW_SHOWMAXIMIZED);
}

TEST_F(ShellLinkUtilsTest, LongTargetAndArgumentsComeBackCutTo259Characters) {
  TShellLinkInfo info;
  info.TargetPath = dir_ + std::wstring(300 - dir_.size(), L't');
  info.Arguments = std::wstring(150, L'a') + std::wstring(150, L'b');
  const std::wstring path = MakeShortcut(L"Long.lnk", info);

  const TShellLinkInfo read = ReadShellLink(path);
  EXPECT_EQ(read.TargetPath.size(), 259u);
  EXPECT_EQ(read.TargetPath, info.TargetPath.substr(0, read.TargetPath.size()));
  EXPECT_EQ(read.Arguments, info.Arguments.substr(0, 259));
}

TEST_F(ShellLinkUtilsTest, ResolveReadsOnlyShortcutsWhateverTheExtensionsCase) {
  TShellLinkInfo info;
  info.TargetPath = MakeFile(L"notes.txt");
  const std::wstring shortcut = MakeShortcut(L"Notes.LNK", info);
  EXPECT_EQ(ResolveShellLink(shortcut), info.TargetPath);

  // One level: a shortcut to a shortcut gives the inner shortcut.
  TShellLinkInfo outer;
  outer.TargetPath = shortcut;
  EXPECT_EQ(ResolveShellLink(MakeShortcut(L"Outer.lnk", outer)), shortcut);

  // Anything else comes back untouched and unchecked.
  for (const std::wstring& path : {info.TargetPath, dir_ + L"missing.txt", dir_, dir_ + L"sub", dir_ + L"a.lnk.bak"})
    EXPECT_EQ(ResolveShellLink(path), path);
}

TEST_F(ShellLinkUtilsTest, DamagedShortcutRaisesTheSystemsText) {
  const std::wstring path = MakeFile(L"Broken.lnk", "this is not a shortcut at all, just text bytes");
  try {
    ReadShellLink(path);
    ADD_FAILURE() << "a damaged shortcut was read";
  } catch (const EError& e) {
    EXPECT_FALSE(e.Message().empty());
  }
  EXPECT_THROW(ResolveShellLink(path), EError);
}

TEST_F(ShellLinkUtilsTest, WritingFailsWithoutWritingWhenThereIsNoFile) {
  TShellLinkInfo info;
  info.TargetPath = MakeFile(L"target.txt");
  const std::wstring path = dir_ + L"New.lnk";
  EXPECT_THROW(WriteShellLink(path, info), EError);
  EXPECT_FALSE(Exists(path));
}

TEST_F(ShellLinkUtilsTest, AFailedSaveRaisesAndLeavesTheShortcutAsItWas) {
  TShellLinkInfo info;
  info.TargetPath = MakeFile(L"target.txt");
  info.Description = L"Kept";
  const std::wstring path = MakeShortcut(L"Locked.lnk", info);
  ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));

  info.Description = L"Lost";
  EXPECT_THROW(WriteShellLink(path, info), EError);
  EXPECT_EQ(ReadShellLink(path).Description, L"Kept");
}

TEST(ShellLinkMessageTest, CodesWithoutSystemTextShowAsLowerCaseHex) {
  EXPECT_EQ(HResultMessage(static_cast<HRESULT>(0x8badf00dUL)), L"OLE error 8badf00d");
  const std::wstring known = HResultMessage(E_OUTOFMEMORY);
  EXPECT_FALSE(known.empty());
  EXPECT_EQ(known.find(L"OLE error"), std::wstring::npos);
  EXPECT_NE(known.back(), L'\n');
}

}  // namespace
