#include "toolkit/Controls.h"

#include "core/base/Dpi.h"
#include "core/base/Errors.h"
#include "shared/DeviceBitmap.h"
#include "toolkit/Application.h"

namespace {

constexpr UINT_PTR kSubclassId = 0x48465443;
// The window property that leads from a control's window to its object.
const wchar_t kControlProperty[] = L"HeapfoldControl";
constexpr UINT_PTR kTimerId = 1;
const wchar_t kTimerClass[] = L"THeapfoldSimpleTimer";
const COLORREF kLinkColor = RGB(0, 0, 255);
// The window property of a form that holds the DPI it lays its controls out for.
const wchar_t kLayoutDpiProperty[] = L"HeapfoldLayoutDpi";

// Every control gets an identifier of its own: the dialog manager finds the
// default button by it.
HMENU NextControlId() {
  static int next = 1000;
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(next++));
}

// The text font behind a font handle, for fonts derived from it.
LOGFONTW FontDescription(HFONT font) {
  LOGFONTW description = {};
  if (!font || !::GetObjectW(font, sizeof(description), &description)) {
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(description), &description);
  }
  return description;
}

}  // namespace

int LayoutDpiOf(HWND window) {
  const HWND root = window ? ::GetAncestor(window, GA_ROOT) : nullptr;
  const auto dpi = root ? reinterpret_cast<INT_PTR>(::GetPropW(root, kLayoutDpiProperty)) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : kDesignDpi;
}

void SetLayoutDpi(HWND form, int dpi) {
  if (dpi <= 0) {
    ::RemovePropW(form, kLayoutDpiProperty);
    return;
  }
  ::SetPropW(form, kLayoutDpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
}

RECT ScaleRectForDpi(int x, int y, int width, int height, int dpi) {
  return {ScaleForDpi(x, dpi), ScaleForDpi(y, dpi), ScaleForDpi(x + width, dpi), ScaleForDpi(y + height, dpi)};
}

// TControl

void TControl::CreateControl(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style,
                             DWORD exStyle, int x, int y, int width, int height) {
  design_ = {x, y, x + width, y + height};
  const RECT r = ScaleRectForDpi(x, y, width, height, LayoutDpiOf(parent));
  window_.Reset(::CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                                  r.left, r.top, r.right - r.left, r.bottom - r.top, parent, NextControlId(),
                                  ::GetModuleHandleW(nullptr), nullptr));
  if (!window_) throw EError(L"Cannot create the control.");
  ::SetPropW(window_.Get(), kControlProperty, this);
  ::SetWindowSubclass(window_.Get(), &TControl::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void TControl::SetId(int id) { ::SetWindowLongPtrW(Handle(), GWLP_ID, static_cast<LONG_PTR>(id)); }

void TControl::SetText(const std::wstring& text) { ::SetWindowTextW(Handle(), text.c_str()); }

std::wstring TControl::Text() const {
  const int length = ::GetWindowTextLengthW(Handle());
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(Handle(), &text[0], length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

void TControl::SetEnabled(bool enabled) { ::EnableWindow(Handle(), enabled ? TRUE : FALSE); }
bool TControl::Enabled() const { return ::IsWindowEnabled(Handle()) != FALSE; }
void TControl::SetVisible(bool visible) { ::ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE); }
bool TControl::Visible() const { return (::GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }

void TControl::SetFont(HFONT font) {
  font_ = font;
  ApplyFont(font);
}

void TControl::ApplyFont(HFONT font) { ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

void TControl::SetBounds(int x, int y, int width, int height) {
  design_ = {x, y, x + width, y + height};
  ApplyDpi(Dpi());
}

int TControl::Dpi() const { return LayoutDpiOf(Handle()); }

void TControl::ApplyDpi(int dpi) {
  if (placedByParent_ || !Handle()) return;
  const RECT r =
      ScaleRectForDpi(design_.left, design_.top, design_.right - design_.left, design_.bottom - design_.top, dpi);
  ::SetWindowPos(Handle(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TControl::SetGroupStart() {
  ::SetWindowLongW(Handle(), GWL_STYLE, ::GetWindowLongW(Handle(), GWL_STYLE) | WS_GROUP);
}

TControl* TControl::FromHandle(HWND window) {
  // Only windows of this thread: another process may name any window.
  if (!window || ::GetWindowThreadProcessId(window, nullptr) != ::GetCurrentThreadId()) return nullptr;
  return static_cast<TControl*>(::GetPropW(window, kControlProperty));
}

bool TControl::ReflectNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    TControl* control = header ? FromHandle(header->hwndFrom) : nullptr;
    return control && control->OnNotify(*header, lParam, result);
  }
  TControl* control = FromHandle(reinterpret_cast<HWND>(lParam));
  if (!control) return false;
  switch (message) {
    case WM_COMMAND:
      if (!control->OnCommand(HIWORD(wParam))) return false;
      result = 0;
      return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: return control->OnControlColor(reinterpret_cast<HDC>(wParam), result);
    default: return false;
  }
}

bool TControl::IsNotification(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: return true;
    default: return false;
  }
}

bool TControl::OnCommand(WORD) { return false; }
bool TControl::OnControlColor(HDC, LRESULT&) { return false; }
bool TControl::OnNotify(const NMHDR&, LPARAM, LRESULT&) { return false; }

LRESULT TControl::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultControlMessage(message, wParam, lParam);
}

LRESULT TControl::DefaultControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefSubclassProc(Handle(), message, wParam, lParam);
}

LRESULT CALLBACK TControl::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR data) {
  auto* self = reinterpret_cast<TControl*>(data);
  if (message == WM_NCDESTROY) {
    // The window goes with its parent or on its own: either way the object
    // must not destroy it a second time.
    ::RemoveWindowSubclass(window, &TControl::SubclassProc, kSubclassId);
    ::RemovePropW(window, kControlProperty);
    self->window_.Release();
    return ::DefSubclassProc(window, message, wParam, lParam);
  }
  try {
    return self->ControlMessage(message, wParam, lParam);
  } catch (...) {
    // Exceptions must not cross the system's window procedure.
    TApplication::Instance().HandleCurrentException(::GetAncestor(window, GA_ROOT));
    return ::DefSubclassProc(window, message, wParam, lParam);
  }
}

// TLabel

void TLabel::Create(HWND parent, const std::wstring& text, int x, int y, int width, int height) {
  CreateControl(parent, L"STATIC", text, SS_LEFT | SS_NOPREFIX, 0, x, y, width, height);
}

// TButton

void TButton::Create(HWND parent, const std::wstring& text, int x, int y, int width, int height, bool isDefault) {
  CreateControl(parent, L"BUTTON", text, WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, x, y, width,
                height);
}

bool TButton::OnCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  if (OnClick) OnClick();
  return true;
}

// TImageButton

void TImageButton::Create(HWND parent, int x, int y, int width, int height) {
  CreateControl(parent, L"BUTTON", L"", WS_TABSTOP | BS_PUSHBUTTON | BS_ICON, 0, x, y, width, height);
}

void TImageButton::SetImage(HIMAGELIST images, int index) {
  TIcon icon(::ImageList_GetIcon(images, index, ILD_NORMAL));
  ::SendMessageW(Handle(), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.Get()));
  icon_ = std::move(icon);  // the button does not own the icon it shows
}

// TCheckBox

void TCheckBox::Create(HWND parent, const std::wstring& text, int x, int y, int width, int height) {
  CreateControl(parent, L"BUTTON", text, WS_TABSTOP | BS_AUTOCHECKBOX, 0, x, y, width, height);
}

bool TCheckBox::Checked() const { return ::SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TCheckBox::SetChecked(bool checked) {
  ::SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// TRadioButton

void TRadioButton::Create(HWND parent, const std::wstring& text, int x, int y, int width, int height) {
  CreateControl(parent, L"BUTTON", text, WS_TABSTOP | BS_AUTORADIOBUTTON, 0, x, y, width, height);
}

// TBitButton

void TBitButton::SetImage(HIMAGELIST images, int index) {
  int width = 0, height = 0;
  ::ImageList_GetIconSize(images, &width, &height);
  TImageListHandle own(::ImageList_Create(width, height, ILC_COLOR32, 1, 0));
  if (!own) return;
  const TIcon icon(::ImageList_GetIcon(images, index, ILD_NORMAL));
  ::ImageList_AddIcon(own.Get(), icon.Get());
  BUTTON_IMAGELIST list = {};
  list.himl = own.Get();
  list.margin = {ScaleForDpi(4, Dpi()), 0, 0, 0};
  list.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
  ::SendMessageW(Handle(), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
  image_ = std::move(own);  // the button draws from the list without owning it
}

// TComboBox

void TComboBox::Create(HWND parent, int x, int y, int width, int dropDownHeight) {
  CreateControl(parent, L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, x, y, width, dropDownHeight);
}

void TComboBox::AddItem(const std::wstring& text) {
  ::SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int TComboBox::ItemIndex() const { return static_cast<int>(::SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }

void TComboBox::SetItemIndex(int index) { ::SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

// TEdit

void TEdit::Create(HWND parent, int x, int y, int width, int height) {
  CreateControl(parent, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL | WS_CLIPCHILDREN, WS_EX_CLIENTEDGE, x, y, width,
                height);
}

bool TEdit::OnCommand(WORD code) {
  if (code != EN_CHANGE) return false;
  if (OnChange) OnChange();
  return true;
}

LRESULT TEdit::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR && OnKeyPress) {
    auto key = static_cast<wchar_t>(wParam);
    OnKeyPress(key);
    if (key == 0) return 0;
    wParam = key;
  }
  return DefaultControlMessage(message, wParam, lParam);
}

// TButtonEdit

TButton& TButtonEdit::AddButton(const std::wstring& caption, int width) {
  auto button = std::make_unique<TButton>();
  button->Create(Handle(), caption, 0, 0, width, 1);
  button->SetPlacedByParent();
  // Inside the edit the button is reached by the mouse, not by Tab.
  ::SetWindowLongW(button->Handle(), GWL_STYLE, ::GetWindowLongW(button->Handle(), GWL_STYLE) & ~WS_TABSTOP);
  if (Font()) button->SetFont(Font());
  buttons_.push_back(std::move(button));
  widths_.push_back(width);
  LayOutButtons();
  return *buttons_.back();
}

void TButtonEdit::ApplyFont(HFONT font) {
  TControl::ApplyFont(font);
  for (const auto& button : buttons_) button->SetFont(font);
  LayOutButtons();  // WM_SETFONT resets the margins
}

void TButtonEdit::LayOutButtons() {
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  const int dpi = Dpi();
  int right = client.right;
  for (size_t i = 0; i < buttons_.size(); ++i) {
    const int width = ScaleForDpi(widths_[i], dpi);
    right -= width;
    ::SetWindowPos(buttons_[i]->Handle(), nullptr, right, 0, width, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const int reserved = client.right - right;
  ::SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, reserved + ScaleForDpi(2, dpi)));
}

LRESULT TButtonEdit::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // The embedded buttons notify the edit, their parent; the form is where
      // every control's notifications are handled.
      if (lParam) return ::SendMessageW(::GetParent(Handle()), message, wParam, lParam);
      break;
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT: {
      // A themed button asks its parent to paint what lies behind it. Asked
      // to print itself into a button's DC, the edit would paint over the
      // button; the edit's plain background is all that lies behind one.
      const auto dc = reinterpret_cast<HDC>(wParam);
      const HWND painted = ::WindowFromDC(dc);
      if (painted && painted != Handle() && ::IsChild(Handle(), painted)) {
        RECT client = {};
        ::GetClientRect(Handle(), &client);
        ::FillRect(dc, &client, ::GetSysColorBrush(Enabled() ? COLOR_WINDOW : COLOR_BTNFACE));
        return message == WM_ERASEBKGND ? 1 : 0;
      }
      break;
    }
    case WM_SIZE: {
      const LRESULT result = DefaultControlMessage(message, wParam, lParam);
      LayOutButtons();
      return result;
    }
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_KILLFOCUS:
    case WM_SETFOCUS:
    case WM_ENABLE: {
      // Some edit controls repaint their whole client area, buttons included,
      // when they change state; the buttons then paint themselves again.
      const LRESULT result = DefaultControlMessage(message, wParam, lParam);
      for (const auto& button : buttons_) ::InvalidateRect(button->Handle(), nullptr, FALSE);
      return result;
    }
    default: break;
  }
  return TEdit::ControlMessage(message, wParam, lParam);
}

// TLinkLabel

void TLinkLabel::Create(HWND parent, const std::wstring& text, int x, int y, int width, int height, bool centred) {
  CreateControl(parent, L"STATIC", text, (centred ? SS_CENTER : SS_LEFT) | SS_NOTIFY | SS_NOPREFIX, 0, x, y, width,
                height);
}

void TLinkLabel::ApplyFont(HFONT font) {
  LOGFONTW description = FontDescription(font);
  description.lfUnderline = TRUE;
  TFont underlined(::CreateFontIndirectW(&description));
  TControl::ApplyFont(underlined.Get());
  underlined_ = std::move(underlined);  // the old one goes once the control no longer shows it
}

bool TLinkLabel::OnCommand(WORD code) {
  if (code != STN_CLICKED) return false;
  if (OnClick) OnClick();
  return true;
}

bool TLinkLabel::OnControlColor(HDC dc, LRESULT& result) {
  ::SetTextColor(dc, kLinkColor);
  ::SetBkMode(dc, TRANSPARENT);
  result = reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
  return true;
}

LRESULT TLinkLabel::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETCURSOR) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
  }
  return DefaultControlMessage(message, wParam, lParam);
}

// TIconImage

void TIconImage::Create(HWND parent, int x, int y, int width, int height) {
  CreateControl(parent, L"STATIC", L"", SS_ICON | SS_REALSIZEIMAGE | SS_CENTERIMAGE, 0, x, y, width, height);
  ApplyDpi(Dpi());  // the icon style sizes the control to its (still missing) icon
}

void TIconImage::SetIcon(TIcon icon) {
  ::SendMessageW(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon.Get()), 0);
  icon_ = std::move(icon);
}

// TGroupBox

void TGroupBox::Create(HWND parent, const std::wstring& text, int x, int y, int width, int height) {
  CreateControl(parent, L"BUTTON", text, BS_GROUPBOX, 0, x, y, width, height);
}

// TTabControl

// A page passes what its controls tell it on to the form, where every
// control's notifications are handled.
class TTabControl::TPage : public TWindow {
protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (TControl::IsNotification(message)) return ::SendMessageW(::GetParent(Handle()), message, wParam, lParam);
    return DefaultHandling(message, wParam, lParam);
  }
};

TTabControl::TTabControl() = default;
TTabControl::~TTabControl() = default;

void TTabControl::Create(HWND parent, int x, int y, int width, int height) {
  CreateControl(parent, WC_TABCONTROLW, L"", WS_TABSTOP, 0, x, y, width, height);
}

int TTabControl::AddTab(const std::wstring& caption) {
  std::wstring text = caption;
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = &text[0];
  const int index = static_cast<int>(pages_.size());
  ::SendMessageW(Handle(), TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));

  static const wchar_t kPageClass[] = L"THeapfoldTabPage";
  TWindow::RegisterWindowClass(kPageClass, ::GetSysColorBrush(COLOR_BTNFACE));
  const HWND parent = ::GetParent(Handle());
  const RECT area = PageArea();
  auto page = std::make_unique<TPage>();
  page->CreateHandle(WS_EX_CONTROLPARENT, kPageClass, L"", WS_CHILD | WS_CLIPSIBLINGS, area.left, area.top,
                     area.right - area.left, area.bottom - area.top, parent);
  ::SetWindowPos(page->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  pages_.push_back(std::move(page));
  ShowPage();
  return index;
}

RECT TTabControl::PageArea() const {
  RECT area = {};
  ::GetWindowRect(Handle(), &area);
  ::MapWindowPoints(nullptr, ::GetParent(Handle()), reinterpret_cast<POINT*>(&area), 2);
  ::SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  return area;
}

void TTabControl::ApplyDpi(int dpi) {
  TControl::ApplyDpi(dpi);
  const RECT area = PageArea();
  for (const auto& page : pages_) {
    ::SetWindowPos(page->Handle(), nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

HWND TTabControl::Page(int tab) const { return pages_.at(static_cast<std::size_t>(tab))->Handle(); }

int TTabControl::SelectedTab() const { return static_cast<int>(::SendMessageW(Handle(), TCM_GETCURSEL, 0, 0)); }

void TTabControl::SelectTab(int tab) {
  ::SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
  ShowPage();
}

void TTabControl::ShowPage() {
  const int selected = SelectedTab();
  for (std::size_t tab = 0; tab < pages_.size(); ++tab)
    ::ShowWindow(pages_[tab]->Handle(), static_cast<int>(tab) == selected ? SW_SHOWNA : SW_HIDE);
}

bool TTabControl::OnNotify(const NMHDR& header, LPARAM, LRESULT& result) {
  if (header.code != static_cast<UINT>(TCN_SELCHANGE)) return false;
  ShowPage();
  if (OnChange) OnChange();
  result = 0;
  return true;
}

// TPaintBox32

void TPaintBox32::Create(HWND parent, int x, int y, int width, int height) {
  CreateControl(parent, L"STATIC", L"", SS_LEFT, 0, x, y, width, height);
}

void TPaintBox32::Invalidate() { ::InvalidateRect(Handle(), nullptr, FALSE); }

LRESULT TPaintBox32::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;  // the buffer covers every pixel
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = ::BeginPaint(Handle(), &ps);
      RECT client = {};
      ::GetClientRect(Handle(), &client);
      TBitmap32 buffer(client.right, client.bottom);
      if (OnPaintBuffer) OnPaintBuffer(buffer);
      PaintBitmap32(dc, 0, 0, buffer);
      ::EndPaint(Handle(), &ps);
      return 0;
    }
    default: return DefaultControlMessage(message, wParam, lParam);
  }
}

// TToolTips

void TToolTips::Create(HWND owner) {
  window_.Reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr));
  if (!window_) throw EError(L"Cannot create the hint window.");
}

void TToolTips::Add(HWND tool, const std::wstring& hint) {
  std::wstring text = hint;  // the control keeps a copy of its own
  TOOLINFOW info = {};
  // The size common controls 5 and 6 both accept.
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = ::GetParent(tool);
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = &text[0];
  ::SendMessageW(Handle(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

// TImageList

void TImageList::Create(int width, int height, UINT flags, int initial) {
  handle_.Reset(::ImageList_Create(width, height, flags, initial, 16));
  if (!handle_) throw EError(L"Cannot create the image list.");
}

int TImageList::Count() const { return handle_ ? ::ImageList_GetImageCount(handle_.Get()) : 0; }

// TSimpleTimer

TSimpleTimer::~TSimpleTimer() {
  if (Handle()) ::KillTimer(Handle(), kTimerId);
}

void TSimpleTimer::SetInterval(UINT milliseconds) {
  interval_ = milliseconds;
  Apply();
}

void TSimpleTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Apply();
}

void TSimpleTimer::Apply() {
  if (!Handle()) {
    if (!enabled_) return;
    TWindow::RegisterWindowClass(kTimerClass, nullptr);
    CreateHandle(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE);
  }
  // Setting a timer again replaces it, so its interval starts afresh.
  ::KillTimer(Handle(), kTimerId);
  if (enabled_ && interval_ > 0) ::SetTimer(Handle(), kTimerId, interval_, nullptr);
}

LRESULT TSimpleTimer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTimerId) {
    if (OnTimer) OnTimer();
    return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}
