// Waiting for a condition with a deadline, handling the test thread's own
// window messages meanwhile (answers from other processes may be sent to it).
#pragma once

#include <windows.h>

#include <functional>

inline bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = 15000) {
  const DWORD start = ::GetTickCount();
  while (!condition()) {
    if (::GetTickCount() - start > milliseconds) return false;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  return true;
}
