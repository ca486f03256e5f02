#include "toolkit/Labels.h"

namespace {

const COLORREF kLinkColor = RGB(0, 0, 255);

// The text font behind a font handle, for fonts derived from it.
LOGFONTW FontDescription(HFONT font) {
  LOGFONTW description = {};
  if (!font || !::GetObjectW(font, sizeof(description), &description)) {
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(description), &description);
  }
  return description;
}

}  // namespace

// TLabel

void TLabel::Create(HWND parent, const std::wstring& text, int x, int y, int width, int height) {
  CreateControl(parent, L"STATIC", text, SS_LEFT | SS_NOPREFIX, 0, x, y, width, height);
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
