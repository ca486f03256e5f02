// Where the toolkit's hint window goes and what lines it shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/base/Rect.h"

// The lines of a hint: its text cut at each carriage return (an empty text is
// one empty line).
std::vector<std::wstring> HintLines(const std::wstring& text);

// The top-left corner of a hint window of a size shown for the pointer at a
// screen point, on the work area of the pointer's monitor, with spacing
// scaled to a DPI: below the pointer, moved left to stay on the work area,
// above the pointer when it would cross the bottom, never above or left of
// the work area.
TPointI HintWindowPosition(TPointI pointer, std::int32_t width, std::int32_t height, const TRectI& workArea,
                           std::int32_t dpi);
