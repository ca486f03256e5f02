// The floor of any program that shows shell icons, for the start-up
// benchmark: it initialises COM, asks the shell for one icon through the
// system image list and shows a window. With "/plain" it only creates and
// shows the window. It ends when its window is closed.
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <cwchar>
#include <memory>

#include "shared/ScopedWin.h"

namespace {

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  const bool plain = std::wcsstr(commandLine, L"/plain") != nullptr;
  std::unique_ptr<TComInit> com;
  if (!plain) {
    com = std::make_unique<TComInit>();
    SHFILEINFOW info = {};
    ::SHGetFileInfoW(L"C:\\windows\\notepad.exe", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_LARGEICON);
  }
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = FloorProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = L"THeapFloor";
  ::RegisterClassW(&windowClass);
  const HWND window = ::CreateWindowExW(WS_EX_TOPMOST, L"THeapFloor", L"Floor", WS_POPUP | WS_CAPTION, 100, 100, 300,
                                        200, nullptr, nullptr, instance, nullptr);
  ::ShowWindow(window, SW_SHOW);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
