#include "core/viewer/ViewLook.h"

#include "core/base/ExtraStrUtils.h"
#include "core/raster/Contrast.h"

namespace {

constexpr TColor32 kDarkSurface = 0xFF202020u;   // the dark flyouts' sheet
constexpr TColor32 kLightSurface = 0xFFF3F3F3u;  // the light flyouts' sheet
constexpr TColor32 kGlass = kColor32Black;       // what composition turns into glass
constexpr TColor32 kGray = 0xFF808080u;
// How far the hot and the selected fills lean from the surface towards the
// text, out of 255: the subtle fills of the system's own lists.
constexpr std::uint8_t kHotLean = 24;
constexpr std::uint8_t kSelectedLean = 40;
constexpr std::uint8_t kSeparatorLean = 64;

constexpr std::uint32_t kWindows10_1809 = 17763;
constexpr std::uint32_t kWindows10_20H1 = 19041;
constexpr std::uint32_t kWindows11 = 22000;
constexpr std::uint32_t kWindows11_22H2 = 22621;  // the first with a documented backdrop

bool IsWindows8OrLater(const TWindowsVersion& v) { return v.Major > 6 || (v.Major == 6 && v.Minor >= 2); }
bool IsWindows10Build(const TWindowsVersion& v, std::uint32_t build) { return v.Major >= 10 && v.Build >= build; }

// "AccentColor" keeps red in its low byte.
TColor32 FromAbgr(std::uint32_t abgr) {
  return Color32(255, static_cast<std::uint8_t>(abgr), static_cast<std::uint8_t>(abgr >> 8),
                 static_cast<std::uint8_t>(abgr >> 16));
}

void SetColors(TViewLook& look, TColor32 surface, TColor32 text) {
  look.Surface = surface;
  look.Text = text;
  look.HotFill = MixColors(surface, text, kHotLean);
  look.SelectedFill = MixColors(surface, text, kSelectedLean);
  look.ClearHotFill = (text & 0x00FFFFFFu) | (static_cast<TColor32>(kHotLean) << 24);
  look.ClearSelectedFill = (text & 0x00FFFFFFu) | (static_cast<TColor32>(kSelectedLean) << 24);
  look.HighlightText = text;
}

}  // namespace

std::optional<TMenuLook> MenuLookFor(const TViewLook& look) {
  if (look.Halo) return std::nullopt;
  TMenuLook menu;
  menu.Surface = look.Surface;
  menu.Text = look.Text;
  menu.HotFill = look.SelectedFill;
  menu.HotText = look.HighlightText;
  menu.Separator = MixColors(look.Surface, look.Text, kSeparatorLean);
  return menu;
}

bool ChangesLook(std::uint32_t action, const std::wstring& area) {
  constexpr std::uint32_t kSetHighContrast = 0x0043;  // SPI_SETHIGHCONTRAST
  return action == kSetHighContrast || AsciiLowerCase(area) == L"immersivecolorset";
}

bool AppsFrameIsDark(std::optional<std::uint32_t> appsUseLightTheme, bool highContrast) {
  return !highContrast && appsUseLightTheme.value_or(1) == 0;
}

std::uint32_t DarkModeAttributeFor(const TWindowsVersion& version) {
  if (IsWindows10Build(version, kWindows10_20H1)) return 20;
  if (IsWindows10Build(version, kWindows10_1809)) return 19;
  return 0;
}

TViewLook ChooseViewLook(const TLookFacts& facts) {
  TViewLook look;
  const TWindowsVersion& v = facts.Version;
  look.RoundCorners = IsWindows10Build(v, kWindows11);
  if (facts.HighContrast) {
    look.Kind = TLookKind::HighContrast;
    look.Halo = false;
    look.Surface = facts.System.Window | 0xFF000000u;
    look.Text = facts.System.WindowText | 0xFF000000u;
    look.HotFill = look.SelectedFill = facts.System.Highlight | 0xFF000000u;
    look.HighlightText = facts.System.HighlightText | 0xFF000000u;
    return look;
  }
  if (!IsWindows8OrLater(v)) {
    const bool glass = IsVistaOrLater(v) && facts.Composition;
    look.Kind = glass ? TLookKind::Glass : TLookKind::Gray;
    look.Surface = glass ? kGlass : kGray;
    return look;
  }
  look.Halo = false;
  const bool light = facts.SystemUsesLightTheme.value_or(0) != 0;
  if (facts.ColorPrevalence.value_or(0) != 0 && facts.AccentColor) {
    look.Kind = TLookKind::Accent;
    const TColor32 accent = FromAbgr(*facts.AccentColor);
    SetColors(look, accent, TextColorOn(accent));
  } else {
    look.Kind = light ? TLookKind::Light : TLookKind::Dark;
    SetColors(look, light ? kLightSurface : kDarkSurface, light ? kColor32Black : kColor32White);
  }
  look.Backdrop = look.Kind != TLookKind::Accent && facts.EnableTransparency.value_or(1) != 0 &&
                  IsWindows10Build(v, kWindows11_22H2);
  look.DarkModeAttribute = DarkModeAttributeFor(v);
  look.DarkFrame = !light;
  return look;
}
