#include "shared/GdiTextRenderer.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/raster/Blend.h"
#include "shared/DeviceBitmap.h"

namespace {

SIZE TextExtent(HDC dc, HFONT font, const std::wstring& text) {
  const TSelectObject selected(dc, font);
  SIZE size = {};
  if (!::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size)) size = SIZE{};
  return size;
}

}  // namespace

TGdiTextRenderer::TGdiTextRenderer(std::wstring face, int pointSize, bool bold, int dpi)
    : face_(std::move(face)), bold_(bold), dc_(::CreateCompatibleDC(nullptr)) {
  if (dpi <= 0) {
    const TScreenDC screen;
    dpi = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
  }
  pixelHeight_ = ::MulDiv(pointSize, dpi, 72);
}

HFONT TGdiTextRenderer::FontAtLevel(int level) const {
  TFont& font = fonts_[static_cast<std::size_t>(level)];
  if (!font) {
    // Plain glyphs at every size: at the larger ones the averaging down is
    // what smooths them, and system smoothing would only blur the coverage.
    font.Reset(::CreateFontW(-pixelHeight_ * (1 << level), 0, 0, 0, bold_ ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, face_.c_str()));
  }
  return font.Get();
}

TTextExtent TGdiTextRenderer::Measure(const std::wstring& text) const {
  const SIZE size = TextExtent(dc_.Get(), FontAtLevel(0), text);
  return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

const TGdiTextRenderer::TCoverage& TGdiTextRenderer::CoverageOf(const std::wstring& text, int level) const {
  if (coverage_.Level == level && coverage_.Text == text) return coverage_;
  coverage_ = TCoverage{};
  const int scale = 1 << level;
  HFONT font = FontAtLevel(level);
  const SIZE big = TextExtent(dc_.Get(), font, text);
  const int width = (static_cast<int>(big.cx) + scale - 1) / scale;
  const int height = (static_cast<int>(big.cy) + scale - 1) / scale;
  TColor32* raw = nullptr;
  const TBitmap dib =
      width > 0 && height > 0 ? CreateTopDownDib(dc_.Get(), width * scale, height * scale, raw) : TBitmap();
  if (!dib) return coverage_;  // empty, or too large for GDI: nothing is drawn
  const int dibWidth = width * scale;
  {
    const TSelectObject selectedBitmap(dc_.Get(), dib.Get());
    const TSelectObject selectedFont(dc_.Get(), font);
    std::memset(raw, 0,
                static_cast<std::size_t>(dibWidth) * static_cast<std::size_t>(height * scale) * sizeof(TColor32));
    ::SetBkMode(dc_.Get(), TRANSPARENT);
    ::SetTextColor(dc_.Get(), RGB(255, 255, 255));
    ::SetTextAlign(dc_.Get(), TA_LEFT | TA_TOP | TA_NOUPDATECP);
    ::TextOutW(dc_.Get(), 0, 0, text.c_str(), static_cast<int>(text.size()));
    ::GdiFlush();
  }
  coverage_.Values.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  const std::uint32_t blockArea = static_cast<std::uint32_t>(scale * scale);
  for (int oy = 0; oy < height; ++oy) {
    for (int ox = 0; ox < width; ++ox) {
      std::uint32_t sum = 0;
      for (int by = 0; by < scale; ++by) {
        const TColor32* row = raw + static_cast<std::size_t>(oy * scale + by) * static_cast<std::size_t>(dibWidth) +
                              static_cast<std::size_t>(ox * scale);
        // Any channel would do for white on black; the largest survives a
        // driver that smooths anyway.
        for (int bx = 0; bx < scale; ++bx) sum += std::max({RedOf(row[bx]), GreenOf(row[bx]), BlueOf(row[bx])});
      }
      coverage_.Values[static_cast<std::size_t>(oy) * static_cast<std::size_t>(width) + static_cast<std::size_t>(ox)] =
          static_cast<std::uint8_t>((sum + blockArea / 2) / blockArea);
    }
  }
  coverage_.Text = text;
  coverage_.Level = level;
  coverage_.Width = width;
  coverage_.Height = height;
  return coverage_;
}

void TGdiTextRenderer::Render(TBitmap32& target, int x, int y, const std::wstring& text, TColor32 color,
                              std::uint8_t antialiasLevel) const {
  if (text.empty() || target.Empty() || AlphaOf(color) == 0 || !dc_) return;
  const TCoverage& coverage = CoverageOf(text, std::min<int>(antialiasLevel, kMaxLevel));
  // Only the part that lands on the target is put down.
  const int left = std::max(0, -x), top = std::max(0, -y);
  const int right = static_cast<int>(std::min<long long>(coverage.Width, static_cast<long long>(target.Width()) - x));
  const int bottom =
      static_cast<int>(std::min<long long>(coverage.Height, static_cast<long long>(target.Height()) - y));
  const std::uint32_t opacity = AlphaOf(color);
  const TColor32 rgb = color & 0x00FFFFFFu;
  for (int oy = top; oy < bottom; ++oy) {
    for (int ox = left; ox < right; ++ox) {
      const std::uint32_t value =
          coverage.Values[static_cast<std::size_t>(oy) * static_cast<std::size_t>(coverage.Width) +
                          static_cast<std::size_t>(ox)];
      const std::uint32_t alpha = (value * opacity + 127) / 255;
      if (alpha != 0) BlendPixel(target, x + ox, y + oy, rgb | (alpha << 24));
    }
  }
}
