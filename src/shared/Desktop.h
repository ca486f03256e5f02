// Fitting both programs' windows to the Vista and Windows 7 desktop: the
// version test, glass (desktop composition), the system's user-interface font
// and the taskbar's screen edge. Everything runs on the UI thread and keeps
// no state between calls; dwmapi.dll is bound at run time on every call so
// the programs still start on systems without it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/base/DesktopRules.h"
#include "shared/ScopedWin.h"

// True when the system's major version is 6 or more.
bool IsWindowsVistaOrLater();

// True when desktop composition is on. False before Vista, without
// dwmapi.dll or without its DwmIsCompositionEnabled.
bool IsGlassEnabled();

// Turns the given bands of the window's client area into glass (left, top,
// right and bottom widths); -1 on all four edges glasses the whole client
// area. Does nothing without glass.
void ExtendGlassFrame(HWND window, const TRectI& margins);

// DwmSetWindowAttribute with a DWORD value; false without the DWM or when
// it refuses (an attribute this system does not know).
bool SetDwmWindowAttribute(HWND window, DWORD attribute, DWORD value);

// The system-font rule (core/DesktopRules.h) with this system's facts.
bool ApplySystemFont(TFontDescription& font);

// True when a font family of this name is installed (name compared as the
// font mapper does, without regard to case).
bool IsFontFamilyInstalled(const std::wstring& family);

// A GDI font for the description, its point size turned into pixels at the
// device's vertical resolution (the screen's when dc is null).
TFont CreateFontFromDescription(const TFontDescription& font, HDC dc = nullptr);
// The same at a given DPI (a monitor's, for a window aware of each monitor's
// DPI, whose fonts the screen's resolution does not size).
TFont CreateFontForDpi(const TFontDescription& font, int dpi);

// The text raised for a failed system call: the code and the system's text
// for it, or a generic sentence when the code is 0.
std::wstring OsErrorText(DWORD code);

// The screen edge the taskbar is docked at, as an ABE_ value: 0 left, 1 top,
// 2 right, 3 bottom. Raises EError when the taskbar cannot be asked.
std::uint8_t GetTaskbarEdge();
