#include "shared/DeviceBitmap.h"

#include <algorithm>
#include <cstring>

#include "core/raster/Blend.h"

namespace {

TColor32 Premultiplied(TColor32 c) {
  const std::uint32_t a = AlphaOf(c);
  const auto scale = [a](std::uint32_t v) { return static_cast<std::uint8_t>((v * a + 127) / 255); };
  return Color32(static_cast<std::uint8_t>(a), scale(RedOf(c)), scale(GreenOf(c)), scale(BlueOf(c)));
}

}  // namespace

// GDI's 32-bit DIB pixel, blue in the low byte, is laid out as TColor32.
TBitmap CreateTopDownDib(HDC dc, int width, int height, TColor32*& bits) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* raw = nullptr;
  TBitmap dib(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &raw, nullptr, 0));
  bits = dib ? static_cast<TColor32*>(raw) : nullptr;
  return dib;
}

TBitmap CreateDeviceBitmap(const TBitmap32& bitmap, TDibAlpha alpha) {
  if (bitmap.Empty()) return TBitmap();
  TColor32* bits = nullptr;
  TBitmap dib = CreateTopDownDib(nullptr, bitmap.Width(), bitmap.Height(), bits);
  if (!dib) return dib;
  const std::size_t count = static_cast<std::size_t>(bitmap.Width()) * static_cast<std::size_t>(bitmap.Height());
  if (alpha == TDibAlpha::Premultiplied)
    std::transform(bitmap.Bits(), bitmap.Bits() + count, bits, Premultiplied);
  else
    std::memcpy(bits, bitmap.Bits(), count * sizeof(TColor32));
  return dib;
}

TBitmap32 CopyFromDC(HDC dc, const TRectI& rect) {
  TBitmap32 result(RectWidth(rect), RectHeight(rect));
  if (result.Empty()) return result;
  TMemoryDC memory(::CreateCompatibleDC(dc));
  TColor32* bits = nullptr;
  const TBitmap dib = CreateTopDownDib(dc, result.Width(), result.Height(), bits);
  if (!memory || !dib) return result;
  {
    const TSelectObject selected(memory.Get(), dib.Get());
    ::BitBlt(memory.Get(), 0, 0, result.Width(), result.Height(), dc, rect.Left, rect.Top, SRCCOPY);
    ::GdiFlush();
    const std::size_t count = static_cast<std::size_t>(result.Width()) * static_cast<std::size_t>(result.Height());
    std::transform(bits, bits + count, result.Bits(), [](TColor32 c) { return c | 0xFF000000u; });
  }
  return result;
}

void PaintBitmap32(HDC dc, int x, int y, const TBitmap32& bitmap) {
  const TBitmap dib = CreateDeviceBitmap(bitmap, TDibAlpha::Straight);
  TMemoryDC memory(::CreateCompatibleDC(dc));
  if (!dib || !memory) return;
  const TSelectObject selected(memory.Get(), dib.Get());
  ::BitBlt(dc, x, y, bitmap.Width(), bitmap.Height(), memory.Get(), 0, 0, SRCCOPY);
}

void FillBlended(HDC dc, const RECT& rect, TColor32 color) {
  TBitmap32 under = CopyFromDC(dc, TRectI{rect.left, rect.top, rect.right, rect.bottom});
  if (under.Empty()) return;
  const std::size_t count = static_cast<std::size_t>(under.Width()) * static_cast<std::size_t>(under.Height());
  std::transform(under.Bits(), under.Bits() + count, under.Bits(),
                 [color](TColor32 c) { return BlendColor32(color, c); });
  PaintBitmap32(dc, rect.left, rect.top, under);
}
