#include "core/viewer/Activation.h"

#include <gtest/gtest.h>

#include "core/base/PathUtils.h"
#include "core/viewer/StackEntries.h"

TEST(Activation, ShortcutsAreKnownByTheirLowerCasedExtension) {
  EXPECT_TRUE(IsShortcutName(L"C:\\s\\Word.lnk"));
  EXPECT_TRUE(IsShortcutName(L"C:\\s\\Word.LNK"));
  EXPECT_FALSE(IsShortcutName(L"C:\\s.lnk\\Word"));
  EXPECT_FALSE(IsShortcutName(L"C:\\s\\lnk"));
  EXPECT_FALSE(IsShortcutName(L"C:\\s\\Word.lnk.txt"));
  EXPECT_TRUE(NeedsShortcutCheck(true, true));
  EXPECT_FALSE(NeedsShortcutCheck(false, true)) << "a folder named like a shortcut is browsed, not read";
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

TEST(Activation, TheTagAndTheViewDecideWhatAClickDoes) {
  struct {
    int tag;
    TViewKind view;
    TClickAction want;
  } cases[] = {
      {kTagBrowse, TViewKind::Stack, TClickAction::BrowseStack},
      {kTagOpen, TViewKind::Stack, TClickAction::Run},
      {kTagBrowse, TViewKind::Grid, TClickAction::BrowseGrid},
      {kTagOpen, TViewKind::Grid, TClickAction::Run},
      {0, TViewKind::Stack, TClickAction::Nothing},
      {3, TViewKind::Grid, TClickAction::Nothing},
      {kTagOpen, TViewKind::Menu, TClickAction::Nothing},
      {kTagBrowse, TViewKind::Help, TClickAction::Nothing},
  };
  for (const auto& c : cases) EXPECT_EQ(DecideClick(c.tag, c.view), c.want) << c.tag << " " << int(c.view);
  EXPECT_EQ(GridCleaningUpCaption(L"C:\\Data\\Photos"), L"Photos (Cleaning up)");
}

TEST(Activation, OnlyAFileRunWithControlAndShiftRunsAsAdministrator) {
  struct {
    TEntryKind kind;
    TClickAction action;
    bool control, shift, want;
  } cases[] = {
      {TEntryKind::File, TClickAction::Run, true, true, true},
      {TEntryKind::File, TClickAction::Run, true, false, false},
      {TEntryKind::File, TClickAction::Run, false, true, false},
      {TEntryKind::File, TClickAction::Run, false, false, false},
      // A folder opened (browsing off) or browsed, go-back and Explore: a plain click.
      {TEntryKind::Folder, TClickAction::Run, true, true, false},
      {TEntryKind::Folder, TClickAction::BrowseStack, true, true, false},
      {TEntryKind::GoBack, TClickAction::BrowseGrid, true, true, false},
      {TEntryKind::Explore, TClickAction::Run, true, true, false},
      {TEntryKind::File, TClickAction::Nothing, true, true, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RunsAsAdministrator(c.kind, c.action, c.control, c.shift), c.want)
        << int(c.kind) << " " << int(c.action) << " " << c.control << c.shift;
}
