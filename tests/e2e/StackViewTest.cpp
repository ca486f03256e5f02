// The stack view seen from outside: the column's size from the folder's
// entries and their measured names, its place beside the taskbar, crowding,
// and the window's look with and without glass.
#include <gtest/gtest.h>

#include "E2eFixture.h"
#include "core/viewer/Placement.h"
#include "core/viewer/StackLayout.h"
#include "shared/Desktop.h"

using namespace e2e;

namespace {

// Width in pixels of a text in the stack's own font, as the viewer measures it.
int StackTextWidth(const std::wstring& text) {
  const TFont font = CreateFontFromDescription({L"MS Sans Serif", 8});
  const TScreenDC screen;
  const TSelectObject select(screen.Get(), font.Get());
  SIZE size = {0, 0};
  ::GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

class StackView : public TViewerTest {};

TEST_F(StackView, ColumnFitsTheListedEntriesAndStandsAboveTheBottomTaskbar) {
  ASSERT_EQ(WaitForTaskbarEdge(), kEdgeBottom) << "Wine's taskbar is at the bottom";
  TScratchFolder folder(L"Stack Fixture");
  folder.AddFolder(L"Alpha");
  folder.AddFolder(L"beta");
  folder.AddFolder(L"Hidden Folder", FILE_ATTRIBUTE_HIDDEN);
  folder.AddFolder(L"System Folder", FILE_ATTRIBUTE_SYSTEM);
  folder.Add(L"notes.txt");
  folder.Add(L"hidden.txt", "x", FILE_ATTRIBUTE_HIDDEN);
  folder.Add(L"system.dat", "x", FILE_ATTRIBUTE_SYSTEM);
  const std::wstring longName = L"A rather long file name well over forty characters";
  folder.Add(longName + L".txt");
  // Listed: Alpha, beta, notes.txt, system.dat, the long one; then Explore.
  const int entries = 6;
  const int entryWidth = EntryWidth(StackTextWidth(GoBackText(folder.Path())), StackTextWidth(longName));

  const POINT cursor = {500, 1000};
  MoveCursor(cursor);
  TProcess viewer = TProcess::Launch(install_.Viewer(), L"\"" + folder.Path() + L"\"");
  HWND window = WaitForWindow(viewer.Id(), kTimeout);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitForViewAtRest(window));
  const TWindowFacts facts = ReadWindowFacts(window);

  EXPECT_EQ(facts.Caption, L"Stack Fixture");
  EXPECT_GT(entryWidth, 200) << "the long name sets the width";
  EXPECT_EQ(facts.ClientWidth(), entryWidth + 4);
  EXPECT_EQ(facts.ClientHeight(), entries * 44 + 4);
  const RECT work = PrimaryWorkArea();
  EXPECT_EQ(facts.Window.left, cursor.x - facts.Width() / 2);
  EXPECT_EQ(facts.Window.bottom, work.bottom - 4);
  EXPECT_EQ(facts.Alpha, 255) << "at rest the window is opaque";
}

TEST_F(StackView, EmptyFolderWithoutExploreIsAnEmptyColumnOfMinimumWidth) {
  TScratchFolder folder(L"Empty");
  TProcess viewer = TProcess::Launch(install_.Viewer(), L"\"" + folder.Path() + L"\" /noexplore");
  HWND window = WaitForWindow(viewer.Id(), kTimeout);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitForViewAtRest(window));
  const TWindowFacts facts = ReadWindowFacts(window);
  EXPECT_EQ(facts.ClientHeight(), 4);
  EXPECT_GE(facts.ClientWidth(), 204);
}

TEST_F(StackView, CrowdedSubFolderShowsOnlyGoBackAndExplore) {
  TScratchFolder folder(L"Top");
  folder.AddFolder(L"Crowded");
  const RECT work = PrimaryWorkArea();
  const int capacity = (work.bottom - work.top - 50) / 44;
  for (int i = 0; i <= capacity; ++i) folder.Add(L"Crowded\\file" + std::to_wstring(i) + L".txt");

  MoveCursor({600, 1000});
  TProcess viewer = TProcess::Launch(install_.Viewer(), L"\"" + folder.Path() + L"\" /noexplore");
  HWND window = WaitForWindow(viewer.Id(), kTimeout);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitForViewAtRest(window));
  EXPECT_EQ(ReadWindowFacts(window).ClientHeight(), 1 * 44 + 4) << "the one sub-folder, no Explore";

  // Browse into the crowded sub-folder: the go-back entry and the crowded
  // Explore entry, which shows even with /noexplore.
  ClickAt(window, {30, 2 + 22});
  ASSERT_TRUE(WaitUntil([&] { return WindowText(window) == L"Crowded"; }));
  ASSERT_TRUE(WaitForViewAtRest(window));
  const TWindowFacts facts = ReadWindowFacts(window);
  EXPECT_EQ(facts.Caption, L"Crowded");
  EXPECT_EQ(facts.ClientHeight(), 2 * 44 + 4);
}

}  // namespace
