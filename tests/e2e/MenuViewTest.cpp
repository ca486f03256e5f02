// The menu view seen from outside: the popup menu at the cursor, its items
// walked with the keyboard and chosen by typed letters (what a choice hands
// the shell shows which item it was; Wine keeps a menu's items out of other
// processes' reach), sub-menus listed from disk as they open, and the
// viewer's end however the menu closes.
#include <gtest/gtest.h>

#include "E2eFixture.h"

using namespace e2e;

namespace {

class MenuView : public TShellViewerTest {
protected:
  TScratchFolder folder_{L"S"};

  MenuView() {
    folder_.AddFolder(L"Docs");
    folder_.Add(L"Docs\\inner" + Ext());
    folder_.Add(L"a" + Ext());
    folder_.Add(L"R&D" + Ext());
  }
  static std::wstring Ext() { return TRecordingHandler::kExtension; }
  // Types a letter into the open menu.
  static void Type(HWND menu, wchar_t letter) {
    PressKey(menu, static_cast<WORD>(::VkKeyScanW(letter) & 0xFF), letter);
  }
};

}  // namespace

TEST_F(MenuView, PopsUpAtTheCursorWithExploreFirst) {
  const POINT cursor = {300, 200};
  MoveCursor(cursor);
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder_.Path()) + L" /menu");
  const HWND menu = WaitForMenu(viewer.Id());
  ASSERT_NE(menu, nullptr);
  const TWindowFacts facts = ReadWindowFacts(menu);
  EXPECT_EQ(facts.Window.left, cursor.x);
  EXPECT_EQ(facts.Window.top, cursor.y);
  PressKey(menu, VK_DOWN, 0);
  PressKey(menu, VK_RETURN, L'\r');
  EXPECT_TRUE(viewer.WaitForExit());
  EXPECT_EQ(handler_.WaitForOpened(1), (std::vector<std::wstring>{folder_.Path()})) << "Explore opens the folder";
}

TEST_F(MenuView, EscClosesTheMenuAndEndsTheViewerWithoutOpeningAnything) {
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder_.Path()) + L" /menu");
  const HWND menu = WaitForMenu(viewer.Id());
  ASSERT_NE(menu, nullptr);
  PressKey(menu, VK_ESCAPE, 27);
  EXPECT_TRUE(viewer.WaitForExit());
  EXPECT_TRUE(handler_.SettledOpened().empty());
}

TEST_F(MenuView, AClickOutsideClosesTheMenuAndEndsTheViewer) {
  MoveCursor({300, 200});
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder_.Path()) + L" /menu");
  const HWND menu = WaitForMenu(viewer.Id());
  ASSERT_NE(menu, nullptr);
  ClickAt(::GetDesktopWindow(), {900, 700});  // well away from the menu
  EXPECT_TRUE(viewer.WaitForExit());
  EXPECT_TRUE(handler_.SettledOpened().empty());
}

TEST_F(MenuView, AFolderOpensAsASubMenuBelowTheSeparatorAndTheFilesFollow) {
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder_.Path()) + L" /menu");
  const HWND menu = WaitForMenu(viewer.Id());
  ASSERT_NE(menu, nullptr);
  // Explore, the separator (skipped), Docs: Right opens its sub-menu.
  PressKey(menu, VK_DOWN, 0);
  PressKey(menu, VK_DOWN, 0);
  PressKey(menu, VK_RIGHT, 0);
  ASSERT_TRUE(WaitUntil([&] { return MenuWindows(viewer.Id()).size() == 2; })) << "Docs has a sub-menu";
  PressKey(MenuWindows(viewer.Id())[1], VK_LEFT, 0);
  ASSERT_TRUE(WaitUntil([&] { return MenuWindows(viewer.Id()).size() == 1; }));
  // Then a.hfrec, then R&D.hfrec.
  PressKey(menu, VK_DOWN, 0);
  PressKey(menu, VK_DOWN, 0);
  PressKey(menu, VK_RETURN, L'\r');
  EXPECT_TRUE(viewer.WaitForExit());
  EXPECT_EQ(handler_.WaitForOpened(1), (std::vector<std::wstring>{folder_.Path() + L"\\R&D" + Ext()}));
}

TEST_F(MenuView, ASubMenuListsItsFolderAfreshEachTimeItOpens) {
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder_.Path()) + L" /menu /noexplore");
  const HWND menu = WaitForMenu(viewer.Id());
  ASSERT_NE(menu, nullptr);
  Type(menu, L'd');  // the only item starting with D: Docs opens
  ASSERT_TRUE(WaitUntil([&] { return MenuWindows(viewer.Id()).size() == 2; }));
  PressKey(MenuWindows(viewer.Id())[1], VK_LEFT, 0);
  ASSERT_TRUE(WaitUntil([&] { return MenuWindows(viewer.Id()).size() == 1; }));

  folder_.Add(L"Docs\\new" + Ext());
  Type(menu, L'd');
  ASSERT_TRUE(WaitUntil([&] { return MenuWindows(viewer.Id()).size() == 2; }));
  Type(MenuWindows(viewer.Id())[1], L'n');  // the new file, listed as the sub-menu opened
  EXPECT_TRUE(viewer.WaitForExit());
  EXPECT_EQ(handler_.WaitForOpened(1), (std::vector<std::wstring>{folder_.Path() + L"\\Docs\\new" + Ext()}));
}

TEST_F(MenuView, ATypedLetterChoosesTheItemThatStartsWithIt) {
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder_.Path()) + L" /menu");
  const HWND menu = WaitForMenu(viewer.Id());
  ASSERT_NE(menu, nullptr);
  Type(menu, L'r');  // "R&D": the ampersand is shown, not a mnemonic
  EXPECT_TRUE(viewer.WaitForExit());
  EXPECT_EQ(handler_.WaitForOpened(1), (std::vector<std::wstring>{folder_.Path() + L"\\R&D" + Ext()}));
}

TEST_F(MenuView, WithoutBrowsingAFolderIsAPlainItemThatOpensIt) {
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder_.Path()) + L" /menu /nobrowse /noexplore");
  const HWND menu = WaitForMenu(viewer.Id());
  ASSERT_NE(menu, nullptr);
  Type(menu, L'd');
  EXPECT_TRUE(viewer.WaitForExit());
  EXPECT_EQ(handler_.WaitForOpened(1), (std::vector<std::wstring>{folder_.Path() + L"\\Docs"}));
}

TEST_F(MenuView, ADamagedShortcutIsReportedAndThenTheViewerEnds) {
  folder_.Add(L"broken.lnk", "this is not a shortcut at all");
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder_.Path()) + L" /menu");
  const HWND menu = WaitForMenu(viewer.Id());
  ASSERT_NE(menu, nullptr);
  Type(menu, L'b');
  const TMessageBox box = WaitForMessageBox(viewer.Id(), L"Heapfold");
  ASSERT_NE(box.Window, nullptr) << "the shortcut's error is shown";
  EXPECT_FALSE(box.Text.empty());
  EXPECT_TRUE(viewer.Running()) << "the viewer waits for the message to be read";
  ASSERT_TRUE(AnswerMessageBox(box, IDOK));
  EXPECT_TRUE(viewer.WaitForExit());
  EXPECT_TRUE(handler_.SettledOpened().empty()) << "nothing was run";
}
