#include "toolkit/SimpleTimer.h"

namespace {

constexpr UINT_PTR kTimerId = 1;
const wchar_t kTimerClass[] = L"THeapfoldSimpleTimer";

}  // namespace

TSimpleTimer::~TSimpleTimer() {
  if (Handle()) ::KillTimer(Handle(), kTimerId);
}

void TSimpleTimer::SetInterval(UINT milliseconds) {
  interval_ = milliseconds;
  Apply();
}

void TSimpleTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Apply();
}

void TSimpleTimer::Apply() {
  if (!Handle()) {
    if (!enabled_) return;
    TWindow::RegisterWindowClass(kTimerClass, nullptr);
    CreateHandle(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE);
  }
  // Setting a timer again replaces it, so its interval starts afresh.
  ::KillTimer(Handle(), kTimerId);
  if (enabled_ && interval_ > 0) ::SetTimer(Handle(), kTimerId, interval_, nullptr);
}

LRESULT TSimpleTimer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTimerId) {
    if (OnTimer) OnTimer();
    return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}
