#include "core/base/Listing.h"

#include "core/base/PathUtils.h"

#include <gtest/gtest.h>

#include "CoreTestHelpers.h"

#include <map>
#include <vector>

namespace {

TFakeDirSource SampleTree() {
  TFakeDirSource s;
  s.Folders[L"C:\\S\\"] = {{L".", faDirectory},
                           {L"..", faDirectory},
                           {L"a.txt", faArchive},
                           {L"sub", faDirectory},
                           {L"hid.txt", faHidden},
                           {L"sys.txt", faSysFile | faReadOnly},
                           {L"both", faHidden | faSysFile | faDirectory},
                           {L"hdir", faHidden | faDirectory},
                           {L"z.doc", 0},
                           {L"sub2", faDirectory}};
  s.Folders[L"C:\\S\\sub\\"] = {{L".", faDirectory}, {L"..", faDirectory}, {L"deep", faDirectory}, {L"b.txt", 0}};
  s.Folders[L"C:\\S\\sub\\deep\\"] = {{L"c.txt", faArchive}};
  s.Folders[L"C:\\S\\sub2\\"] = {{L"d.txt", 0}};
  s.Folders[L"C:\\S\\hdir\\"] = {{L"h.txt", 0}};
  s.Folders[L"C:\\Empty\\"] = {{L".", faDirectory}, {L"..", faDirectory}};
  return s;
}

}  // namespace

TEST(Listing, MasksMatchLikeFindFirstFile) {
  struct {
    const wchar_t *mask, *name;
    bool want;
  } masks[] = {
      {L"*.*", L"noext", true}, {L"*.TXT", L"a.txt", true}, {L"*.txt", L"a.txt.bak", false},
      {L"a?c", L"abc", true},   {L"a?c", L"ac", false},     {L"*a*b", L"xaab", true},
  };
  for (const auto& c : masks) EXPECT_EQ(MatchesMask(c.mask, c.name), c.want) << c.mask << " ~ " << c.name;
}

TEST(Listing, ListFilesFiltersByAttributeSetAndAppends) {
  TFakeDirSource s = SampleTree();
  struct {
    std::uint32_t set;
    const wchar_t* want;
    long long count;
  } cases[] = {
      {37, L"old|C:\\S\\a.txt|C:\\S\\sys.txt|C:\\S\\z.doc|", 3},
      {16, L"old|C:\\S\\a.txt|C:\\S\\sub|C:\\S\\z.doc|C:\\S\\sub2|", 4},
  };
  for (const auto& c : cases) {
    std::wstring list = L"old|";
    long long count = -5;
    ListFiles(s, L"C:\\S\\*.*", L"|", count, false, c.set, list);
    EXPECT_EQ(list, c.want) << c.set;
    EXPECT_EQ(count, c.count) << c.set;
  }
  std::wstring list = L"keep";
  long long count = 7;
  ListFiles(s, L"C:\\Missing\\*.*", L"|", count, true, 37, list);
  ListFiles(s, L"C:\\Empty\\*.*", L"|", count, true, 37, list);
  EXPECT_EQ(list, L"keep");
  EXPECT_EQ(count, 0);
}

TEST(Listing, RecursionListsFolderBeforeSubFoldersDepthFirst) {
  TFakeDirSource s = SampleTree();
  std::wstring list;
  long long count = 0;
  // Sub-folders do not match the mask yet are entered; hidden ones are not under set 37.
  ListFiles(s, L"C:\\S\\*.txt", L"\n", count, true, 37, list);
  EXPECT_EQ(list, L"C:\\S\\a.txt\nC:\\S\\sys.txt\nC:\\S\\sub\\b.txt\nC:\\S\\sub\\deep\\c.txt\nC:\\S\\sub2\\d.txt\n");
  EXPECT_EQ(count, 5);
}

TEST(Listing, ListFoldersKeepsPlainDirectoriesOnly) {
  TFakeDirSource s = SampleTree();
  std::wstring list = L"x;";
  long long count = 0;
  ListFolders(s, L"C:\\S\\*.*", L";", count, list);
  EXPECT_EQ(list, L"x;C:\\S\\sub;C:\\S\\sub2;");
  EXPECT_EQ(count, 2);
}
