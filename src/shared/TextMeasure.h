// Text measured as the screen draws it.
#pragma once

#include <windows.h>

#include <string>

// The width in pixels of a single line of text in font on the screen.
int TextWidth(HFONT font, const std::wstring& text);
