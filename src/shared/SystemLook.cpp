#include "shared/SystemLook.h"

#include "shared/Desktop.h"
#include "shared/DeviceBitmap.h"
#include "shared/ScopedWin.h"
#include "shared/WindowsVersion.h"

namespace {

const wchar_t kPersonalize[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr DWORD kWindowCornerPreference = 33;  // DWMWA_WINDOW_CORNER_PREFERENCE
constexpr DWORD kCornersRound = 2;             // DWMWCP_ROUND
constexpr DWORD kSystemBackdropType = 38;      // DWMWA_SYSTEMBACKDROP_TYPE
constexpr DWORD kBackdropNone = 1;             // DWMSBT_NONE
constexpr DWORD kBackdropTransient = 3;        // DWMSBT_TRANSIENTWINDOW, the flyouts' acrylic

// A DWORD value under HKEY_CURRENT_USER; nothing when the key or value is
// missing or the value is of another type.
std::optional<std::uint32_t> ReadUserDword(const wchar_t* key, const wchar_t* name) {
  HKEY raw = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return std::nullopt;
  const TRegKey opened(raw);
  DWORD value = 0, type = 0, size = sizeof(value);
  if (::RegQueryValueExW(opened.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(value))
    return std::nullopt;
  return value;
}

TColor32 SystemColor(int index) { return FromColorRef(::GetSysColor(index)); }

bool HighContrastOn() {
  HIGHCONTRASTW contrast = {};
  contrast.cbSize = sizeof(contrast);
  return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

TLookFacts ReadLookFacts() {
  TLookFacts facts;
  facts.Composition = IsGlassEnabled();
  facts.Version = ReadWindowsVersion();
  facts.SystemUsesLightTheme = ReadUserDword(kPersonalize, L"SystemUsesLightTheme");
  facts.ColorPrevalence = ReadUserDword(kPersonalize, L"ColorPrevalence");
  facts.EnableTransparency = ReadUserDword(kPersonalize, L"EnableTransparency");
  facts.AccentColor = ReadUserDword(L"Software\\Microsoft\\Windows\\DWM", L"AccentColor");
  facts.HighContrast = HighContrastOn();
  if (facts.HighContrast)
    facts.System = {SystemColor(COLOR_WINDOW), SystemColor(COLOR_WINDOWTEXT), SystemColor(COLOR_HIGHLIGHT),
                    SystemColor(COLOR_HIGHLIGHTTEXT)};
  return facts;
}

void ApplyLookFrame(HWND window, const TViewLook& look) {
  if (look.RoundCorners) SetDwmWindowAttribute(window, kWindowCornerPreference, kCornersRound);
  if (look.DarkModeAttribute != 0) SetDwmWindowAttribute(window, look.DarkModeAttribute, look.DarkFrame ? 1 : 0);
}

void ApplyBackdrop(HWND window, bool on) {
  SetDwmWindowAttribute(window, kSystemBackdropType, on ? kBackdropTransient : kBackdropNone);
  // The backdrop shows through the client area only where the frame spans it.
  const std::int32_t margin = on ? -1 : 0;
  ExtendGlassFrame(window, TRectI{margin, margin, margin, margin});
}

void ApplyAppsFrame(HWND window) {
  const std::uint32_t attribute = DarkModeAttributeFor(ReadWindowsVersion());
  if (attribute == 0) return;
  const bool dark = AppsFrameIsDark(ReadUserDword(kPersonalize, L"AppsUseLightTheme"), HighContrastOn());
  SetDwmWindowAttribute(window, attribute, dark ? 1 : 0);
}
