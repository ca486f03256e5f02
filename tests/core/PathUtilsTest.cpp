#include "core/base/PathUtils.h"

#include <gtest/gtest.h>

TEST(PathUtils, SplitsPathPieces) {
  struct {
    const wchar_t *path, *dir, *name, *ext, *noExt;
  } cases[] = {
      {L"C:\\a\\b.tar.gz", L"C:\\a\\", L"b.tar.gz", L".gz", L"b.tar"},
      {L"C:\\a\\.cfg", L"C:\\a\\", L".cfg", L".cfg", L""},
      {L"C:\\a.d\\", L"C:\\a.d\\", L"", L"", L""},
      {L"C:x.txt", L"C:", L"x.txt", L".txt", L"x"},
      {L"C:\\a.b/c", L"C:\\", L"a.b/c", L"", L"a.b/c"},   // a slash also ends the extension's search
      {L".profile", L"", L".profile", L"", L".profile"},  // a full stop first in the path starts no extension
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.path), c.dir) << c.path;
    EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
    EXPECT_EQ(ExtractFileExt(c.path), c.ext) << c.path;
    EXPECT_EQ(ExtractFileNameNoExt(c.path), c.noExt) << c.path;
  }
}

TEST(PathUtils, FolderNamesAndParents) {
  struct {
    const wchar_t *path, *last, *parent, *stripped, *allStripped;
  } cases[] = {
      {L"C:\\Users\\Me\\Docs", L"Docs", L"C:\\Users\\Me\\", L"C:\\Users\\Me\\Docs", L"C:\\Users\\Me\\Docs"},
      {L"C:\\Users\\Me\\Docs\\", L"Docs", L"C:\\Users\\Me\\", L"C:\\Users\\Me\\Docs", L"C:\\Users\\Me\\Docs"},
      {L"C:\\", L"C:", L"", L"C:", L"C:"},
      {L"\\\\server\\share", L"", L"\\\\server\\", L"\\\\server\\share", L"\\\\server\\share"},
      {L"C:\\a\\\\b", L"a", L"C:\\a\\\\", L"C:\\a\\\\b", L"C:\\a\\\\b"},
      {L"a\\\\", L"a", L"a\\", L"a\\", L"a"},
      {L"\\\\", L"", L"\\", L"\\", L""},
      {L"Docs", L"Docs", L"", L"Docs", L"Docs"},
      {L"", L"", L"", L"", L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractLastFolderName(c.path), c.last) << c.path;
    EXPECT_EQ(ExtractParentFolder(c.path), c.parent) << c.path;
    EXPECT_EQ(StripTrailingBackslash(c.path), c.stripped) << c.path;
    EXPECT_EQ(StripTrailingBackslashes(c.path), c.allStripped) << c.path;
  }
}

TEST(FormatByteSize, PicksUnitAndTrimsDecimals) {
  struct {
    std::int64_t size;
    const wchar_t* want;
  } cases[] = {
      {0, L" bytes"},
      {1024, L"1024 bytes"},
      {1025, L"1 KB"},
      {1536, L"1.5 KB"},
      {1048576, L"1024 KB"},
      {1500000, L"1.43 MB"},
      {1073741824, L"1024 MB"},
      {-1, L"-1 bytes"},
      {1152, L"1.13 KB"},  // exactly 1.125: the tie rounds away from zero
      {INT64_MAX, L"8589934592 GB"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatByteSize(c.size, L"."), c.want) << c.size;
  EXPECT_EQ(FormatByteSize(1536, L","), L"1,5 KB");
}
