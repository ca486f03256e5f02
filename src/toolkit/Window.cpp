#include "toolkit/Window.h"

#include "core/base/Errors.h"
#include "toolkit/Application.h"

TWindow::~TWindow() { DestroyHandle(); }

void TWindow::RegisterWindowClass(const wchar_t* className, HBRUSH background, HICON icon) {
  WNDCLASSEXW wc = {};
  if (::GetClassInfoExW(::GetModuleHandleW(nullptr), className, &wc)) return;
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &TWindow::WindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.hIcon = icon;
  wc.lpszClassName = className;
  if (!::RegisterClassExW(&wc)) throw EError(L"Cannot register the window class.");
}

void TWindow::CreateHandle(DWORD exStyle, const wchar_t* className, const std::wstring& caption, DWORD style, int x,
                           int y, int width, int height, HWND parent) {
  DestroyHandle();
  ::CreateWindowExW(exStyle, className, caption.c_str(), style, x, y, width, height, parent, nullptr,
                    ::GetModuleHandleW(nullptr), this);
  if (!hwnd_) throw EError(L"Cannot create the window.");
}

void TWindow::DestroyHandle() {
  if (hwnd_) ::DestroyWindow(hwnd_);  // WM_NCDESTROY clears hwnd_
}

bool TWindow::PreviewKey(const MSG&) { return false; }

LRESULT TWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(message, wParam, lParam);
}

LRESULT TWindow::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK TWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  TWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    self = static_cast<TWindow*>(cs->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<TWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);

  LRESULT result = 0;
  try {
    result = self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    TApplication::Instance().HandleCurrentException(hwnd);
    result = ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle) {
  RECT r = {0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return {r.right - r.left, r.bottom - r.top};
}
