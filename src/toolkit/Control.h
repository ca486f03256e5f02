// The base of the native controls: each object owns its HWND, subclasses it
// to see its own messages, and raises its events from the notifications its
// parent form hands back through ReflectNotification.
//
// Controls are placed in design units, the pixels of a 96-DPI screen, relative
// to their parent; inside a form that lays itself out for its monitor's DPI
// (see TFormWindow) they are created, and placed again, at that DPI.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "shared/ScopedWin.h"

using TNotifyEvent = std::function<void()>;

class TControl {
public:
  TControl() = default;
  virtual ~TControl() = default;
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  HWND Handle() const { return window_.Get(); }
  // The control identifier (the window's GWLP_ID); every control starts with
  // one of its own.
  void SetId(int id);

  void SetText(const std::wstring& text);
  std::wstring Text() const;
  void SetEnabled(bool enabled);
  bool Enabled() const;
  void SetVisible(bool visible);
  bool Visible() const;
  // The font is not owned; it must outlive the control.
  void SetFont(HFONT font);
  HFONT Font() const { return font_; }  // the font last given to SetFont
  // Moves the control, in design units relative to its parent.
  void SetBounds(int x, int y, int width, int height);
  // The DPI the control's form lays it out for.
  int Dpi() const;
  // Places the control for a DPI from its design rectangle; the forms call it
  // for every control when their DPI changes.
  virtual void ApplyDpi(int dpi);
  // The control is placed by its parent control, not from a design rectangle.
  void SetPlacedByParent() { placedByParent_ = true; }
  // The control starts a group for the dialog manager: Tab stops at groups,
  // the arrow keys move within one, and radio buttons exclude each other in one.
  void SetGroupStart();

  // A form passes WM_COMMAND, WM_NOTIFY and the WM_CTLCOLOR* messages here
  // first: when they come from a toolkit control, that control handles them
  // and this gives true with the message's result.
  static bool ReflectNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The messages above: what a control tells its parent.
  static bool IsNotification(UINT message);
  // The toolkit control of a window of this thread, or null.
  static TControl* FromHandle(HWND window);

protected:
  // x, y, width and height in design units.
  void CreateControl(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle, int x,
                     int y, int width, int height);
  // Hands the font to the control's window (and to its parts).
  virtual void ApplyFont(HFONT font);
  // A notification code of WM_COMMAND from this control; true when handled.
  virtual bool OnCommand(WORD code);
  // WM_CTLCOLOR* for this control; true when result holds a brush.
  virtual bool OnControlColor(HDC dc, LRESULT& result);
  // WM_NOTIFY from this control; true when handled, with the result.
  virtual bool OnNotify(const NMHDR& header, LPARAM lParam, LRESULT& result);
  // The control's own messages, before its class sees them.
  virtual LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultControlMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data);
  TOwnedWindow window_;
  HFONT font_ = nullptr;
  RECT design_ = {};
  bool placedByParent_ = false;
};

// The DPI that the form holding a window lays its controls out for: the
// design DPI outside such a form.
int LayoutDpiOf(HWND window);
// Marks a top-level window as laid out for a DPI (TFormWindow does); 0 removes
// the mark.
void SetLayoutDpi(HWND form, int dpi);
// A rectangle of design units at a DPI: its edges are scaled, so controls
// that meet at 96 DPI meet at every DPI.
RECT ScaleRectForDpi(int x, int y, int width, int height, int dpi);
