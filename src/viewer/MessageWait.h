// A wait that keeps the user-interface thread's messages flowing, for the
// places that must finish something before they return (the grid's pictures,
// the closing slide) without making the window look hung.
#pragma once

#include <windows.h>

#include <functional>

// Handles this thread's messages, sleeping until each one comes, until done()
// holds (asked first, and again after every message). False when the window
// was destroyed meanwhile, or the program is ending (WM_QUIT, which is posted
// again for the main loop).
bool HandleMessagesUntil(HWND window, const std::function<bool()>& done);
