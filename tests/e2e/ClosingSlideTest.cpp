// The closing slide waits for its clock instead of spinning: while a stack
// sinks back into the taskbar the viewer uses a small part of one core.
//
// The processor time is the sum over the viewer's threads (GetThreadTimes):
// Wine reports a process's own total for another process as a small figure
// that never changes. The measurement is checked first against a thread of
// this test that spins, so a broken measurement cannot pass the test.
#include <windows.h>

#include <tlhelp32.h>  // after windows.h

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "E2eFixture.h"
#include "E2eHarness.h"
#include "core/viewer/Placement.h"

using namespace e2e;

namespace {

// The threads of a process as they are at construction, kept open so that a
// thread that ends keeps its totals.
class TThreadClock {
public:
  explicit TThreadClock(DWORD processId) {
    const THandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Thread32First(snapshot.Get(), &entry); more; more = ::Thread32Next(snapshot.Get(), &entry)) {
      if (entry.th32OwnerProcessID != processId) continue;
      THandle thread(::OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID));
      if (thread) threads_.push_back(std::move(thread));
    }
  }
  std::size_t Threads() const { return threads_.size(); }
  // Kernel and user time of the threads so far, in milliseconds.
  double BusyMilliseconds() const {
    ULONGLONG units = 0;
    for (const THandle& thread : threads_) {
      FILETIME created, ended, kernel, user;
      if (!::GetThreadTimes(thread.Get(), &created, &ended, &kernel, &user)) continue;
      units += (ULONGLONG(kernel.dwHighDateTime) << 32 | kernel.dwLowDateTime) +
               (ULONGLONG(user.dwHighDateTime) << 32 | user.dwLowDateTime);
    }
    return static_cast<double>(units) / 10000.0;
  }

private:
  std::vector<THandle> threads_;
};

double NowMilliseconds() {
  LARGE_INTEGER frequency, counter;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// A share of one core: processor time over wall time, summed over runs.
struct TShare {
  double Busy = 0;
  double Wall = 0;
  double Cores() const { return Wall > 0 ? Busy / Wall : 0; }
};

constexpr int kSlides = 4;
constexpr double kSlideMilliseconds = 150;

class ClosingSlide : public TViewerTest {
protected:
  TScratchFolder folder_{L"Closing"};

  ClosingSlide() : TViewerTest(TAnimation::On) {
    for (const wchar_t* name : {L"one.txt", L"two.txt", L"three.txt"}) folder_.Add(name);
  }
};

}  // namespace

TEST_F(ClosingSlide, TheMeasurementSeesASpinningThreadAsAboutOneCore) {
  std::atomic<bool> started{false}, spinning{true}, measured{false};
  double spun = 0;
  std::thread spinner([&] {
    started = true;
    const double start = NowMilliseconds();
    while (NowMilliseconds() - start < 4 * kSlideMilliseconds) {}
    spun = NowMilliseconds() - start;
    spinning = false;
    // Wine forgets an ended thread's times: the thread lives until they are read.
    while (!measured) std::this_thread::yield();
  });
  while (!started) std::this_thread::yield();
  const TThreadClock clock(::GetCurrentProcessId());
  const double busyBefore = clock.BusyMilliseconds();
  const double wallBefore = NowMilliseconds();
  while (spinning) std::this_thread::yield();
  TShare share{clock.BusyMilliseconds() - busyBefore, NowMilliseconds() - wallBefore};
  measured = true;
  spinner.join();
  ASSERT_GE(spun, 4 * kSlideMilliseconds);
  EXPECT_GT(share.Cores(), 0.6) << share.Busy << " ms busy in " << share.Wall << " ms";
}

TEST_F(ClosingSlide, TheViewerUsesLessThanAQuarterOfACoreWhileTheStackSinks) {
  ASSERT_EQ(WaitForTaskbarEdge(), kEdgeBottom);
  TShare share;
  for (int run = 0; run < kSlides; ++run) {
    MoveCursor({600, 1000});
    TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder_.Path()));
    const HWND window = WaitForWindow(viewer.Id(), kTimeout);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForViewAtRest(window));
    ASSERT_TRUE(Sync(window));
    const TThreadClock clock(viewer.Id());
    ASSERT_GT(clock.Threads(), 0u);
    const double busyBefore = clock.BusyMilliseconds();
    const double wallBefore = NowMilliseconds();
    PressKey(window, VK_ESCAPE, 27);
    // The slide ends with its last frame, at opacity 0; the window goes
    // later. Polled every few milliseconds without spinning: a spinning test
    // would take the processor from the viewer it measures.
    double busy = 0, wall = 0;
    for (;;) {
      busy = clock.BusyMilliseconds() - busyBefore;
      wall = NowMilliseconds() - wallBefore;
      const TWindowFacts facts = ReadWindowFacts(window);
      if (!facts.Visible || facts.Alpha == 0 || wall > kTimeout) break;
      ::Sleep(2);
    }
    ASSERT_LT(wall, kTimeout) << "the slide did not end";
    ASSERT_TRUE(viewer.WaitForExit());
    EXPECT_GE(wall, kSlideMilliseconds - 20) << "the stack slid before it closed";
    share.Busy += busy;
    share.Wall += wall;
    std::printf("slide %d: %.1f ms busy in %.1f ms\n", run + 1, busy, wall);
  }
  EXPECT_LT(share.Cores(), 0.25) << share.Busy << " ms busy in " << share.Wall << " ms of " << kSlides << " slides";
}
