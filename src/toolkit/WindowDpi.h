// The DPI of the monitor a window shows on, asked of the system in the most
// precise way it offers: per window on Windows 10, per monitor on Windows 8.1,
// else the screen's one DPI. The functions are looked up at run time.
#pragma once

#include <windows.h>

// The DPI of a window (a child gives its top-level window's).
int WindowDpi(HWND window);
// The DPI of the monitor that holds most of a screen rectangle.
int DpiOfArea(const RECT& area);
// The outer size of a window with this client size, style and extended style
// at a DPI (frame metrics of that DPI where the system has them).
SIZE OuterSizeForClientAtDpi(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);
// A rich edit sizes its text for the screen's one DPI; on a monitor of another
// DPI its text is zoomed by the ratio of the two.
void ZoomRichEditForDpi(HWND richEdit, int dpi);

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif
