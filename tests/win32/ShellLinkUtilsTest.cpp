// Shortcut files written and read through the shell link object in a scratch
// folder of the real file system.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "core/base/Errors.h"
#include "shared/ExtraWinUtils.h"
#include "shared/ScopedWin.h"
#include "shared/ShellLinkUtils.h"
#include "../common/ShortcutHeader.h"
#include "ScratchDir.h"

namespace {

class ShellLinkUtilsTest : public testing::Test {
protected:
  TComInit com_;
  TScratchDir scratch_{L"hf-link-"};
  const std::wstring& dir_ = scratch_.Path();

  void SetUp() override { ASSERT_TRUE(SUCCEEDED(com_.Result())); }

  std::wstring MakeFile(const std::wstring& name, const std::string& content = "abc") {
    return scratch_.File(name, content);
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

void PutDword(std::string& bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The bytes of a shortcut file whose target is recorded only as an ANSI local
// path, followed by Unicode arguments: what another system may have written,
// with no limit on either length.
std::string LinkFileBytes(const std::string& target, const std::wstring& arguments) {
  static const unsigned char kClsidShellLink[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                    0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
  std::string bytes;
  PutDword(bytes, 0x4C);
  bytes.append(reinterpret_cast<const char*>(kClsidShellLink), 16);
  PutDword(bytes, 0x02 | 0x20 | 0x80);      // has link info, has arguments, Unicode strings
  bytes.append(0x4C - bytes.size(), '\0');  // attributes, times, size, icon, show command, hot key: zero

  const std::uint32_t volumeSize = 0x11;  // size, drive type, serial, label offset, empty label
  const std::uint32_t pathAt = 0x1C + volumeSize;
  const std::uint32_t suffixAt = pathAt + static_cast<std::uint32_t>(target.size()) + 1;
  PutDword(bytes, suffixAt + 1);
  PutDword(bytes, 0x1C);
  PutDword(bytes, 1);  // volume and local base path
  PutDword(bytes, 0x1C);
  PutDword(bytes, pathAt);
  PutDword(bytes, 0);
  PutDword(bytes, suffixAt);
  PutDword(bytes, volumeSize);
  PutDword(bytes, DRIVE_FIXED);
  PutDword(bytes, 0x12345678);
  PutDword(bytes, 0x10);
  bytes += '\0';
  bytes += target + '\0';
  bytes += '\0';

  bytes += static_cast<char>(arguments.size() & 0xFF);
  bytes += static_cast<char>(arguments.size() >> 8);
  for (const wchar_t c : arguments) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  PutDword(bytes, 0);  // no extra data
  return bytes;
}

TEST_F(ShellLinkUtilsTest, PlaceholderBecomesAShortcutThatKeepsEveryField) {
  TShellLinkInfo info;
  // An ANSI target name: under Wine the target comes back through the ANSI
  // path recorded in the file, whatever name was set.
  info.TargetPath = MakeFile(L"target.txt");
  info.Arguments = L"/open \"\u03b1\u03b2\" -x";  // outside any ANSI code page
  info.Description = L"Stack of \u65e5\u672c";
  info.WorkingFolder = dir_ + L"\u65e5\u672c";
  info.IconPath = dir_ + L"icons.dll";
  info.IconIndex = 3;
  info.ShowCommand = SW_SHOWMINNOACTIVE;
  info.HotKey = MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT);
  const std::wstring path = MakeShortcut(L"Stack.lnk", info);

  const TShellLinkInfo read = ReadShellLink(path);
  EXPECT_EQ(read.TargetPath, info.TargetPath);
  EXPECT_EQ(read.Arguments, info.Arguments);
  EXPECT_EQ(read.Description, info.Description);
  EXPECT_EQ(read.WorkingFolder, info.WorkingFolder);
  EXPECT_EQ(read.IconPath, info.IconPath);
  EXPECT_EQ(read.IconIndex, 3);
  EXPECT_EQ(read.HotKey, info.HotKey);
  // Wine's link object saves the show command but reports SW_SHOWNORMAL for
  // every loaded file, so the file itself is the witness here.
  EXPECT_EQ(HeaderShowCommand(path), static_cast<DWORD>(SW_SHOWMINNOACTIVE));
}

TEST_F(ShellLinkUtilsTest, RewritingAShortcutReplacesFieldsAndClearsEmptyOnes) {
  TShellLinkInfo info;
  info.TargetPath = MakeFile(L"first.txt");
  info.Arguments = L"-old";
  info.Description = L"Old description";
  info.ShowCommand = SW_SHOWMAXIMIZED;
  const std::wstring path = MakeShortcut(L"Stack.lnk", info);

  info.TargetPath = MakeFile(L"second.txt");
  info.Arguments.clear();
  info.Description.clear();
  info.ShowCommand = SW_SHOWNORMAL;
  WriteShellLink(path, info);

  const TShellLinkInfo read = ReadShellLink(path);
  EXPECT_EQ(read.TargetPath, info.TargetPath);
  EXPECT_EQ(read.Arguments, L"");
  EXPECT_EQ(read.Description, L"");
  EXPECT_EQ(HeaderShowCommand(path), static_cast<DWORD>(SW_SHOWNORMAL));
}

TEST_F(ShellLinkUtilsTest, RewritingAShortcutWhoseTargetIsGoneRepairsIt) {
  TShellLinkInfo info;
  info.TargetPath = MakeFile(L"gone.txt");
  const std::wstring path = MakeShortcut(L"Stack.lnk", info);
  ASSERT_TRUE(::DeleteFileW(info.TargetPath.c_str()));

  info.TargetPath = MakeFile(L"new.txt");
  WriteShellLink(path, info);
  EXPECT_EQ(ReadShellLink(path).TargetPath, info.TargetPath);
}

TEST_F(ShellLinkUtilsTest, LongTargetAndArgumentsComeBackCutTo259Characters) {
  const std::string target = "C:\\" + std::string(297, 'p');
  const std::wstring arguments = std::wstring(150, L'a') + std::wstring(150, L'b');
  const std::wstring path = MakeFile(L"Long.lnk", LinkFileBytes(target, arguments));

  const TShellLinkInfo read = ReadShellLink(path);
  EXPECT_EQ(read.TargetPath, std::wstring(target.begin(), target.begin() + 259));
  EXPECT_EQ(read.Arguments, arguments.substr(0, 259));
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

  // Another program reading the file and denying writers: the load still
  // succeeds, only the save is refused. (Wine running as root ignores the
  // read-only attribute, so that cannot stand in for the refusal.)
  {
    const THandle reader(
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(reader);
    info.Description = L"Lost";
    try {
      WriteShellLink(path, info);
      ADD_FAILURE() << "a refused save passed for a written shortcut";
    } catch (const EError& e) {
      EXPECT_FALSE(e.Message().empty());
    }
  }
  EXPECT_EQ(ReadShellLink(path).Description, L"Kept");
}

// The temporary files ReplaceWithShellLink leaves in a folder (none, ever).
int TemporaryFilesIn(const std::wstring& folder) {
  WIN32_FIND_DATAW data{};
  const TFindHandle find(::FindFirstFileW((folder + L"hfs*.tmp").c_str(), &data));
  if (!find) return 0;
  int count = 1;
  while (::FindNextFileW(find.Get(), &data)) ++count;
  return count;
}

TEST_F(ShellLinkUtilsTest, SavingMakesANewShortcutOrUpdatesOne) {
  TShellLinkInfo info;
  info.TargetPath = MakeFile(L"target.txt");
  info.Arguments = L"first";
  const std::wstring path = dir_ + L"Saved.lnk";
  SaveShellLink(path, info);
  EXPECT_EQ(ReadShellLink(path).Arguments, L"first");
  info.Arguments = L"second";
  SaveShellLink(path, info);
  EXPECT_EQ(ReadShellLink(path).Arguments, L"second");
}

TEST_F(ShellLinkUtilsTest, ReplacingPutsAShortcutOverAForeignFileAndLeavesNoTemporaryFile) {
  TShellLinkInfo info;
  info.TargetPath = MakeFile(L"target.txt");
  info.Arguments = L"\"C:\\Docs\" ";
  const std::wstring path = MakeFile(L"Docs.lnk", "not a shortcut");
  ReplaceWithShellLink(path, info);
  const TShellLinkInfo read = ReadShellLink(path);
  EXPECT_EQ(read.TargetPath, info.TargetPath);
  EXPECT_EQ(read.Arguments, info.Arguments);
  EXPECT_EQ(TemporaryFilesIn(dir_), 0);
}

TEST_F(ShellLinkUtilsTest, AFailedReplaceRaisesAndRemovesItsTemporaryFile) {
  TShellLinkInfo info;
  info.TargetPath = MakeFile(L"target.txt");
  // A folder of that name cannot be replaced by a file: the move fails after
  // the temporary shortcut was written.
  const std::wstring path = scratch_.Folder(L"Docs.lnk");
  EXPECT_THROW(ReplaceWithShellLink(path, info), EError);
  EXPECT_NE(::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_EQ(TemporaryFilesIn(dir_), 0);
  // No folder to write into: nothing is made at all.
  EXPECT_THROW(ReplaceWithShellLink(dir_ + L"missing\\Docs.lnk", info), EError);
}

TEST(ShellLinkErrorTest, ErrorsKeepTheShellsCode) {
  try {
    ReadShellLink(L"C:\\heapfold-no-such-folder\\missing.lnk");
    ADD_FAILURE() << "a missing shortcut was read";
  } catch (const EError& e) {
    ASSERT_TRUE(e.HasCode());
    EXPECT_TRUE(FAILED(static_cast<HRESULT>(e.Code())));
    EXPECT_EQ(e.Message(), SystemErrorMessage(e.Code()));
  }
}

}  // namespace
