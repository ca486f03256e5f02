// Which look a stack or grid takes, from plain facts about the system: glass
// on Vista and 7 with composition, gray on XP or without composition, and
// from Windows 8 on the look of the taskbar's own flyouts: its dark or light
// theme, its accent colour when the taskbar shows one, high contrast on every
// version; with Windows 11's rounded corners and, where the system has one,
// its acrylic backdrop.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/base/WindowsVersion.h"
#include "core/raster/Bitmap32.h"

// The system's colours that high contrast gives the view.
struct TSystemColors {
  TColor32 Window = kColor32White;
  TColor32 WindowText = kColor32Black;
  TColor32 Highlight = 0xFF0078D7u;
  TColor32 HighlightText = kColor32White;
};

struct TLookFacts {
  TWindowsVersion Version;
  bool Composition = false;  // the desktop is composed (Vista and 7 can turn it off)
  // HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize; nothing
  // where a value is missing or not a number.
  std::optional<std::uint32_t> SystemUsesLightTheme;
  std::optional<std::uint32_t> ColorPrevalence;
  std::optional<std::uint32_t> EnableTransparency;
  // HKCU\Software\Microsoft\Windows\DWM "AccentColor": 0xAABBGGRR.
  std::optional<std::uint32_t> AccentColor;
  bool HighContrast = false;
  TSystemColors System;  // read when high contrast is on
};

enum class TLookKind : std::uint8_t { Glass, Gray, Dark, Light, Accent, HighContrast };

struct TViewLook {
  TLookKind Kind = TLookKind::Gray;
  // Glass and gray draw captions with a halo in the colour the preference
  // chooses, and shade hot entries as they always have; the colours below
  // are for the other looks.
  bool Halo = true;
  TColor32 Surface = 0;        // the view's background
  TColor32 Text = 0;           // captions
  TColor32 HotFill = 0;        // under the entry the pointer is on
  TColor32 SelectedFill = 0;   // under the selected entry
  TColor32 HighlightText = 0;  // captions on those fills
  // Over the backdrop the sheet is left clear and the fills are the text
  // laid over it, partly transparent, as far as the solid fills lean to it.
  TColor32 ClearHotFill = 0;
  TColor32 ClearSelectedFill = 0;
  bool RoundCorners = false;  // DWMWA_WINDOW_CORNER_PREFERENCE = DWMWCP_ROUND
  // DWMWA_SYSTEMBACKDROP_TYPE = DWMSBT_TRANSIENTWINDOW, under the dark and
  // light themes only: the system tints its acrylic by the frame's theme,
  // never by the accent, so text chosen for the accent could not be read.
  bool Backdrop = false;
  // DWMWA_USE_IMMERSIVE_DARK_MODE's number on this system (0: it has none)
  // and the value it is set to.
  std::uint32_t DarkModeAttribute = 0;
  bool DarkFrame = false;
};

// Where "SystemUsesLightTheme" is missing (Windows 8 and 8.1, Windows 10
// before 1903, whose taskbar is always dark) the theme is dark; a missing
// "EnableTransparency" is on, as it is on a new system.
TViewLook ChooseViewLook(const TLookFacts& facts);

// The menu view's colours in a look. Glass and gray leave menus to the
// system's own drawing (nothing); the other looks draw their items in the
// sheet's colours, the highlighted item on the selected fill (the system's
// highlight under high contrast), with a separator line of the text leaning
// into the surface.
struct TMenuLook {
  TColor32 Surface = 0;
  TColor32 Text = 0;
  TColor32 HotFill = 0;
  TColor32 HotText = 0;
  TColor32 Separator = 0;
};
std::optional<TMenuLook> MenuLookFor(const TViewLook& look);

// Whether a WM_SETTINGCHANGE may have changed the look: the theme, accent or
// transparency ("ImmersiveColorSet", any letter case) or high contrast
// (SPI_SETHIGHCONTRAST as its action).
bool ChangesLook(std::uint32_t action, const std::wstring& area);

// The creator keeps the standard dialog look; only its title bar follows
// the apps' theme ("AppsUseLightTheme" 0: dark; missing: light, as on a new
// system), and never under high contrast.
bool AppsFrameIsDark(std::optional<std::uint32_t> appsUseLightTheme, bool highContrast);

// DWMWA_USE_IMMERSIVE_DARK_MODE's number: 20 from Windows 10 20H1 (build
// 19041), 19 from 1809 (build 17763), 0 before (no such attribute).
std::uint32_t DarkModeAttributeFor(const TWindowsVersion& version);
