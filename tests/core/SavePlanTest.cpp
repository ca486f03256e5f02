// The creator's save: what it refuses, which system facts it asks for and in
// what order, and what it writes where.
#include "core/creator/SavePlan.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Facts that record each question asked of them.
struct TFakeSystem {
  std::vector<std::wstring> pinned;
  TDesktopEntry entry = TDesktopEntry::None;
  std::vector<std::wstring> asked;

  TSaveFacts Facts(bool editMode) {
    TSaveFacts facts;
    facts.EditMode = editMode;
    facts.EditShortcutPath = L"C:\\Pins\\Docs.lnk";
    facts.ProgramFolder = L"C:\\Prog\\";
    facts.ResolvedPinnedEntries = [this] {
      asked.push_back(L"pinned");
      return pinned;
    };
    facts.DesktopFolder = [this] {
      asked.push_back(L"desktop");
      return std::wstring(L"C:\\Desk");
    };
    facts.EntryAt = [this](const std::wstring& path) {
      asked.push_back(L"entry " + path);
      return entry;
    };
    return facts;
  }
};

std::vector<std::wstring> AllTenPinned() {
  std::vector<std::wstring> pinned;
  for (int n = 0; n < 10; ++n) pinned.push_back(L"C:\\Prog\\" + ViewerFileName(n));
  return pinned;
}

const TStackSettings kDocs{L"C:\\Docs", TStackType::Grid, {}};

}  // namespace

TEST(SavePlan, RefusalsAskNothingAndSaveNothing) {
  const struct {
    std::wstring folder, caption;
    bool editMode;
  } cases[] = {{L"", L"Docs", false}, {L"C:\\Docs", L"", false}, {L"C:\\Docs", L"a:b", false}, {L"", L"Docs", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder + L"|" + c.caption);
    TFakeSystem system;
    const TSavePlan plan = PlanSave({c.folder, TStackType::Stack, {}}, c.caption, system.Facts(c.editMode));
    EXPECT_EQ(plan.Warning, SaveRefusal(c.folder, c.caption));
    EXPECT_TRUE(plan.Path.empty());
    EXPECT_TRUE(system.asked.empty());
  }
}

TEST(SavePlan, NewStackByWhatThePinsAndTheDesktopHold) {
  const struct {
    std::vector<std::wstring> pinned;
    TDesktopEntry entry;
    std::wstring target;  // empty: refused
    bool asks;
    std::vector<std::wstring> asked;
  } cases[] = {
      {{},
       TDesktopEntry::None,
       L"C:\\Prog\\Heapview0.exe",
       false,
       {L"pinned", L"desktop", L"entry C:\\Desk\\Docs.lnk"}},
      {{L"D:\\x\\HEAPVIEW0.EXE", L"C:\\Prog\\Heapview1.exe", L"C:\\notes.txt"},
       TDesktopEntry::StackShortcut,
       L"C:\\Prog\\Heapview2.exe",
       false,
       {L"pinned", L"desktop", L"entry C:\\Desk\\Docs.lnk"}},
      {{L"C:\\Prog\\Heapview0.exe"},
       TDesktopEntry::OtherFile,
       L"C:\\Prog\\Heapview1.exe",
       true,
       {L"pinned", L"desktop", L"entry C:\\Desk\\Docs.lnk"}},
      // All ten slots taken: the desktop is not looked at.
      {AllTenPinned(), TDesktopEntry::OtherFile, L"", false, {L"pinned"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    TFakeSystem system;
    system.pinned = c.pinned;
    system.entry = c.entry;
    const TSavePlan plan = PlanSave(kDocs, L"Docs", system.Facts(false));
    EXPECT_EQ(system.asked, c.asked);
    if (c.target.empty()) {
      ASSERT_TRUE(plan.Warning);
      EXPECT_NE(plan.Warning->find(L"All ten stack slots are in use"), std::wstring::npos);
      EXPECT_TRUE(plan.Path.empty());
      continue;
    }
    EXPECT_FALSE(plan.Warning);
    EXPECT_EQ(plan.Path, L"C:\\Desk\\Docs.lnk");
    EXPECT_EQ(plan.TargetPath, c.target);
    EXPECT_FALSE(plan.KeepPinnedLink);
    EXPECT_EQ(plan.ReplaceForeignFile, c.asks);
    EXPECT_EQ(plan.ReplaceQuestion.has_value(), c.asks);
    if (c.asks) {
      EXPECT_EQ(*plan.ReplaceQuestion,
                L"The desktop already holds \"Docs.lnk\", which is not a stack shortcut.\n\n"
                L"Do you want to replace it with the new stack?");
    }
    EXPECT_EQ(plan.Description, L"Heapfold");
    EXPECT_EQ(plan.WorkingFolder, L"C:\\Docs");
    EXPECT_EQ(plan.Arguments, L"\"C:\\Docs\" /grid ");
    EXPECT_EQ(plan.StatusText, L"Stack \"Docs\" successfully created.");
  }
}

TEST(SavePlan, EditingKeepsThePinnedLinkAndAsksNothing) {
  TFakeSystem system;
  system.pinned = AllTenPinned();  // a full taskbar does not stop an edit
  system.entry = TDesktopEntry::OtherFile;
  const TSavePlan plan = PlanSave(kDocs, L"Docs", system.Facts(true));
  EXPECT_TRUE(system.asked.empty());
  EXPECT_FALSE(plan.Warning);
  EXPECT_EQ(plan.Path, L"C:\\Pins\\Docs.lnk");
  EXPECT_TRUE(plan.KeepPinnedLink);
  EXPECT_TRUE(plan.TargetPath.empty());
  EXPECT_FALSE(plan.ReplaceQuestion);
  EXPECT_FALSE(plan.ReplaceForeignFile);
  EXPECT_EQ(plan.WorkingFolder, L"C:\\Docs");
  EXPECT_EQ(plan.Arguments, L"\"C:\\Docs\" /grid ");
  EXPECT_EQ(plan.StatusText, L"Stack \"Docs\" successfully updated.");
}
