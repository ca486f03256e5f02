// TForm: a dialog window shown modally and freed after one showing. While it
// shows, the other windows of the thread are disabled and keys go to it (Tab
// and Shift+Tab between its controls, Enter for the default button, Esc and
// the close box for the Cancel result); ShowModal returns its modal result.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/Controls.h"
#include "toolkit/Window.h"

class TForm : public TWindow {
public:
  // A fixed dialog frame with the system menu and a client area of that size,
  // at (0, 0) until placed. A form without a visible owner gets a taskbar
  // button of its own.
  void CreateForm(HWND owner, const wchar_t* className, const std::wstring& caption, int clientWidth,
                  int clientHeight);

  // Shows the form, runs its loop until a modal result is set, then destroys
  // the window and gives the result.
  int ShowModal();
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }

  // The button Enter presses, and the control focused when the form shows.
  void SetDefaultButton(TButton& button);
  void SetFocusControl(HWND control) { focus_ = control; }

  // Centres the form on a window (its outer rectangles), or on a rectangle.
  void CentreOn(HWND window);
  void CentreOn(const RECT& area);

  // Gives every toolkit control of the form the font (not owned).
  void SetControlsFont(HFONT font);

protected:
  // Called after the window is shown, before its loop runs.
  virtual void FormShow() {}
  // Called when the loop has ended, while the controls still exist.
  virtual void FormClose() {}
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  int modalResult_ = 0;
  HWND defaultButton_ = nullptr;
  HWND focus_ = nullptr;
};
