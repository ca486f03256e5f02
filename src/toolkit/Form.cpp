#include "toolkit/Form.h"

#include <commctrl.h>

#include <vector>

#include "core/creator/MessageBoxLayout.h"
#include "shared/Desktop.h"
#include "toolkit/Application.h"
#include "toolkit/WindowDpi.h"

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

// The font of a description at a DPI: the description made as everywhere
// else, then its height set for that DPI.
TFont FontAtDpi(const TFontDescription& description, int dpi) {
  const TFont made = CreateFontFromDescription(description);
  LOGFONTW font = {};
  if (!made || !::GetObjectW(made.Get(), sizeof(font), &font)) return TFont();
  font.lfHeight = -::MulDiv(description.PointSize, dpi, 72);
  return TFont(::CreateFontIndirectW(&font));
}

// A form's controls laid out for a new DPI, each switched to the new font of
// the form's font it showed.
struct TRelayout {
  int Dpi;
  std::vector<std::pair<HFONT, HFONT>> Fonts;  // old, new
};

BOOL CALLBACK RelayOutChild(HWND child, LPARAM lParam) {
  const auto& relayout = *reinterpret_cast<const TRelayout*>(lParam);
  if (TControl* control = TControl::FromHandle(child)) {
    for (const auto& [old, fresh] : relayout.Fonts) {
      if (control->Font() == old) {
        control->SetFont(fresh);
        break;
      }
    }
    control->ApplyDpi(relayout.Dpi);
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

// TFormWindow

void TFormWindow::CreateFormHandle(DWORD exStyle, const wchar_t* className, const std::wstring& caption, DWORD style,
                                   int clientWidth, int clientHeight, HWND owner) {
  designClient_ = {clientWidth, clientHeight};
  style_ = style;
  exStyle_ = exStyle;
  dpi_ = DpiOfArea(RECT{0, 0, 1, 1});
  const SIZE outer = OuterSizeAt(dpi_);
  CreateHandle(exStyle, className, caption, style, 0, 0, outer.cx, outer.cy, owner);
  SetLayoutDpi(Handle(), dpi_);
  // The system may say otherwise of the window itself.
  ApplyDpi(WindowDpi(Handle()));
}

SIZE TFormWindow::OuterSizeAt(int dpi) const {
  return OuterSizeForClientAtDpi(ScaleForDpi(designClient_.cx, dpi), ScaleForDpi(designClient_.cy, dpi), style_,
                                 exStyle_, dpi);
}

void TFormWindow::SetClientSize(int designWidth, int designHeight) {
  designClient_ = {designWidth, designHeight};
  const SIZE outer = OuterSizeAt(dpi_);
  ::SetWindowPos(Handle(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  FitClient();
}

void TFormWindow::FitClient() {
  // The frame a system draws need not be the one it computes for a DPI (it
  // may keep the frame of the DPI it started with): the client area decides.
  RECT client = {}, window = {};
  ::GetClientRect(Handle(), &client);
  ::GetWindowRect(Handle(), &window);
  const int dx = Scaled(designClient_.cx) - client.right;
  const int dy = Scaled(designClient_.cy) - client.bottom;
  if (dx == 0 && dy == 0) return;
  ::SetWindowPos(Handle(), nullptr, 0, 0, window.right - window.left + dx, window.bottom - window.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT TFormWindow::FormFont(const TFontDescription& description) {
  auto font = std::make_unique<TFormFont>();
  font->Description = description;
  font->Font = FontAtDpi(description, dpi_);
  fonts_.push_back(std::move(font));
  return fonts_.back()->Font.Get();
}

void TFormWindow::ApplyDpi(int dpi) {
  if (dpi <= 0 || dpi == dpi_ || !Handle()) return;
  dpi_ = dpi;
  SetLayoutDpi(Handle(), dpi);
  TRelayout relayout{dpi, {}};
  std::vector<TFont> oldFonts;  // freed once no control shows them
  for (const auto& font : fonts_) {
    TFont fresh = FontAtDpi(font->Description, dpi);
    relayout.Fonts.emplace_back(font->Font.Get(), fresh.Get());
    oldFonts.push_back(std::move(font->Font));
    font->Font = std::move(fresh);
  }
  const auto formFont = reinterpret_cast<HFONT>(::SendMessageW(Handle(), WM_GETFONT, 0, 0));
  for (const auto& [old, fresh] : relayout.Fonts) {
    if (formFont == old) ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(fresh), FALSE);
  }
  SetClientSize(designClient_.cx, designClient_.cy);
  ::EnumChildWindows(Handle(), &RelayOutChild, reinterpret_cast<LPARAM>(&relayout));
  DpiChanged();
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TFormWindow::SetControlsFont(HFONT font) {
  ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::EnumChildWindows(Handle(), &SetChildFont, reinterpret_cast<LPARAM>(font));
}

void TFormWindow::CentreOn(HWND window) {
  RECT area = {};
  ::GetWindowRect(window, &area);
  CentreOn(area);
}

void TFormWindow::CentreOn(const RECT& area) {
  ApplyDpi(DpiOfArea(area));
  RECT own = {};
  ::GetWindowRect(Handle(), &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  const int left = area.left + (area.right - area.left - width) / 2;
  const int top = area.top + (area.bottom - area.top - height) / 2;
  ::SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TFormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDPISCALEDSIZE: {
      // The size the form takes at the new DPI, so the rectangle that
      // WM_DPICHANGED suggests has it.
      auto* size = reinterpret_cast<SIZE*>(lParam);
      if (!size) break;
      *size = OuterSizeAt(static_cast<int>(wParam));
      return TRUE;
    }
    case WM_DPICHANGED: {
      // Already laid out for that DPI (placed there by CentreOn): the place stays.
      const int dpi = HIWORD(wParam);
      if (dpi == dpi_) return 0;
      ApplyDpi(dpi);
      if (const auto* suggested = reinterpret_cast<const RECT*>(lParam)) {
        ::SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        FitClient();
      }
      return 0;
    }
    case WM_NCDESTROY: SetLayoutDpi(Handle(), 0); break;
    default: break;
  }
  return DefaultHandling(message, wParam, lParam);
}

// TForm

void TForm::CreateForm(HWND owner, const wchar_t* className, const std::wstring& caption, int clientWidth,
                       int clientHeight) {
  TWindow::RegisterWindowClass(className, ::GetSysColorBrush(COLOR_BTNFACE));
  const bool ownerShown = owner && ::IsWindowVisible(owner);
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | (ownerShown ? 0 : WS_EX_APPWINDOW);
  CreateFormHandle(exStyle, className, caption, style, clientWidth, clientHeight, ownerShown ? owner : nullptr);
}

void TForm::SetDefaultButton(TButton& button) {
  defaultButton_ = button.Handle();
  ::SendMessageW(defaultButton_, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
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
  return TFormWindow::HandleMessage(message, wParam, lParam);
}
