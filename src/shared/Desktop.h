// Fitting both programs' windows to the Vista and Windows 7 desktop: the
// version test, glass (desktop composition), the system's user-interface font
// and the taskbar's screen edge. Everything runs on the UI thread and keeps
// no state between calls; dwmapi.dll is bound at run time on every call so
// the programs still start on systems without it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "shared/ScopedWin.h"

// The font rule acts only on Vista and later while this is on (both programs
// keep it on); with it off the rule would act on every version.
constexpr bool kSystemFontOnlyOnVista = true;

// True when the system's major version is 6 or more.
bool IsWindowsVistaOrLater();

// True when desktop composition is on. False before Vista, without
// dwmapi.dll or without its DwmIsCompositionEnabled.
bool IsGlassEnabled();

// The four widths of a window's glass bands, in the field order of the DWM's
// MARGINS structure.
struct TMarginsValues {
  int cxLeftWidth;
  int cxRightWidth;
  int cyTopHeight;
  int cyBottomHeight;
};

// Maps a rectangle of band widths onto MARGINS by edge, not by position:
// left, top, right, bottom become left, right, top, bottom widths.
TMarginsValues MarginsFromRect(const RECT& margins);

// Turns the given bands of the window's client area into glass; -1 on all
// four edges glasses the whole client area. Does nothing without glass.
void ExtendGlassFrame(HWND window, const RECT& margins);

// A window's font as far as the system-font rule is concerned.
struct TFontSpec {
  std::wstring Name;
  int PointSize;
};

// The system-font rule with the two system facts given: on Vista or later
// (unless the Vista restriction is off), when the font is not already
// "Segoe UI" (any case) and "Segoe UI" is installed, the font grows by one
// point and becomes "Segoe UI". Gives whether it changed the font, so a
// second call changes nothing.
bool ApplySystemFontRule(TFontSpec& font, bool vistaOrLater, bool segoeInstalled);

// The same rule with this system's facts.
bool ApplySystemFont(TFontSpec& font);

// True when a font family of this name is installed (name compared as the
// font mapper does, without regard to case).
bool IsFontFamilyInstalled(const std::wstring& family);

// A GDI font for the description, its point size turned into pixels at the
// device's vertical resolution (the screen's when dc is null).
TFont CreateFontFromSpec(const TFontSpec& font, HDC dc = nullptr);

// The text raised for a failed system call: the code and the system's text
// for it, or a generic sentence when the code is 0.
std::wstring OsErrorText(DWORD code);

// The screen edge the taskbar is docked at, as an ABE_ value: 0 left, 1 top,
// 2 right, 3 bottom. Raises EError when the taskbar cannot be asked.
std::uint8_t GetTaskbarEdge();
