// Which files share their type's icon lookup.
#include <gtest/gtest.h>

#include "core/viewer/TypeIcons.h"

TEST(TypeIcons, TheKeyIsTheExtensionLowerCased) {
  const struct {
    const wchar_t* path;
    const wchar_t* key;
  } cases[] = {
      {L"C:\\A\\Notes.TXT", L".txt"},
      {L"C:\\A\\photo.jpeg", L".jpeg"},
      {L"C:\\A\\archive.tar.GZ", L".gz"},
      {L"C:\\A\\README", L""},     // no extension: looked up alone
      {L"C:\\A\\trailing.", L""},  // a dot with nothing after it
      {L"C:\\A.B\\README", L""},   // the dot is the folder's
      {L"C:\\A\\.gitignore", L".gitignore"},
  };
  for (const auto& c : cases) EXPECT_EQ(TypeIconKey(c.path), c.key) << c.path;
}

TEST(TypeIcons, FilesThatCarryTheirOwnIconsAreLookedUpOneByOne) {
  const struct {
    const wchar_t* key;
    const wchar_t* defaultIcon;
    bool handler;
    bool shared;
  } cases[] = {
      {L".txt", L"%SystemRoot%\\system32\\imageres.dll,-102", false, true},
      {L".jpg", L"", false, true},  // nothing registered: the generic icon
      {L".doc", L"C:\\Office\\icons.exe,1", false, true},
      {L".exe", L"", false, false},  // known by nature, whatever is registered
      {L".lnk", L"", false, false},
      {L".ico", L"", false, false},
      {L".url", L"", false, false},
      {L".msc", L"", false, false},
      {L".foo", L"%1", false, false},  // the file is its own icon
      {L".bar", L"\"%1\",0", false, false},
      {L".baz", L"C:\\handler.dll,0", true, false},  // drawn by a shell extension
      {L"", L"", false, false},                      // no extension
  };
  for (const auto& c : cases) EXPECT_EQ(TypeIconIsShared(c.key, {c.defaultIcon, c.handler}), c.shared) << c.key;
}

TEST(TypeIcons, OnlyPlainFoldersShareTheFolderIcon) {
  const struct {
    TFolderIconFacts facts;
    bool shared;
  } cases[] = {
      {{true, false, false}, true},
      {{true, true, false}, false},    // read-only or system: may carry its own icon
      {{true, false, true}, false},    // a special folder's own icon
      {{false, false, false}, false},  // gone, or unreadable: the shell decides
  };
  for (const auto& c : cases)
    EXPECT_EQ(!FolderIconKey(c.facts).empty(), c.shared)
        << c.facts.Exists << c.facts.ReadOnlyOrSystem << c.facts.SpecialFolder;
  EXPECT_NE(FolderIconKey({true, false, false}), TypeIconKey(L"C:\\A\\x.folder"));
}
