#include "core/Activation.h"

#include <gtest/gtest.h>

TEST(Activation, OnlyAnExactLowerCaseLnkIsAShortcut) {
  EXPECT_TRUE(IsShortcutName(L"C:\\s\\Word.lnk"));
  EXPECT_FALSE(IsShortcutName(L"C:\\s\\Word.LNK"));
  EXPECT_FALSE(IsShortcutName(L"C:\\s.lnk\\Word"));
  EXPECT_FALSE(IsShortcutName(L"C:\\s\\lnk"));
}

TEST(Activation, MissingX86TargetsAreRepaired) {
  struct {
    const wchar_t* target;
    bool exists;
    std::optional<std::wstring> want;
  } cases[] = {
      {L"C:\\Program Files (x86)\\App\\app.exe", false, std::wstring(L"C:\\Program Files\\App\\app.exe")},
      {L"C:\\Program Files (x86)\\App\\app.exe", true, std::nullopt},
      {L"C:\\Program Files (X86)\\App\\app.exe", false, std::nullopt},  // the marker must be exact to apply
      // Applies on the exact marker, cuts the first one in any case.
      {L"D:\\Old (X86)\\Program Files (x86)\\a.exe", false, std::wstring(L"D:\\Old\\Program Files (x86)\\a.exe")},
      {L"", false, std::nullopt},  // a shortcut without a file-system target
  };
  for (const auto& c : cases) EXPECT_EQ(RepairedShortcutTarget(c.target, c.exists), c.want);
}
