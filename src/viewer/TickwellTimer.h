// TTickwellTimer: a periodic tick from a multimedia timer, raised on a thread
// of its own. The multimedia timer only sets an auto-reset event; the tick
// thread waits for it and raises OnTimer, so ticks that come while OnTimer
// still runs merge into one. At most one clock is enabled per process.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdint>
#include <functional>

#include "core/base/Errors.h"
#include "shared/ScopedWin.h"

// A multimedia timer event (timeSetEvent), killed with timeKillEvent; 0 is
// none.
using TMultimediaTimer = TScopedHandle<UINT, &::timeKillEvent, 0>;

class ETickwellTimer : public EError {
public:
  ETickwellTimer() : EError(L"Tickwell timer creation error.") {}
};

class TTickwellTimer {
public:
  TTickwellTimer();
  ~TTickwellTimer();  // disables the clock
  TTickwellTimer(const TTickwellTimer&) = delete;
  TTickwellTimer& operator=(const TTickwellTimer&) = delete;

  // Enabling starts the multimedia timer and the tick thread; it throws
  // ETickwellTimer when the timer cannot be started, or while another clock
  // of the process is enabled, and the clock stays disabled. Disabling stops
  // both: once it has returned no OnTimer is raised, and a tick may disable
  // its own clock (its thread then ends as that tick returns).
  void SetEnabled(bool enabled);
  bool Enabled() const noexcept { return enabled_; }

  std::uint32_t Delay = 100;            // milliseconds between ticks
  std::uint32_t Resolution = 10;        // accuracy asked of the multimedia timer, milliseconds
  void SetTimerPriority(int priority);  // a thread priority (THREAD_PRIORITY_NORMAL by default)
  int TimerPriority() const noexcept { return priority_; }
  // Raised on the tick thread: it must not touch windows of other threads
  // except by posting to them.
  std::function<void()> OnTimer;

  // The number of the last tick since enabling, and Delay summed over them.
  std::uint32_t TickNumber() const noexcept { return ticks_; }
  std::uint64_t ElapsedMilliseconds() const noexcept { return elapsed_; }

private:
  static DWORD WINAPI ThreadMain(void* self);
  void Run();
  void Stop();
  void WaitForFinishedThread();

  THandle tickEvent_;  // auto-reset, set by the multimedia timer
  THandle stopEvent_;  // manual-reset, set to end the tick thread
  THandle thread_;
  DWORD threadId_ = 0;
  int priority_ = THREAD_PRIORITY_NORMAL;
  std::atomic<bool> enabled_{false};
  std::atomic<std::uint32_t> ticks_{0};
  std::atomic<std::uint64_t> elapsed_{0};
  TMultimediaTimer timer_;  // last, so that it is killed before the events close
};
