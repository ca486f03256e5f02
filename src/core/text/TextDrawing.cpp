#include "core/text/TextDrawing.h"

#include "core/raster/Blend.h"
#include "core/raster/BoxBlur.h"

namespace {

const std::wstring kEllipsis = L"...";

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Whether cutting after `length` characters would part a surrogate pair.
bool SplitsPair(const std::wstring& text, std::size_t length) {
  return length < text.size() && IsHighSurrogate(text[length - 1]) && IsLowSurrogate(text[length]);
}

std::int32_t AlignedTop(const TRectI& rect, std::int32_t height, std::uint8_t vAlign) {
  switch (vAlign) {
    case kVAlignCentre: return rect.Top + (RectHeight(rect) - height) / 2;
    case kVAlignBottom: return rect.Bottom - height;
    default: return rect.Top;
  }
}

}  // namespace

std::int32_t PadTextWidth(std::int32_t width) {
  const long long tenths = 11LL * width;
  long long whole = tenths / 10;
  long long rest = tenths % 10;
  if (rest < 0) {  // floor, so negative widths round the same way
    whole -= 1;
    rest += 10;
  }
  if (rest > 5 || (rest == 5 && whole % 2 != 0)) whole += 1;
  return static_cast<std::int32_t>(whole);
}

std::int32_t PaddedTextWidth(const TTextRenderer& font, const std::wstring& text) {
  return PadTextWidth(font.Measure(text).Width);
}

TTextLayout LayOutTextEllipsis(const TTextRenderer& font, const TRectI& rect, const std::wstring& text,
                               std::uint8_t hAlign, std::uint8_t vAlign) {
  TTextLayout layout;
  if (text.empty()) return layout;
  const TTextExtent whole = font.Measure(text);
  layout.Y = AlignedTop(rect, whole.Height, vAlign);
  if (RectWidth(rect) >= PadTextWidth(whole.Width)) {
    layout.Text = text;
    switch (hAlign) {
      case kHAlignCentre: layout.X = rect.Left + (RectWidth(rect) - whole.Width) / 2; break;
      case kHAlignRight: layout.X = rect.Right - whole.Width; break;
      default: layout.X = rect.Left; break;
    }
    return layout;
  }

  const std::int32_t room = RectWidth(rect) - PaddedTextWidth(font, kEllipsis);
  std::size_t length = text.size();
  for (; length > 0; --length) {
    if (SplitsPair(text, length)) continue;
    if (font.Measure(text.substr(0, length)).Width <= room) break;
  }
  layout.Text = text.substr(0, length) + kEllipsis;
  layout.Cut = true;
  layout.X = hAlign == kHAlignRight ? rect.Right - font.Measure(layout.Text).Width : rect.Left;
  return layout;
}

void DrawTextEllipsis(TBitmap32& bitmap, const TTextRenderer& font, const TRectI& rect, const std::wstring& text,
                      std::uint8_t antialiasLevel, TColor32 color, std::uint8_t hAlign, std::uint8_t vAlign) {
  const TTextLayout layout = LayOutTextEllipsis(font, rect, text, hAlign, vAlign);
  if (layout.Text.empty()) return;
  font.Render(bitmap, layout.X, layout.Y, layout.Text, color, antialiasLevel);
}

void DrawHaloText(TBitmap32& bitmap, const TTextRenderer& font, const TRectI& rect, const std::wstring& text,
                  std::uint8_t antialiasLevel, std::uint8_t hAlign, std::uint8_t vAlign, TColor32 textColor,
                  TColor32 haloColor, bool upLeft, bool upRight, bool downLeft, bool downRight, bool drawText,
                  std::int32_t sx, std::int32_t sy, bool blur, int radius, int passes) {
  if (text.empty() || bitmap.Empty()) return;
  TBitmap32 layer(bitmap.Width(), bitmap.Height());
  layer.SetDrawMode(TDrawMode::Blend);
  layer.SetCombineMode(TCombineMode::Merge);

  const struct {
    bool on;
    std::int32_t dx, dy;
  } copies[] = {{upLeft, -sx, -sy}, {upRight, sx, -sy}, {downLeft, -sx, sy}, {downRight, sx, sy}};
  for (const auto& copy : copies) {
    if (!copy.on) continue;
    DrawTextEllipsis(layer, font, MoveRectEdges(rect, copy.dx, copy.dy, copy.dx, copy.dy), text, antialiasLevel,
                     haloColor, hAlign, vAlign);
  }
  if (blur) BoxBlur(layer, radius, passes);
  if (drawText) DrawTextEllipsis(layer, font, rect, text, antialiasLevel, textColor, hAlign, vAlign);
  DrawBitmap(bitmap, 0, 0, layer);
}
