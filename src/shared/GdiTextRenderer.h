// Text measured and rendered by GDI in one font, into 32-bit images with
// alpha (see core/TextRenderer.h for the contract).
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/text/TextRenderer.h"
#include "shared/ScopedWin.h"

class TGdiTextRenderer : public TTextRenderer {
public:
  // The font of that face, point size (at a DPI, the screen's when 0) and
  // weight. A face GDI does not have falls back as GDI's font mapper decides.
  TGdiTextRenderer(std::wstring face, int pointSize, bool bold, int dpi = 0);

  // GetTextExtentPoint32W of the font at its own size.
  TTextExtent Measure(const std::wstring& text) const override;
  // Glyphs drawn white on black into a 32-bit DIB at 2^level times the size
  // (level capped at 3), the coverage of each scale x scale block averaged,
  // then the colour put down with coverage times its alpha. The coverage of
  // the last text rendered is kept: a halo draws one text five times.
  void Render(TBitmap32& target, int x, int y, const std::wstring& text, TColor32 color,
              std::uint8_t antialiasLevel) const override;

private:
  static constexpr int kMaxLevel = 3;
  HFONT FontAtLevel(int level) const;

  // One text's coverage at one level, a byte a pixel, rows top to bottom.
  struct TCoverage {
    std::wstring Text;
    int Level = -1;
    int Width = 0, Height = 0;
    std::vector<std::uint8_t> Values;
  };
  const TCoverage& CoverageOf(const std::wstring& text, int level) const;

  std::wstring face_;
  int pixelHeight_;  // the em height at level 0
  bool bold_;
  TMemoryDC dc_;
  mutable std::array<TFont, kMaxLevel + 1> fonts_;  // made on first use
  mutable TCoverage coverage_;
};
