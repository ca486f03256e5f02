// The shell's own handling of stack and grid entries: the right-click menu
// with the shell's verbs for the entry, and dragging entries out onto another
// program's window.
#include <gtest/gtest.h>

#include "E2eFixture.h"

using namespace e2e;

namespace {

class ShellEntry : public TViewerTest {};

// Inside the first entry of each view (the stack's rows are 44 high, the
// grid's tiles wider and taller, both 2 pixels in from the edge).
constexpr POINT kFirstEntry = {24, 24};

TEST_F(ShellEntry, EscapeClosesTheMenuAndLeavesTheViewOpenAndActive) {
  TScratchFolder folder(L"Escape Fixture");
  folder.Add(L"report.txt");
  for (const wchar_t* view : {L"", L" /grid"}) {
    SCOPED_TRACE(Narrow(view));
    MoveCursor({500, 1000});
    TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()) + view);
    HWND window = OpenAtRest(viewer);
    ASSERT_NE(window, nullptr);
    RightClickAt(window, kFirstEntry);
    HWND menu = WaitForMenu(viewer.Id());
    ASSERT_NE(menu, nullptr) << "a right click shows a menu";
    PressKey(menu, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitUntil([&] { return MenuWindows(viewer.Id()).empty(); }));
    ASSERT_TRUE(Sync(window));
    EXPECT_TRUE(viewer.Running());
    EXPECT_TRUE(IsViewAtRest(window));
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == window; }));
  }
}

TEST_F(ShellEntry, MenuKeyShowsTheSelectedEntrysMenuBesideIt) {
  TScratchFolder folder(L"Menu Key Fixture");
  folder.Add(L"report.txt");
  MoveCursor({100, 100});
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
  HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  PressKey(window, VK_APPS, 0);
  ASSERT_TRUE(Sync(window));
  EXPECT_TRUE(MenuWindows(viewer.Id()).empty()) << "no entry is selected yet";
  PressKey(window, VK_END, 0);  // Explore
  PressKey(window, VK_APPS, 0);
  HWND menu = WaitForMenu(viewer.Id());
  ASSERT_NE(menu, nullptr) << "the menu key shows the selected entry's menu";
  RECT menuRect = {}, client = ReadWindowFacts(window).Client;
  ::GetWindowRect(menu, &menuRect);
  EXPECT_TRUE(menuRect.left >= client.left && menuRect.left < client.right) << "beside the entry, not at the pointer";
  ::PostMessageW(menu, WM_CHAR, L'p', 0);
  HWND sheet = WaitForSystemDialog(viewer.Id(), L"Menu Key Fixture");
  ASSERT_NE(sheet, nullptr) << "the folder's properties: the Explore entry's item";
  ::PostMessageW(sheet, WM_CLOSE, 0, 0);
  EXPECT_TRUE(viewer.WaitForExit());
}

TEST_F(ShellEntry, MenuOfAVanishedFileSaysSoAndTheViewStays) {
  // The stack does not follow its folder: the deleted file stays listed, as
  // it does until an open stack has noticed.
  preferences_.SetTestingDword(L"LiveViews", 0);
  TScratchFolder folder(L"Vanishing Fixture");
  const std::wstring file = folder.Add(L"gone.txt");
  MoveCursor({500, 1000});
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
  HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(::DeleteFileW(file.c_str()));
  RightClickAt(window, kFirstEntry);
  const TMessageBox box = WaitForMessageBox(viewer.Id(), L"Heapfold");
  ASSERT_NE(box.Window, nullptr);
  EXPECT_EQ(box.Text.substr(0, file.size()), file);
  EXPECT_TRUE(MenuWindows(viewer.Id()).empty());
  ASSERT_TRUE(AnswerMessageBox(box, IDOK));
  ASSERT_TRUE(Sync(window));
  EXPECT_TRUE(viewer.Running());
  EXPECT_TRUE(IsViewAtRest(window));
}

// The shell's Properties verb: its sheet is the shell's, about the entry's
// item (the Explore entry's is the folder), and the viewer's process lasts
// until the sheet is closed.
TEST_F(ShellEntry, PropertiesOfAnEntryShowTheShellsSheetWhichTheViewerOutlives) {
  TScratchFolder folder(L"Menu Fixture");
  folder.Add(L"report.txt");
  struct {
    const char* Name;
    POINT Entry;
    const wchar_t* Item;
  } const cases[] = {
      {"file", kFirstEntry, L"report"},
      {"explore", {kFirstEntry.x, kFirstEntry.y + 44}, L"Menu Fixture"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    MoveCursor({500, 1000});
    TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
    HWND window = OpenAtRest(viewer);
    ASSERT_NE(window, nullptr);
    RightClickAt(window, c.Entry);
    HWND menu = WaitForMenu(viewer.Id());
    ASSERT_NE(menu, nullptr);
    // Typed alone: a posted key press would be typed twice.
    ::PostMessageW(menu, WM_CHAR, L'p', 0);
    HWND sheet = WaitForSystemDialog(viewer.Id(), c.Item);
    ASSERT_NE(sheet, nullptr) << "the shell's properties of the item";
    EXPECT_TRUE(viewer.Running());
    ::PostMessageW(sheet, WM_CLOSE, 0, 0);
    EXPECT_TRUE(viewer.WaitForExit()) << "the viewer ends once the sheet has gone";
  }
}

// Letting the right button go over an item of the menu view's menu. Wine's
// menus do not tell their owner (Windows sends WM_MENURBUTTONUP), so the test
// sends what Windows would, with the pointer over the item.
void RightButtonUpOverMenuItem(const TProcess& viewer, HWND menu, UINT position, POINT pointer) {
  ::SetCursorPos(pointer.x, pointer.y);  // where the shell's menu shows; not waited for
  const HMENU handle = reinterpret_cast<HMENU>(::SendMessageW(menu, MN_GETHMENU, 0, 0));
  for (HWND w : TopLevelWindows(viewer.Id()))
    if (ClassNameOf(w) == L"THeapviewForm")
      ::PostMessageW(w, WM_MENURBUTTONUP, position, reinterpret_cast<LPARAM>(handle));
}

// In the menu view an item's shell menu takes the view's menu's place; Esc
// there brings the view's menu back, and a verb chosen there runs.
TEST_F(ShellEntry, MenuViewItemsGetTheShellsMenu) {
  TScratchFolder folder(L"Menu View Fixture");
  folder.Add(L"report.txt");
  MoveCursor({300, 200});
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()) + L" /menu");
  HWND viewMenu = WaitForMenu(viewer.Id());
  ASSERT_NE(viewMenu, nullptr);
  const auto newestMenu = [&] {
    const std::vector<HWND> menus = MenuWindows(viewer.Id());
    return menus.empty() ? nullptr : menus.back();
  };

  RightButtonUpOverMenuItem(viewer, viewMenu, 0, {340, 210});  // Explore, the first item
  HWND shellMenu = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (shellMenu = newestMenu()) != nullptr && shellMenu != viewMenu; }));
  PressKey(shellMenu, VK_ESCAPE, 0);
  ASSERT_TRUE(WaitUntil([&] { return (viewMenu = newestMenu()) != nullptr && viewMenu != shellMenu; }))
      << "the view's menu is up again";
  EXPECT_TRUE(viewer.Running());

  RightButtonUpOverMenuItem(viewer, viewMenu, 0, {340, 210});
  ASSERT_TRUE(WaitUntil([&] { return (shellMenu = newestMenu()) != nullptr && shellMenu != viewMenu; }));
  ::PostMessageW(shellMenu, WM_CHAR, L'p', 0);
  HWND sheet = WaitForSystemDialog(viewer.Id(), L"Menu View Fixture");
  ASSERT_NE(sheet, nullptr) << "the shell's properties of the explored folder";
  EXPECT_TRUE(MenuWindows(viewer.Id()).empty());
  ::PostMessageW(sheet, WM_CLOSE, 0, 0);
  EXPECT_TRUE(viewer.WaitForExit());
}

TEST_F(ShellEntry, DraggingAFileOutDropsItsPathAndClosesTheViewButRunsNothing) {
  TRecordingHandler handler;
  TScratchFolder folder(L"Drag Fixture");
  const std::wstring file = folder.Add(std::wstring(L"dragged") + TRecordingHandler::kExtension);
  TScratchFolder targetFolder(L"target");
  const std::wstring targetExe = targetFolder.Path() + L"\\droptarget.exe";
  ASSERT_TRUE(::CopyFileW(DropTargetExe().c_str(), targetExe.c_str(), FALSE));
  TProcess target = TProcess::Launch(targetExe, L"700 100 200 200");
  ASSERT_NE(WaitForWindow(target.Id()), nullptr);
  TOtherWindow nowhere;  // no drop target: a drop there is refused

  MoveCursor({500, 1000});
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
  HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);

  // Dropped where nothing takes it: the view stays.
  DragTo(window, kFirstEntry, {30, 20});
  ASSERT_TRUE(Sync(window));
  EXPECT_TRUE(viewer.Running());
  EXPECT_TRUE(IsViewAtRest(window));

  DragTo(window, kFirstEntry, {800, 200});
  std::vector<std::wstring> dropped;
  WaitUntil([&] { return !(dropped = ReadLines(targetExe + L".txt")).empty(); });
  EXPECT_EQ(dropped, std::vector<std::wstring>{file});
  EXPECT_TRUE(viewer.WaitForExit()) << "a drop closes the view";
  EXPECT_TRUE(handler.SettledOpened().empty()) << "a drag is no click";

  for (HWND w : TopLevelWindows(target.Id())) ::PostMessageW(w, WM_CLOSE, 0, 0);
  EXPECT_TRUE(target.WaitForExit());
}

}  // namespace
