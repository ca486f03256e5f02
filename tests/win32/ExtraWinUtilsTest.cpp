// Files and system facts against a scratch folder of the real file system.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "core/base/Errors.h"
#include "core/viewer/StackEntries.h"
#include "shared/ExtraWinUtils.h"
#include "shared/ScopedWin.h"
#include "ScratchDir.h"

namespace {

class ExtraWinUtilsTest : public testing::Test {
protected:
  TScratchDir scratch_{L"hf-"};
  const std::wstring& dir_ = scratch_.Path();
  void SetUp() override { ASSERT_NE(::GetFileAttributesW(dir_.c_str()), INVALID_FILE_ATTRIBUTES); }
  std::wstring Make(const std::wstring& name, bool folder, DWORD attributes = 0, const char* content = "abc") {
    return folder ? scratch_.Folder(name, attributes) : scratch_.File(name, content, attributes);
  }
};

TEST_F(ExtraWinUtilsTest, ListingsHonourHiddenAndSystemAttributes) {
  const std::wstring foreign = L"\u03b1\u03b2\u65e5\u672c.txt";  // outside any ANSI code page
  const struct {
    const wchar_t* name;
    bool folder;
    DWORD attributes;
  } entries[] = {{L"plain.txt", false, 0},
                 {L"sys.txt", false, FILE_ATTRIBUTE_SYSTEM},
                 {L"hidden.txt", false, FILE_ATTRIBUTE_HIDDEN},
                 {foreign.c_str(), false, 0},
                 {L"sub", true, 0},
                 {L"hid", true, FILE_ATTRIBUTE_HIDDEN},
                 {L"sysdir", true, FILE_ATTRIBUTE_SYSTEM}};
  for (const auto& e : entries) Make(e.name, e.folder, e.attributes);

  long long count = -1;
  std::wstring list;
  ListFiles(dir_ + L"*.*", L"|", count, false, 37, list);
  EXPECT_EQ(count, 3);
  for (const std::wstring& name : {std::wstring(L"plain.txt"), std::wstring(L"sys.txt"), foreign})
    EXPECT_NE(list.find(dir_ + name + L"|"), std::wstring::npos) << list;
  EXPECT_EQ(FileSizeOf(dir_ + foreign), 3);

  list.clear();
  ListFolders(dir_ + L"*", L"|", count, list);
  EXPECT_EQ(list, dir_ + L"sub|");
  EXPECT_EQ(count, 1);
}

TEST_F(ExtraWinUtilsTest, EmptyAndMissingFoldersListNothing) {
  Make(L"empty", true);
  for (const std::wstring& pattern : {dir_ + L"empty\\*.*", dir_ + L"missing\\*.*"}) {
    long long count = 5;
    std::wstring list;
    ListFiles(pattern, L"|", count, true, faAnyFile, list);
    EXPECT_EQ(count, 0);
    ListFolders(pattern, L"|", count, list);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(list, L"");
  }
}

TEST_F(ExtraWinUtilsTest, FileSizesAndEmptyFiles) {
  EXPECT_EQ(FileSizeOf(dir_ + L"none.txt"), -1);
  const std::wstring path = Make(L"data.bin", false, 0, "0123456789");
  EXPECT_EQ(FileSizeOf(path), 10);
  CreateEmptyFile(path);
  EXPECT_EQ(FileSizeOf(path), 0);
  try {
    CreateEmptyFile(dir_ + L"missing\\x.txt");
    ADD_FAILURE() << "no error";
  } catch (const EError& e) {
    EXPECT_EQ(e.Message(), SystemErrorMessage(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(e.Code(), static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
  }

  const LARGE_INTEGER big{{5, 1}};  // 4 GiB + 5: the high half matters
  {
    const THandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!::SetFilePointerEx(file.Get(), big, nullptr, FILE_BEGIN) || !::SetEndOfFile(file.Get()))
      FAIL() << "the test folder takes no file of 4 GiB (a sparse one), so the size's high half cannot be tested";
  }
  EXPECT_EQ(FileSizeOf(path), big.QuadPart);
}

TEST(ExtraWinUtils, SystemFacts) {
  EXPECT_EQ(GetWindowsFolder().back(), L'\\');
  wchar_t windir[MAX_PATH] = {};
  ::GetEnvironmentVariableW(L"WINDIR", windir, MAX_PATH);
  EXPECT_EQ(ExpandEnvVars(L"%WINDIR%\\x"), std::wstring(windir) + L"\\x");
  for (const wchar_t* plain : {L"", L"no references", L"%HF_UNSET_VARIABLE%"}) EXPECT_EQ(ExpandEnvVars(plain), plain);

  EXPECT_EQ(GetProgramFolder() + L"win32_tests.exe", GetProgramPath());
  EXPECT_FALSE(RunFile(GetProgramFolder() + L"no-such-file.exe", L""));

  EXPECT_EQ(SystemErrorMessage(0xDEADBEEF), L"OLE error deadbeef");
  const std::wstring known = SystemErrorMessage(static_cast<DWORD>(E_OUTOFMEMORY));
  EXPECT_EQ(known.find(L"OLE error"), std::wstring::npos);
  EXPECT_NE(known.back(), L'\n');
  const EError error = SystemError(ERROR_ACCESS_DENIED);
  EXPECT_EQ(error.Code(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(error.Message(), SystemErrorMessage(ERROR_ACCESS_DENIED));
  const std::wstring text = SystemErrorMessage(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(text.empty() || std::iswspace(text.back()) || text.compare(0, 3, L"OLE") == 0) << text;
}

}  // namespace

// The viewer sorts by sort keys of names; the order must be the one the
// locale's case-blind comparison gives the full paths, for names where word
// sorting, accents, case, digits and symbols decide.
TEST(ExtraWinUtils, SortKeysOrderNamesAsTheComparisonOrdersPaths) {
  const std::vector<std::wstring> names = {
      L"b",          L"B",          L"a-b",   L"ab",           L"a b",          L"a_b",   L"co-op", L"coop",
      L"Coop",       L"caf\u00e9",  L"cafe",  L"Cafe",         L"10",           L"9",     L"1",     L"\u00e9lan",
      L"Zebra",      L"zebra",      L"a'b",   L"_x",           L"~y",           L"x.txt", L"X.TXT", L"x.txt.",
      L"na\u00efve", L"\u00c4rger", L"arger", L"\u65e5\u672c", L"\u03b1\u03b2", L"",      L"a",     L"aa",
      L"a.b",        L"a!b"};
  const std::wstring folder = L"C:\\Some Folder\\";
  std::vector<std::wstring> byComparison;
  for (const std::wstring& name : names) byComparison.push_back(folder + name);
  std::stable_sort(byComparison.begin(), byComparison.end(),
                   [](const std::wstring& a, const std::wstring& b) { return CompareTextIgnoringCase(a, b) < 0; });
  TFolderListing listing;
  for (const std::wstring& name : names) listing.Files.push_back(folder + name);
  SortListing(listing, &SortKeyIgnoringCase);
  EXPECT_EQ(listing.Files, byComparison);
  EXPECT_FALSE(SortKeyIgnoringCase(L"a").empty());
  EXPECT_EQ(SortKeyIgnoringCase(L"Readme"), SortKeyIgnoringCase(L"README"));
  // Longer than the first buffer a key is made in.
  EXPECT_GT(SortKeyIgnoringCase(std::wstring(400, L'x')).size(), 400u);
}

TEST(ExtraWinUtils, PathsTooLongForTheShellAreGivenInTheirShortForm) {
  const TScratchDir dir(L"longnames");
  const std::wstring folder = dir.Path() + std::wstring(60, L'f');
  ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
  struct {
    std::wstring Name;
    bool KeepsName;  // the folder's short form is enough
  } cases[] = {{std::wstring(200, L'n') + L".longext", true}, {std::wstring(245, L'n') + L".longext", false}};
  for (const auto& c : cases) {
    const std::wstring path = folder + L"\\" + c.Name;
    ASSERT_GE(path.size(), static_cast<size_t>(MAX_PATH));
    {
      const THandle file(
          ::CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
      ASSERT_TRUE(file);
    }
    const std::wstring usable = ShellUsablePath(path);
    EXPECT_LT(usable.size(), static_cast<size_t>(MAX_PATH));
    EXPECT_EQ(
        usable.size() > c.Name.size() && usable.compare(usable.size() - c.Name.size(), c.Name.size(), c.Name) == 0,
        c.KeepsName);
    wchar_t longForm[1024] = {};
    ASSERT_GT(::GetLongPathNameW(usable.c_str(), longForm, 1024), 0u);
    EXPECT_EQ(::lstrcmpiW(longForm, path.c_str()), 0);
    ::DeleteFileW((L"\\\\?\\" + path).c_str());
  }
  ::RemoveDirectoryW(folder.c_str());
  const std::wstring path = folder + L"\\" + std::wstring(250, L'g') + L".txt";

  // Short paths, addresses and paths that do not exist stay as they are.
  const std::wstring address = L"https://www.example.com/" + std::wstring(300, L'a');
  for (const std::wstring& kept : {dir.Path() + L"short.txt", address, path}) EXPECT_EQ(ShellUsablePath(kept), kept);
}
