// The facts a view's look is chosen from (core/viewer/ViewLook.h), read
// from this system, and the look's frame applied through the DWM.
#pragma once

#include <windows.h>

#include "core/viewer/ViewLook.h"

TLookFacts ReadLookFacts();

// Rounded corners and the frame's dark mode, where the system has them; on
// other systems nothing is asked of the DWM.
void ApplyLookFrame(HWND window, const TViewLook& look);

// The system's acrylic behind the whole window, the frame spread over its
// client area, which then shows it wherever it paints nothing; or neither.
void ApplyBackdrop(HWND window, bool on);

// The creator's title bar in the apps' theme, where the system has the
// frame's dark mode.
void ApplyAppsFrame(HWND window);

// The GDI colour of an opaque TColor32.
inline COLORREF ToColorRef(TColor32 color) { return RGB(RedOf(color), GreenOf(color), BlueOf(color)); }
