#include "shared/Desktop.h"

#include <shellapi.h>

#include "core/base/Errors.h"
#include "shared/ExtraWinUtils.h"
#include "shared/WindowsVersion.h"

namespace {

// The headers for XP lack the DWM; TMarginsValues has MARGINS' layout and the
// two entry points are looked up by name.
static_assert(sizeof(TMarginsValues) == 16, "TMarginsValues must match MARGINS");
using TDwmIsCompositionEnabled = HRESULT(WINAPI*)(BOOL*);
using TDwmExtendFrameIntoClientArea = HRESULT(WINAPI*)(HWND, const TMarginsValues*);
using TDwmSetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

template <typename F>
F LookUp(const TLibrary& library, const char* name) {
  // Through void(*)() so the cast between function types stays warning-free.
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(::GetProcAddress(library.Get(), name)));
}

TLibrary LoadDwm() { return TLibrary(::LoadLibraryW(L"dwmapi.dll")); }

int CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one match is enough
}

}  // namespace

bool IsWindowsVistaOrLater() { return IsVistaOrLater(ReadWindowsVersion()); }

bool IsGlassEnabled() {
  if (!IsWindowsVistaOrLater()) return false;
  const TLibrary dwm = LoadDwm();
  if (!dwm) return false;
  const auto isEnabled = LookUp<TDwmIsCompositionEnabled>(dwm, "DwmIsCompositionEnabled");
  if (!isEnabled) return false;
  BOOL enabled = FALSE;
  isEnabled(&enabled);
  return enabled != FALSE;
}

void ExtendGlassFrame(HWND window, const TRectI& margins) {
  if (!IsWindowsVistaOrLater() || !IsGlassEnabled()) return;
  const TLibrary dwm = LoadDwm();
  if (!dwm) return;
  const auto extend = LookUp<TDwmExtendFrameIntoClientArea>(dwm, "DwmExtendFrameIntoClientArea");
  if (!extend) return;
  const TMarginsValues values = MarginsFromRect(margins);
  extend(window, &values);  // a failure just leaves the window without glass
}

bool SetDwmWindowAttribute(HWND window, DWORD attribute, DWORD value) {
  if (!IsWindowsVistaOrLater()) return false;
  const TLibrary dwm = LoadDwm();
  if (!dwm) return false;
  const auto set = LookUp<TDwmSetWindowAttribute>(dwm, "DwmSetWindowAttribute");
  return set && SUCCEEDED(set(window, attribute, &value, sizeof(value)));
}

bool ApplySystemFont(TFontDescription& font) {
  return ApplySystemFontRule(font, IsWindowsVistaOrLater(), IsFontFamilyInstalled(kSystemFontName));
}

bool IsFontFamilyInstalled(const std::wstring& family) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  if (family.empty() || family.size() >= LF_FACESIZE) return false;
  family.copy(wanted.lfFaceName, family.size());
  bool found = false;
  const TScreenDC screen;
  ::EnumFontFamiliesExW(screen.Get(), &wanted, NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

TFont CreateFontFromDescription(const TFontDescription& font, HDC dc) {
  int dpi = 96;
  if (dc) {
    dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
  } else {
    const TScreenDC screen;
    dpi = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
  }
  return CreateFontForDpi(font, dpi);
}

TFont CreateFontForDpi(const TFontDescription& font, int dpi) {
  LOGFONTW description{};
  description.lfHeight = -::MulDiv(font.PointSize, dpi, 72);
  description.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfOutPrecision = OUT_DEFAULT_PRECIS;
  description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  description.lfQuality = DEFAULT_QUALITY;
  description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  font.Name.copy(description.lfFaceName, LF_FACESIZE - 1);
  return TFont(::CreateFontIndirectW(&description));
}

std::wstring OsErrorText(DWORD code) {
  if (code == 0) return L"A call to an OS function failed";
  return L"System Error.  Code: " + std::to_wstring(code) + L".\r\n" + SystemErrorMessage(code);
}

std::uint8_t GetTaskbarEdge() {
  const HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
  if (!taskbar) {
    const DWORD code = ::GetLastError();
    throw EError(OsErrorText(code), code);
  }
  APPBARDATA data{};
  data.cbSize = sizeof(APPBARDATA);
  data.hWnd = taskbar;
  if (!::SHAppBarMessage(ABM_GETTASKBARPOS, &data))
    throw EError(L"SHAppBarMessage returned false when trying to find the Task Bar's position");
  return static_cast<std::uint8_t>(data.uEdge);
}
