// TBitmap32 and GDI: device bitmaps made from 32-bit images, and back.
#pragma once

#include <windows.h>

#include "core/raster/Bitmap32.h"
#include "core/base/Rect.h"
#include "shared/ScopedWin.h"

// A GDI colour as a TColor32 of the given alpha.
inline TColor32 FromColorRef(COLORREF color, std::uint8_t alpha = 255) {
  return Color32(alpha, GetRValue(color), GetGValue(color), GetBValue(color));
}

// Straight alpha for BitBlt, where alpha is ignored; premultiplied for
// AlphaBlend with AC_SRC_ALPHA, which expects colours already scaled by alpha.
enum class TDibAlpha { Straight, Premultiplied };

// An uninitialised 32-bit top-down DIB section of the given size for dc (the
// screen's when null); bits receives its pixels, laid out as TColor32 (blue in
// the low byte). Empty, and bits null, when GDI refuses.
TBitmap CreateTopDownDib(HDC dc, int width, int height, TColor32*& bits);

// A 32-bit top-down DIB section with the bitmap's pixels. Empty for an empty
// bitmap or when GDI refuses.
TBitmap CreateDeviceBitmap(const TBitmap32& bitmap, TDibAlpha alpha);

// The pixels under `rect` of a device context, fully opaque (GDI keeps no
// alpha). Pixels outside the device's surface come back as GDI gives them.
TBitmap32 CopyFromDC(HDC dc, const TRectI& rect);

// Copies the bitmap's colours onto a device context with its top-left corner
// at (x, y), ignoring alpha.
void PaintBitmap32(HDC dc, int x, int y, const TBitmap32& bitmap);

// Lays a colour of straight alpha over the pixels under rect of a device
// context: GDI's own fills know no alpha.
void FillBlended(HDC dc, const RECT& rect, TColor32 color);
