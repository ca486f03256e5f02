// Base of every window of the toolkit: one window procedure for all, the
// object attached on WM_NCCREATE and detached on WM_NCDESTROY, messages handed
// to a virtual handler. Errors escaping a handler are reported by the
// application and the message gets its default handling.
#pragma once

#include <windows.h>

#include <string>

class TWindow {
public:
  TWindow() = default;
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  HWND Handle() const { return hwnd_; }

  // Registers (once) a window class with the toolkit's procedure.
  static void RegisterWindowClass(const wchar_t* className, HBRUSH background, HICON icon = nullptr);

  void CreateHandle(DWORD exStyle, const wchar_t* className, const std::wstring& caption, DWORD style, int x, int y,
                    int width, int height, HWND parent = nullptr);
  void DestroyHandle();

  // Called by the application's message loop for key messages of this window
  // and its children; true when the message was handled.
  virtual bool PreviewKey(const MSG& msg);

protected:
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

// Frame and size helpers shared by the forms.
SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle);
