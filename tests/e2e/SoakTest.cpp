// Many clicks on one stack: starts in quick succession with second-click
// closing on and off, starts each closed by a click outside, and a viewer
// browsing back and forth. At the end no viewer runs, no group atom is left,
// and the long-running viewer's memory has not grown. make test runs a light
// round; make soak (HEAPFOLD_SOAK=full) the full one.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>

#include "E2eFixture.h"
#include "core/viewer/AppComm.h"

using namespace e2e;

namespace {

bool FullSoak() {
  wchar_t value[16] = {};
  return ::GetEnvironmentVariableW(L"HEAPFOLD_SOAK", value, 16) > 0 && std::wstring(value) == L"full";
}
int Starts() { return FullSoak() ? 200 : 6; }
int RoundTrips() { return FullSoak() ? 500 : 40; }

constexpr int kEntryHeight = 44;
void ClickEntry(HWND window, int index) { ClickAt(window, {30, 2 + index * kEntryHeight + kEntryHeight / 2}); }

// The memory the process has committed for itself (Wine reports it as the
// page-file usage and leaves the private usage at zero).
SIZE_T PrivateBytes(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof(counters);
  ::GetProcessMemoryInfo(process, &counters, sizeof(counters));
  return counters.PagefileUsage;
}

class Soak : public TViewerTest {
protected:
  Soak() : TViewerTest(TAnimation::Off) {
    folder_.AddFolder(L"Inner");
    folder_.Add(L"Inner\\one.txt");
    folder_.Add(L"a.txt");
  }
  // A start as a click on the taskbar button makes it: gives the viewer once
  // it shows its stack at rest or has ended.
  std::unique_ptr<TProcess> Click(HWND* window) {
    auto viewer = std::make_unique<TProcess>(TProcess::Launch(install_.Viewer(), Quoted(folder_.Path())));
    *window = nullptr;
    WaitUntil([&] {
      if (!viewer->Running()) return true;
      const std::vector<HWND> shown = TopLevelWindows(viewer->Id());
      *window = shown.empty() ? nullptr : shown.front();
      return *window && IsViewAtRest(*window);
    });
    return viewer;
  }
  bool NothingLeft() {
    return WaitForNoProcessNamed(L"Heapview0.exe") && ::GlobalFindAtomW(GroupNameOf(folder_.Path()).c_str()) == 0;
  }

  TScratchFolder folder_{L"Soaked"};
};

TEST_F(Soak, StartsInQuickSuccessionLeaveNoViewerAndNoAtom) {
  for (const bool secondClick : {true, false}) {
    SCOPED_TRACE(secondClick ? "second-click closing" : "default closing");
    preferences_.SetDword(L"CloseBy2ndClick", secondClick ? 1 : 0);
    int shown = 0, ended = 0;
    std::unique_ptr<TProcess> last;
    HWND lastWindow = nullptr;
    for (int i = 0; i < Starts(); ++i) {
      HWND window = nullptr;
      std::unique_ptr<TProcess> viewer = Click(&window);
      ASSERT_TRUE(window || !viewer->Running()) << "start " << i << " neither showed nor ended";
      if (window) {
        ++shown;
        last = std::move(viewer);
        lastWindow = window;
      } else {
        // The stack it closed is gone before the next click.
        ++ended;
        if (last) {
          ASSERT_TRUE(last->WaitForExit()) << "start " << i << " did not close the open stack";
        }
      }
    }
    if (secondClick) {
      // Every second click closes the stack the one before opened.
      EXPECT_EQ(shown, (Starts() + 1) / 2);
      EXPECT_EQ(ended, Starts() / 2);
    } else {
      EXPECT_EQ(shown, Starts());
    }
    if (last && last->Running()) PressKey(lastWindow, VK_ESCAPE, 27);
    EXPECT_TRUE(NothingLeft());
    std::printf("soak: %d starts, %d stacks shown, %d ended at once\n", Starts(), shown, ended);
  }
}

TEST_F(Soak, StartsClosedByAClickOutsideLeaveNoViewer) {
  for (int i = 0; i < Starts(); ++i) {
    HWND window = nullptr;
    const std::unique_ptr<TProcess> viewer = Click(&window);
    ASSERT_NE(window, nullptr) << "start " << i;
    ClickAt(::GetDesktopWindow(), {5, 5});
    ASSERT_TRUE(viewer->WaitForExit()) << "start " << i;
    EXPECT_EQ(viewer->ExitCode(), 0u);
  }
  EXPECT_TRUE(NothingLeft());
}

// A leak grows the memory with every round trip, in both halves of the
// measured ones; the system's thread pool may add a thread (and its stack)
// once, in one of them.
TEST_F(Soak, BrowsingBackAndForthDoesNotGrowMemory) {
  HWND window = nullptr;
  const std::unique_ptr<TProcess> viewer = Click(&window);
  ASSERT_NE(window, nullptr);
  const int warmUp = 10, middle = warmUp + (RoundTrips() - warmUp) / 2;
  struct {
    SIZE_T Bytes = 0;
    int Threads = 0;
  } at[3];
  const auto measure = [&](int index) { at[index] = {PrivateBytes(viewer->Handle()), ThreadsOf(viewer->Id())}; };
  for (int i = 0; i < RoundTrips(); ++i) {
    ClickEntry(window, 0);  // into Inner
    ASSERT_TRUE(WaitUntil([&] { return WindowText(window) == L"Inner"; }) && WaitForViewAtRest(window)) << i;
    ClickEntry(window, 0);  // go back
    ASSERT_TRUE(WaitUntil([&] { return WindowText(window) == L"Soaked"; }) && WaitForViewAtRest(window)) << i;
    if (i + 1 == warmUp) measure(0);
    if (i + 1 == middle) measure(1);
  }
  measure(2);
  ASSERT_GT(at[0].Bytes, 0u);
  ASSERT_GT(at[1].Bytes, 0u);
  const double first = static_cast<double>(at[1].Bytes) / static_cast<double>(at[0].Bytes);
  const double second = static_cast<double>(at[2].Bytes) / static_cast<double>(at[1].Bytes);
  // SIZE_T is unsigned long on i686 and unsigned long long on x86_64.
  std::printf(
      "soak: %d round trips, private bytes %llu KB after %d (%d threads), %llu KB after %d (%d threads), "
      "%llu KB at the end (%d threads)\n",
      RoundTrips(), static_cast<unsigned long long>(at[0].Bytes / 1024), warmUp, at[0].Threads,
      static_cast<unsigned long long>(at[1].Bytes / 1024), middle, at[1].Threads,
      static_cast<unsigned long long>(at[2].Bytes / 1024), at[2].Threads);
  EXPECT_LT(std::min(first, second), 1.025) << "memory grows while browsing: " << first << "x, then " << second << "x";
  PressKey(window, VK_ESCAPE, 27);
  EXPECT_TRUE(viewer->WaitForExit());
}

}  // namespace
