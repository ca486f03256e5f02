// The application object: its title, the default error report and the
// message loop that both programs run.
#pragma once

#include <windows.h>

#include <string>

class TWindow;

class TApplication {
public:
  static TApplication& Instance();

  void SetTitle(std::wstring title) { title_ = std::move(title); }
  const std::wstring& Title() const { return title_; }

  // The default error report: a message box with the error's text, titled
  // with the application title. The program goes on afterwards.
  void ShowError(const std::wstring& message, HWND owner = nullptr) const;
  // Reports the exception in flight, whatever it is (call only from a catch
  // block; it never throws).
  void HandleCurrentException(HWND owner = nullptr) const;
  // Starts COM for the program's thread; false after reporting why it could not.
  bool StartCom(const class TComInit& com) const;
  // True while one of the application's own message boxes is up: a window
  // losing activation to it has not lost the user's attention.
  bool ShowingMessage() const { return messageDepth_ > 0; }

  // Key presses of every window of the thread reach this window first, so a
  // form sees Esc whichever of its controls has the focus.
  void SetKeyPreview(TWindow* window) { keyPreview_ = window; }
  // Keyboard navigation of a dialog-like window: Tab and Shift+Tab between its
  // controls, Enter for its default button, Esc as IDCANCEL.
  void SetDialogWindow(HWND window) { dialogWindow_ = window; }

  // Runs the message loop until Terminate (or WM_QUIT); returns the exit code.
  int Run();
  void Terminate(int exitCode = 0);
  bool Terminated() const { return terminated_; }

private:
  TApplication() = default;
  std::wstring title_;
  TWindow* keyPreview_ = nullptr;
  HWND dialogWindow_ = nullptr;
  bool terminated_ = false;
  mutable int messageDepth_ = 0;
  int exitCode_ = 0;
};
