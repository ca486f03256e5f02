// Pure rules of fitting the windows to the Vista and Windows 7 desktop: the
// system-font rule and the layout of glass margins. The Win32 layer supplies
// the system's facts and applies the answers.
#pragma once

#include <string>

#include "core/viewer/Placement.h"

// A window's font as a name and a size in points.
struct TFontDescription {
  std::wstring Name;
  int PointSize = 8;
  bool Bold = false;
};

// The font rule acts only on Vista and later while this is on (both programs
// keep it on); with it off the rule would act on every version.
constexpr bool kSystemFontOnlyOnVista = true;

// On Vista or later (unless the Vista restriction is off), when the font is
// not already "Segoe UI" (any case) and "Segoe UI" is installed, the font
// grows by one point and becomes "Segoe UI". Gives whether it changed the
// font, so a second call changes nothing.
bool ApplySystemFontRule(TFontDescription& font, bool vistaOrLater, bool segoeInstalled);

extern const wchar_t kSystemFontName[];  // "Segoe UI"

// The four widths of a window's glass bands, in the field order of the
// desktop window manager's MARGINS structure.
struct TMarginsValues {
  int cxLeftWidth;
  int cxRightWidth;
  int cyTopHeight;
  int cyBottomHeight;
};

// Maps a rectangle of band widths onto MARGINS by edge, not by position:
// left, top, right, bottom become left, right, top, bottom widths.
TMarginsValues MarginsFromRect(const TRectI& margins);
