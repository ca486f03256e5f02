// Clicking entries of a stack: files go to the shell and the viewer ends,
// folders browse inside the same window and back, shortcuts with a stale
// "(x86)" target are repaired, damaged shortcuts are reported.
#include <gtest/gtest.h>

#include "E2eFixture.h"
#include "shared/ExtraWinUtils.h"
#include "shared/ShellLinkUtils.h"

using namespace e2e;

namespace {

// Entries stand 44 pixels apart from 2 pixels below the client's top.
void ClickEntry(HWND window, int index) { ClickAt(window, {30, 2 + index * 44 + 22}); }

// The view of another folder has been built and placed.
bool WaitForCaption(HWND window, const std::wstring& caption) {
  return WaitUntil([&] { return WindowText(window) == caption; }) && WaitForViewAtRest(window);
}

class Activation : public TShellViewerTest {
protected:
  // Starts a viewer, clicks one of its entries, and gives the path the shell
  // was handed after the viewer ended (empty when something went wrong).
  std::wstring RunEntry(const std::wstring& arguments, int index) {
    const size_t before = handler_.Opened().size();
    TProcess viewer = TProcess::Launch(install_.Viewer(), arguments);
    HWND window = OpenAtRest(viewer);
    if (!window) return L"";
    ClickEntry(window, index);
    EXPECT_TRUE(viewer.WaitForExit(kTimeout)) << "running an entry ends the viewer";
    const std::vector<std::wstring> opened = handler_.WaitForOpened(before + 1, kTimeout);
    return opened.size() == before + 1 ? opened.back() : L"";
  }
};

TEST_F(Activation, FileEntryRunsThroughTheShellAndTheViewerEnds) {
  TScratchFolder folder(L"Files");
  const std::wstring document = folder.Add(L"doc.hfrec");
  EXPECT_EQ(RunEntry(Quoted(folder.Path()), 0), document);
}

TEST_F(Activation, FolderBrowsesInTheSameWindowAndGoBackRestoresTheColumn) {
  TScratchFolder folder(L"Top");
  folder.AddFolder(L"Inner folder with a much longer name than the rest");
  folder.Add(L"Inner folder with a much longer name than the rest\\one.hfrec");
  folder.Add(L"a.hfrec");
  const POINT cursor = {640, 1000};
  MoveCursor(cursor);
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
  HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  const TWindowFacts first = ReadWindowFacts(window);
  EXPECT_EQ(first.Window.left + first.Width() / 2, cursor.x) << "centred on the click";

  ClickEntry(window, 0);
  ASSERT_TRUE(WaitForCaption(window, L"Inner folder with a much longer name than the rest"));
  const TWindowFacts inner = ReadWindowFacts(window);
  EXPECT_EQ(inner.ClientHeight(), 3 * 44 + 4) << "go-back, one file, Explore";
  EXPECT_NE(inner.ClientWidth(), first.ClientWidth());
  EXPECT_EQ(inner.Window.left + inner.Width() / 2, cursor.x) << "centred on the first click";
  EXPECT_EQ(inner.Window.bottom, first.Window.bottom) << "beside the taskbar as before";
  EXPECT_TRUE(viewer.Running());

  ClickEntry(window, 0);  // go back
  ASSERT_TRUE(WaitForCaption(window, L"Top"));
  const TWindowFacts back = ReadWindowFacts(window);
  EXPECT_TRUE(EqualRect(&back.Window, &first.Window)) << "same size and position as the first column";
  EXPECT_TRUE(handler_.Opened().empty());
}

TEST_F(Activation, WithoutBrowsingAFolderIsOpenedAndTheViewerEnds) {
  TScratchFolder folder(L"NoBrowse");
  const std::wstring inner = folder.AddFolder(L"inner");
  EXPECT_EQ(RunEntry(Quoted(folder.Path()) + L" /nobrowse", 0), inner);
}

TEST_F(Activation, ExploreOfABrowsedSubFolderOpensThatSubFolder) {
  TScratchFolder folder(L"Explore Top");
  const std::wstring sub = folder.AddFolder(L"sub");
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
  HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  ClickEntry(window, 0);
  ASSERT_TRUE(WaitForCaption(window, L"sub"));
  ClickEntry(window, 1);  // go-back, then Explore
  EXPECT_TRUE(viewer.WaitForExit(kTimeout));
  EXPECT_EQ(handler_.WaitForOpened(1, kTimeout), std::vector<std::wstring>{sub});
}

TEST_F(Activation, ShortcutToAMissingX86TargetRunsTheRepairedTarget) {
  TScratchFolder programs(L"Programs");
  const std::wstring real = programs.Add(L"Program Files\\App\\app.hfrec");
  const std::wstring recorded = programs.Path() + L"\\Program Files (x86)\\App\\app.hfrec";
  TScratchFolder folder(L"Shortcuts");
  TShellLinkInfo link;
  link.TargetPath = recorded;
  const std::wstring shortcut = folder.Path() + L"\\App.lnk";
  CreateEmptyFile(shortcut);
  WriteShellLink(shortcut, link);

  EXPECT_EQ(RunEntry(Quoted(folder.Path()), 0), real);

  // With the recorded target present the shortcut itself goes to the shell,
  // which follows it to the recorded target.
  programs.Add(L"Program Files (x86)\\App\\app.hfrec");
  const std::wstring opened = RunEntry(Quoted(folder.Path()), 0);
  EXPECT_EQ(::lstrcmpiW(opened.c_str(), recorded.c_str()), 0)
      << "not repaired: " << std::string(opened.begin(), opened.end());
}

TEST_F(Activation, DamagedShortcutIsReportedAndTheViewerStaysOpen) {
  TScratchFolder folder(L"Damaged");
  folder.Add(L"broken.lnk", "this is not a shortcut at all");
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
  HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  ClickEntry(window, 0);
  const TMessageBox box = WaitForMessageBox(viewer.Id(), L"Heapfold");
  ASSERT_NE(box.Window, nullptr);
  EXPECT_FALSE(box.Text.empty());
  ASSERT_TRUE(AnswerMessageBox(box, IDOK));
  ASSERT_TRUE(Sync(window)) << "the click's handler has returned";
  EXPECT_TRUE(viewer.Running());
  EXPECT_TRUE(::IsWindowVisible(window));
  EXPECT_TRUE(handler_.SettledOpened().empty());
}

}  // namespace
