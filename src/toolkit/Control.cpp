#include "toolkit/Control.h"

#include "core/base/Dpi.h"
#include "core/base/Errors.h"
#include "toolkit/Application.h"

namespace {

constexpr UINT_PTR kSubclassId = 0x48465443;
// The window property that leads from a control's window to its object.
const wchar_t kControlProperty[] = L"HeapfoldControl";
// The window property of a form that holds the DPI it lays its controls out for.
const wchar_t kLayoutDpiProperty[] = L"HeapfoldLayoutDpi";

// Every control gets an identifier of its own: the dialog manager finds the
// default button by it.
HMENU NextControlId() {
  static int next = 1000;
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(next++));
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
