// The application object: its title, the default error report and the
// message loop that both programs run.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TWindow;

class TApplication {
public:
  static TApplication& Instance();

  void SetTitle(std::wstring title) { title_ = std::move(title); }
  const std::wstring& Title() const { return title_; }

  // The default error report: a message box with the error's text, titled
  // with the application title. The program goes on afterwards.
  void ShowError(const std::wstring& message, HWND owner = nullptr) const;
  // A program's own message box for that report (the system's box serves
  // when none is set, or when the program's own fails).
  using TErrorReport = std::function<void(const std::wstring& message)>;
  void SetErrorReport(TErrorReport report) { errorReport_ = std::move(report); }
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
  // Keyboard navigation of dialog-like windows: Tab and Shift+Tab between
  // their controls, Enter for the default button, Esc as IDCANCEL. The open
  // dialogs form a stack; keys go to the topmost (the last pushed that is
  // still a window).
  void PushDialog(HWND window) { dialogs_.push_back(window); }
  void PopDialog(HWND window);

  // Runs the message loop until Terminate (or WM_QUIT); returns the exit code.
  int Run();
  // A nested loop for a modal window: runs until done() holds, Terminate is
  // called or WM_QUIT arrives (which is posted again for the outer loop).
  void RunModal(const std::function<bool()>& done);
  void Terminate(int exitCode = 0);
  bool Terminated() const { return terminated_; }

private:
  TApplication() = default;
  std::wstring title_;
  // Hands one message to the key preview, the topmost dialog or its window.
  void ProcessMessage(MSG& msg);
  TWindow* keyPreview_ = nullptr;
  std::vector<HWND> dialogs_;
  TErrorReport errorReport_;
  bool terminated_ = false;
  mutable int messageDepth_ = 0;
  int exitCode_ = 0;
};
