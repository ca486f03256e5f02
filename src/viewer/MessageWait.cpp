#include "viewer/MessageWait.h"

bool HandleMessagesUntil(HWND window, const std::function<bool()>& done) {
  while (!done()) {
    MSG msg;
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop
      return false;
    }
    if (got < 0) return false;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    if (!::IsWindow(window)) return false;
  }
  return true;
}
