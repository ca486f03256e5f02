#include "toolkit/ToolTips.h"

#include <commctrl.h>

#include "core/base/Errors.h"

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
