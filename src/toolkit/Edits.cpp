#include "toolkit/Edits.h"

#include "core/toolkit/ButtonEditLayout.h"

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
  const TButtonEditLayout layout = ButtonEditLayout(client.right, client.bottom, widths_, Dpi());
  for (size_t i = 0; i < buttons_.size(); ++i) {
    const TRectI& r = layout.Buttons[i];
    ::SetWindowPos(buttons_[i]->Handle(), nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ::SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, layout.RightMargin));
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
