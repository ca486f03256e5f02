// An open stack follows its folder: files created, deleted or copied there
// by another program show in the same window, beside the taskbar, as
// start-up would show them; a burst of changes is paced; a folder deleted
// while open shows what a folder that cannot be read shows.
#include <gtest/gtest.h>
#include <oleacc.h>
#include <wrl/client.h>

#include <cstdio>
#include <string>
#include <vector>

#include "E2eFixture.h"
#include "ViewAccessible.h"
#include "core/base/StartupTrace.h"

using namespace e2e;
using Microsoft::WRL::ComPtr;

namespace {

// The names of the view's entries as a screen reader reads them; empty while
// the view is being rebuilt.
std::vector<std::wstring> EntryNames(HWND form) {
  const ComPtr<IAccessible> list = AccessibleOf(ViewToolbar(form));
  return list ? e2e::EntryNames(*list.Get()) : std::vector<std::wstring>{};
}

// The selected entry's child id; 0 for none.
long Selection(HWND form) {
  const ComPtr<IAccessible> list = AccessibleOf(ViewToolbar(form));
  return list ? e2e::Selection(*list.Get()) : 0;
}

// The viewer's trace goes to a file for the scope: programs started in it
// write their marks there.
class TTraceFile {
public:
  explicit TTraceFile(const TScratchFolder& folder) : path_(folder.Path() + L"\\trace.txt") {
    ::SetEnvironmentVariableW(L"HEAPFOLD_TRACE", path_.c_str());
  }
  ~TTraceFile() { ::SetEnvironmentVariableW(L"HEAPFOLD_TRACE", nullptr); }
  TTraceFile(const TTraceFile&) = delete;
  TTraceFile& operator=(const TTraceFile&) = delete;

  // The clock's readings of the marks with this name, in microseconds.
  std::vector<std::int64_t> Marks(const std::wstring& phase) const {
    std::vector<std::int64_t> times;
    const THandle file(::CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
    if (!file) return times;
    std::string bytes(::GetFileSize(file.Get(), nullptr), '\0');
    DWORD read = 0;
    ::ReadFile(file.Get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    for (const TTraceMark& mark : ParseStartupTrace(std::wstring(bytes.begin(), bytes.begin() + read)))
      if (mark.Phase == phase) times.push_back(mark.Microseconds);
    return times;
  }

private:
  std::wstring path_;
};

std::wstring Numbered(int i) {
  wchar_t name[32] = {};
  std::swprintf(name, 32, L"file%04d.txt", i);
  return name;
}

class LiveView : public TViewerTest {
protected:
  static constexpr POINT kCursor = {500, 1000};
  // How soon a change shows in the open view.
  static constexpr DWORD kShowsWithin = 1000;

  HWND Open(const TProcess& viewer) { return OpenAtRest(viewer); }
  static void Close(HWND window, TProcess& viewer) {
    PressKey(window, VK_ESCAPE, L'\x1b');
    viewer.WaitForExit();
  }

  TComInit com_;
};

TEST_F(LiveView, FilesCreatedAndDeletedShowInTheSameStackBesideTheTaskbarWithTheSelectionKept) {
  TScratchFolder folder(L"Live");
  const std::wstring first = folder.Add(L"first.txt");
  MoveCursor(kCursor);
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
  const HWND window = Open(viewer);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(EntryNames(window), (std::vector<std::wstring>{L"first.txt", L"Explore: Live"}));
  const TWindowFacts before = ReadWindowFacts(window);
  PressKey(window, VK_DOWN, 0);
  ASSERT_TRUE(WaitUntil([&] { return Selection(window) == 1; }));

  folder.Add(L"a.txt");
  EXPECT_TRUE(WaitUntil(
      [&] {
        return EntryNames(window) == std::vector<std::wstring>{L"a.txt", L"first.txt", L"Explore: Live"};
      },
      kShowsWithin));
  ASSERT_TRUE(WaitForViewAtRest(window));
  EXPECT_EQ(Selection(window), 2) << "the selection stays on first.txt";
  const TWindowFacts grown = ReadWindowFacts(window);
  const RECT work = PrimaryWorkArea();
  EXPECT_EQ(grown.ClientHeight(), before.ClientHeight() + 44);
  EXPECT_EQ(grown.Window.bottom, work.bottom - 4) << "beside the taskbar";
  EXPECT_EQ(grown.Window.left, kCursor.x - grown.Width() / 2);
  EXPECT_EQ(grown.Alpha, 255);
  EXPECT_EQ(TopLevelWindows(viewer.Id()), std::vector<HWND>{window}) << "the same window, no other";

  ASSERT_TRUE(::DeleteFileW(first.c_str()));
  EXPECT_TRUE(WaitUntil(
      [&] {
        return EntryNames(window) == std::vector<std::wstring>{L"a.txt", L"Explore: Live"};
      },
      kShowsWithin));
  ASSERT_TRUE(WaitForViewAtRest(window));
  const TWindowFacts shrunk = ReadWindowFacts(window);
  EXPECT_EQ(shrunk.ClientHeight(), before.ClientHeight());
  EXPECT_EQ(shrunk.Window.bottom, work.bottom - 4);
  EXPECT_EQ(Selection(window), 0) << "the selected entry went";
  EXPECT_TRUE(viewer.Running());
}

TEST_F(LiveView, ACopyOfAThousandFilesEndsAsStartUpShowsThemWithRebuildsAtLeast300MillisecondsApart) {
  TScratchFolder source(L"Burst");
  std::vector<std::wstring> names;
  for (int i = 0; i < 1000; ++i) names.push_back(Numbered(i));
  for (const std::wstring& name : names) source.Add(name);

  // What start-up shows for the thousand files, from the same spot.
  MoveCursor(kCursor);
  std::vector<std::wstring> expected;
  TWindowFacts startUp;
  {
    TProcess fresh = TProcess::Launch(install_.Viewer(), Quoted(source.Path()));
    const HWND window = Open(fresh);
    ASSERT_NE(window, nullptr);
    expected = EntryNames(window);
    startUp = ReadWindowFacts(window);
    Close(window, fresh);
  }
  ASSERT_GT(startUp.ClientWidth(), 8 * 64) << "a thousand entries open as a grid, not a column";
  ASSERT_GT(expected.size(), 100u);

  TScratchFolder target(L"Burst");
  TTraceFile trace(target);
  MoveCursor(kCursor);
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(target.Path()));
  const HWND window = Open(viewer);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(EntryNames(window), std::vector<std::wstring>{L"Explore: Burst"});

  for (const std::wstring& name : names)
    ASSERT_TRUE(::CopyFileW((source.Path() + L"\\" + name).c_str(), (target.Path() + L"\\" + name).c_str(), TRUE));
  ASSERT_TRUE(WaitUntil([&] { return EntryNames(window) == expected; }, 2 * kTimeout));
  ASSERT_TRUE(WaitForViewAtRest(window));
  ASSERT_TRUE(Sync(window));  // the rebuild's handler, and its trace, are done

  const TWindowFacts live = ReadWindowFacts(window);
  EXPECT_TRUE(::EqualRect(&live.Window, &startUp.Window)) << "placed and sized as at start-up";
  EXPECT_EQ(live.Caption, L"Burst");
  EXPECT_EQ(TopLevelWindows(viewer.Id()), std::vector<HWND>{window});
  const std::vector<std::int64_t> rebuilds = trace.Marks(L"live rebuild");
  ASSERT_FALSE(rebuilds.empty());
  for (std::size_t i = 1; i < rebuilds.size(); ++i)
    EXPECT_GE(rebuilds[i] - rebuilds[i - 1], 300000) << "rebuilds " << i - 1 << " and " << i;
  EXPECT_LT(rebuilds.size(), 60u) << "a few rebuilds, not one a file";
}

TEST_F(LiveView, AFolderDeletedWhileOpenShowsWhatAFolderThatCannotBeReadShows) {
  TScratchFolder folder(L"Gone");
  folder.Add(L"one.txt");
  folder.AddFolder(L"sub");
  MoveCursor(kCursor);
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
  const HWND window = Open(viewer);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(EntryNames(window).size(), 3u);

  RemoveTree(folder.Path());
  // The viewer lets go of the deleted folder: until its handle closes, the
  // folder's name would stay taken.
  EXPECT_TRUE(WaitUntil([&] { return ::GetFileAttributesW(folder.Path().c_str()) == INVALID_FILE_ATTRIBUTES; }));
  const std::vector<std::wstring> unreadable = {L"Explore: Gone"};
  EXPECT_TRUE(WaitUntil([&] { return EntryNames(window) == unreadable; }, kShowsWithin));
  ASSERT_TRUE(WaitForViewAtRest(window));
  const TWindowFacts live = ReadWindowFacts(window);
  EXPECT_EQ(live.Caption, L"Gone");
  EXPECT_TRUE(viewer.Running());
  Close(window, viewer);

  // A viewer started on the missing folder shows the same, in the same place.
  TProcess fresh = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()));
  const HWND freshWindow = Open(fresh);
  ASSERT_NE(freshWindow, nullptr);
  EXPECT_EQ(EntryNames(freshWindow), unreadable);
  const TWindowFacts startUp = ReadWindowFacts(freshWindow);
  EXPECT_TRUE(::EqualRect(&live.Window, &startUp.Window));
}

}  // namespace
