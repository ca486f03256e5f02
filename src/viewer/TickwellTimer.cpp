#include "viewer/TickwellTimer.h"

namespace {

// The one enabled clock of the process, if any.
std::atomic<TTickwellTimer*> enabledClock{nullptr};

}  // namespace

TTickwellTimer::TTickwellTimer()
    : tickEvent_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      stopEvent_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

TTickwellTimer::~TTickwellTimer() {
  Stop();
  WaitForFinishedThread();
}

void TTickwellTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  if (!enabled) {
    Stop();
    // From another thread, the tick thread has ended when this returns; from
    // within a tick it ends as that tick returns, and a later enabling or the
    // destructor waits for it.
    if (::GetCurrentThreadId() != threadId_) WaitForFinishedThread();
    return;
  }
  WaitForFinishedThread();
  TTickwellTimer* none = nullptr;
  if (!tickEvent_ || !stopEvent_ || !enabledClock.compare_exchange_strong(none, this)) throw ETickwellTimer();
  ::ResetEvent(stopEvent_.Get());
  ::ResetEvent(tickEvent_.Get());
  ticks_ = 0;
  elapsed_ = 0;
  thread_.Reset(::CreateThread(nullptr, 0, ThreadMain, this, CREATE_SUSPENDED, &threadId_));
  if (thread_) {
    ::SetThreadPriority(thread_.Get(), priority_);
    timer_.Reset(::timeSetEvent(Delay, Resolution, reinterpret_cast<LPTIMECALLBACK>(tickEvent_.Get()), 0,
                                TIME_PERIODIC | TIME_CALLBACK_EVENT_SET));
  }
  if (!thread_ || !timer_) {
    if (thread_) {
      ::SetEvent(stopEvent_.Get());
      ::ResumeThread(thread_.Get());
      ::WaitForSingleObject(thread_.Get(), INFINITE);
      thread_.Reset();
    }
    threadId_ = 0;
    enabledClock = nullptr;
    throw ETickwellTimer();
  }
  enabled_ = true;
  ::ResumeThread(thread_.Get());
}

void TTickwellTimer::SetTimerPriority(int priority) {
  priority_ = priority;
  if (enabled_ && thread_) ::SetThreadPriority(thread_.Get(), priority);
}

void TTickwellTimer::Stop() {
  if (!enabled_) return;
  timer_.Reset();
  ::SetEvent(stopEvent_.Get());
  enabledClock = nullptr;
  // Disabled only once the clock has let go of the process's one slot: a
  // thread that sees it disabled may enable a clock at once. (A tick that
  // disabled its own clock used to report it disabled while timeKillEvent
  // still ran, and enabling again then failed.)
  enabled_ = false;
}

void TTickwellTimer::WaitForFinishedThread() {
  if (!thread_) return;
  if (::GetCurrentThreadId() != threadId_) ::WaitForSingleObject(thread_.Get(), INFINITE);
  thread_.Reset();
  threadId_ = 0;
}

DWORD WINAPI TTickwellTimer::ThreadMain(void* self) {
  static_cast<TTickwellTimer*>(self)->Run();
  return 0;
}

void TTickwellTimer::Run() {
  const HANDLE events[] = {stopEvent_.Get(), tickEvent_.Get()};
  for (;;) {
    // The stop event comes first, so a stop wins over a pending tick.
    if (::WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return;
    ++ticks_;
    elapsed_ += Delay;
    if (OnTimer) OnTimer();
    if (!enabled_) return;  // the tick disabled its clock
  }
}
