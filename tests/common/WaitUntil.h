// The one way the Windows tests wait: for a condition, with a deadline. The
// test thread's own window messages are handled meanwhile, since answers from
// other processes may be sent to it and its own windows must stay responsive.
#pragma once

#include <windows.h>

#include <functional>

// How long a test waits for something that should happen.
constexpr DWORD kWaitTimeout = 15000;
// How long the thread rests between two polls unless a message arrives.
constexpr DWORD kPollPause = 20;

// Polls condition until it holds or milliseconds have passed, and gives the
// last answer: at the deadline the condition is asked once more. A caller
// that samples something fast (a sliding window) passes a shorter pause.
inline bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = kWaitTimeout,
                      DWORD pollPause = kPollPause) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount() - start >= milliseconds) return condition();
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, pollPause, QS_ALLINPUT);
  }
}
