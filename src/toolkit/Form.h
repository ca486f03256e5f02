// TForm: a dialog window shown modally and freed after one showing. While it
// shows, the other windows of the thread are disabled and keys go to it (Tab
// and Shift+Tab between its controls, Enter for the default button, Esc and
// the close box for the Cancel result); ShowModal returns its modal result.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/base/DesktopRules.h"
#include "core/base/Dpi.h"
#include "shared/ScopedWin.h"
#include "toolkit/Controls.h"
#include "toolkit/Window.h"

// A top-level window laid out in design units (the pixels of a 96-DPI screen)
// and shown at the DPI of its monitor: its client size, its controls and its
// fonts are scaled to that DPI, and scaled again when the window moves to a
// monitor of another DPI.
class TFormWindow : public TWindow {
public:
  int Dpi() const { return dpi_; }
  // A length in design units at the form's DPI.
  int Scaled(int designValue) const { return ScaleForDpi(designValue, dpi_); }

  // The client area's size, in design units.
  void SetClientSize(int designWidth, int designHeight);
  // A font of the description at the form's DPI, owned by the form. When the
  // DPI changes it is made again, and the controls showing it get the new one.
  HFONT FormFont(const TFontDescription& description);
  // Gives the form and every toolkit control in it the font (not owned).
  void SetControlsFont(HFONT font);

  // Centres the form on a window (its outer rectangles), or on a rectangle,
  // at the DPI of the monitor there.
  void CentreOn(HWND window);
  void CentreOn(const RECT& area);
  // Lays the form out for a DPI: client size, controls, fonts, then DpiChanged.
  void ApplyDpi(int dpi);

protected:
  // Creates the window at (0, 0) with a client area of that design size at
  // the DPI of the monitor it starts on.
  void CreateFormHandle(DWORD exStyle, const wchar_t* className, const std::wstring& caption, DWORD style,
                        int clientWidth, int clientHeight, HWND owner);
  // Called after the form was laid out for a new DPI: the form redoes what it
  // places or draws itself (image lists, pictures, computed layouts).
  virtual void DpiChanged() {}
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  SIZE OuterSizeAt(int dpi) const;
  // Corrects the outer size until the client area has its size at the DPI.
  void FitClient();
  int dpi_ = kDesignDpi;
  SIZE designClient_ = {};
  DWORD style_ = 0;
  DWORD exStyle_ = 0;
  struct TFormFont {
    TFontDescription Description;
    TFont Font;
  };
  std::vector<std::unique_ptr<TFormFont>> fonts_;
};

class TForm : public TFormWindow {
public:
  // A fixed dialog frame with the system menu and a client area of that size
  // (in design units), at (0, 0) until placed. A form without a visible owner
  // gets a taskbar button of its own.
  void CreateForm(HWND owner, const wchar_t* className, const std::wstring& caption, int clientWidth, int clientHeight);

  // Shows the form, runs its loop until a modal result is set, then destroys
  // the window and gives the result.
  int ShowModal();
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }

  // The button Enter presses, and the control focused when the form shows.
  void SetDefaultButton(TButton& button);
  void SetFocusControl(HWND control) { focus_ = control; }

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
