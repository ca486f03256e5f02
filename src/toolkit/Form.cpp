#include "toolkit/Form.h"

#include <commctrl.h>

#include <vector>

#include "core/MessageBoxLayout.h"
#include "toolkit/Application.h"

namespace {

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM lParam) {
  if (::IsWindowVisible(window) && ::IsWindowEnabled(window))
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
  return TRUE;
}

// Group boxes and tab controls hold other controls inside their rectangles;
// they go to the bottom of the z-order, or they would paint over them.
BOOL CALLBACK PutContainerBehind(HWND child, LPARAM) {
  wchar_t className[32] = {};
  ::GetClassNameW(child, className, 32);
  const LONG style = ::GetWindowLongW(child, GWL_STYLE);
  const bool groupBox = ::lstrcmpiW(className, L"Button") == 0 && (style & BS_TYPEMASK) == BS_GROUPBOX;
  if (groupBox || ::lstrcmpiW(className, WC_TABCONTROLW) == 0) {
    ::SetWindowPos(child, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return TRUE;
}

BOOL CALLBACK SetChildFont(HWND child, LPARAM font) {
  if (TControl* control = TControl::FromHandle(child)) {
    control->SetFont(reinterpret_cast<HFONT>(font));
  }
  return TRUE;
}

// The other windows of the thread stay disabled while a modal form shows.
class TDisabledWindows {
public:
  explicit TDisabledWindows(HWND except) {
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectEnabledWindow, reinterpret_cast<LPARAM>(&windows_));
    for (HWND window : windows_)
      if (window != except) ::EnableWindow(window, FALSE);
  }
  ~TDisabledWindows() {
    for (HWND window : windows_)
      if (::IsWindow(window)) ::EnableWindow(window, TRUE);
  }
  TDisabledWindows(const TDisabledWindows&) = delete;
  TDisabledWindows& operator=(const TDisabledWindows&) = delete;

private:
  std::vector<HWND> windows_;
};

}  // namespace

void TForm::CreateForm(HWND owner, const wchar_t* className, const std::wstring& caption, int clientWidth,
                       int clientHeight) {
  TWindow::RegisterWindowClass(className, ::GetSysColorBrush(COLOR_BTNFACE));
  const bool ownerShown = owner && ::IsWindowVisible(owner);
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | (ownerShown ? 0 : WS_EX_APPWINDOW);
  const SIZE outer = OuterSizeForClient(clientWidth, clientHeight, style, exStyle);
  CreateHandle(exStyle, className, caption, style, 0, 0, outer.cx, outer.cy, ownerShown ? owner : nullptr);
}

void TForm::SetDefaultButton(TButton& button) {
  defaultButton_ = button.Handle();
  ::SendMessageW(defaultButton_, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void TForm::CentreOn(HWND window) {
  RECT area = {};
  ::GetWindowRect(window, &area);
  CentreOn(area);
}

void TForm::CentreOn(const RECT& area) {
  RECT own = {};
  ::GetWindowRect(Handle(), &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  const int left = area.left + (area.right - area.left - width) / 2;
  const int top = area.top + (area.bottom - area.top - height) / 2;
  ::SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetControlsFont(HFONT font) {
  ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::EnumChildWindows(Handle(), &SetChildFont, reinterpret_cast<LPARAM>(font));
}

int TForm::ShowModal() {
  TApplication& app = TApplication::Instance();
  const HWND window = Handle();
  modalResult_ = kResultNone;
  {
    const TDisabledWindows disabled(window);
    app.PushDialog(window);
    ::EnumChildWindows(window, &PutContainerBehind, 0);
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
    HWND focus = focus_ ? focus_ : ::GetNextDlgTabItem(window, nullptr, FALSE);
    if (focus) ::SetFocus(focus);
    try {
      FormShow();
    } catch (...) {
      // Reported; the form still shows with what was filled in before.
      app.HandleCurrentException(window);
    }
    app.RunModal([&] { return modalResult_ != kResultNone || !::IsWindow(window); });
    app.PopDialog(window);
    // The owner is enabled again before the form goes, so it gets the activation back.
  }
  if (modalResult_ == kResultNone) modalResult_ = kResultCancel;
  if (::IsWindow(window)) FormClose();
  DestroyHandle();
  return modalResult_;
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (TControl::IsNotification(message)) {
    if (TControl::ReflectNotification(message, wParam, lParam, result)) return result;
    if (message == WM_COMMAND && lParam == 0) {
      // A command without a control (Esc through the dialog manager, or one
      // sent from outside): the button with that identifier is pressed;
      // IDCANCEL without such a button cancels.
      const HWND button = ::GetDlgItem(Handle(), LOWORD(wParam));
      if (button && ::IsWindowVisible(button) && ::IsWindowEnabled(button)) {
        ::SendMessageW(button, BM_CLICK, 0, 0);
      } else if (LOWORD(wParam) == IDCANCEL) {
        modalResult_ = kResultCancel;
      }
      return 0;
    }
    return DefaultHandling(message, wParam, lParam);
  }
  switch (message) {
    case DM_GETDEFID:
      if (defaultButton_) return MAKELRESULT(::GetDlgCtrlID(defaultButton_), DC_HASDEFID);
      break;
    case WM_CLOSE: modalResult_ = kResultCancel; return 0;
    default: break;
  }
  return DefaultHandling(message, wParam, lParam);
}
