// Native controls wrapped thinly: each object owns its HWND, subclasses it to
// see its own messages, and raises its events from the notifications its
// parent form hands back through ReflectNotification. Also the small pieces
// the forms build with them: one tooltip control for all hints, an owned image
// list and a plain window-message timer.
//
// Controls are placed in design units, the pixels of a 96-DPI screen, relative
// to their parent; inside a form that lays itself out for its monitor's DPI
// (see TFormWindow) they are created, and placed again, at that DPI.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/raster/Bitmap32.h"
#include "shared/ScopedWin.h"
#include "toolkit/Window.h"

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

class TLabel : public TControl {
public:
  void Create(HWND parent, const std::wstring& text, int x, int y, int width, int height);
};

class TButton : public TControl {
public:
  // The default button is the one Enter presses.
  void Create(HWND parent, const std::wstring& text, int x, int y, int width, int height, bool isDefault = false);
  // Raised after a click, Space or Enter on the focused button, or BM_CLICK.
  TNotifyEvent OnClick;

protected:
  bool OnCommand(WORD code) override;
};

// A square push button showing one image of an image list instead of text.
class TImageButton : public TButton {
public:
  void Create(HWND parent, int x, int y, int width, int height);
  void SetImage(HIMAGELIST images, int index);

private:
  TIcon icon_;
};

class TCheckBox : public TControl {
public:
  void Create(HWND parent, const std::wstring& text, int x, int y, int width, int height);
  bool Checked() const;
  void SetChecked(bool checked);
};

// A radio button; the buttons of one group (see SetGroupStart) exclude each other.
class TRadioButton : public TCheckBox {
public:
  void Create(HWND parent, const std::wstring& text, int x, int y, int width, int height);
};

// A push button with an image of an image list before its caption.
class TBitButton : public TButton {
public:
  // The image list is copied from; it need not outlive the button.
  void SetImage(HIMAGELIST images, int index);

private:
  TImageListHandle image_;
};

// A drop-down list without free text.
class TComboBox : public TControl {
public:
  // dropDownHeight: the height of the control with its list open.
  void Create(HWND parent, int x, int y, int width, int dropDownHeight);
  void AddItem(const std::wstring& text);
  int ItemIndex() const;  // -1 when nothing is selected
  void SetItemIndex(int index);
};

class TEdit : public TControl {
public:
  void Create(HWND parent, int x, int y, int width, int height);
  TNotifyEvent OnChange;
  // A typed character before the edit takes it; set it to 0 to refuse it.
  // Pasted text does not pass here.
  std::function<void(wchar_t& key)> OnKeyPress;

protected:
  bool OnCommand(WORD code) override;
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// An edit field with push buttons docked at its right edge inside it. The
// text keeps clear of them through the edit's right margin.
class TButtonEdit : public TEdit {
public:
  // Buttons are laid out from the right edge leftwards in the order added.
  TButton& AddButton(const std::wstring& caption, int width);
  const std::vector<std::unique_ptr<TButton>>& Buttons() const { return buttons_; }

protected:
  void ApplyFont(HFONT font) override;
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void LayOutButtons();
  std::vector<std::unique_ptr<TButton>> buttons_;
  std::vector<int> widths_;  // design units
};

// A text that acts as a web link: blue, underlined, a hand cursor, a click
// event.
class TLinkLabel : public TControl {
public:
  void Create(HWND parent, const std::wstring& text, int x, int y, int width, int height, bool centred = true);
  TNotifyEvent OnClick;

protected:
  // Takes the font's name and size; the link keeps its own colour and underline.
  void ApplyFont(HFONT font) override;
  bool OnCommand(WORD code) override;
  bool OnControlColor(HDC dc, LRESULT& result) override;
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  TFont underlined_;
};

// A picture: an icon at its own size.
class TIconImage : public TControl {
public:
  void Create(HWND parent, int x, int y, int width, int height);
  // Takes the icon; it is destroyed with the control's object.
  void SetIcon(TIcon icon);

private:
  TIcon icon_;
};

class TGroupBox : public TControl {
public:
  void Create(HWND parent, const std::wstring& text, int x, int y, int width, int height);
};

// Tabs over pages: each page is a window of the dialog's colour over the
// tabs' display area, whose controls are its children and are placed
// relative to it. Their notifications go on to the form. Only the selected
// page shows.
class TTabControl : public TControl {
public:
  TTabControl();
  ~TTabControl() override;
  void Create(HWND parent, int x, int y, int width, int height);
  // Adds a tab and its page; gives the tab's index.
  int AddTab(const std::wstring& caption);
  // The page window of a tab: the parent for its controls.
  HWND Page(int tab) const;
  int SelectedTab() const;
  void SelectTab(int tab);
  void ApplyDpi(int dpi) override;
  TNotifyEvent OnChange;

protected:
  bool OnNotify(const NMHDR& header, LPARAM lParam, LRESULT& result) override;

private:
  void ShowPage();
  // The pages' rectangle in the parent: the tabs' display area.
  RECT PageArea() const;
  class TPage;
  std::vector<std::unique_ptr<TPage>> pages_;
};

// A double-buffered paint box over a 32-bit image: OnPaintBuffer draws into a
// buffer of the box's size, which is then copied to the screen in one piece.
class TPaintBox32 : public TControl {
public:
  void Create(HWND parent, int x, int y, int width, int height);
  std::function<void(TBitmap32& buffer)> OnPaintBuffer;
  // Draws the buffer anew on the next paint.
  void Invalidate();

protected:
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// One tooltip control that shows the hints of any number of windows.
class TToolTips {
public:
  void Create(HWND owner);
  void Add(HWND tool, const std::wstring& hint);
  HWND Handle() const { return window_.Get(); }

private:
  TOwnedWindow window_;
};

// An image list of our own (not one of the system's shared lists).
class TImageList {
public:
  void Create(int width, int height, UINT flags, int initial);
  void Reset() { handle_.Reset(); }
  HIMAGELIST Handle() const { return handle_.Get(); }
  int Count() const;

private:
  TImageListHandle handle_;
};

// A window-message timer on a hidden window of its own: an interval, an
// enabled switch and one handler. Disabling and enabling it again restarts the
// interval.
class TSimpleTimer : public TWindow {
public:
  ~TSimpleTimer() override;
  void SetInterval(UINT milliseconds);
  UINT Interval() const { return interval_; }
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  TNotifyEvent OnTimer;

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void Apply();
  UINT interval_ = 1000;
  bool enabled_ = false;
};
