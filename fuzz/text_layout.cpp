// Captions cut with "..." to fit a rectangle, against a font whose character
// widths come from the input. The rectangle, alignments and widths come from
// the input's end, the text from its front.
#include <cstddef>
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzText.h"
#include "core/text/TextDrawing.h"

namespace {

// Widths add up character by character, as a font without kerning's do.
class TFuzzFont : public TTextRenderer {
public:
  TFuzzFont(std::uint32_t seed, int height) : seed_(seed), height_(height) {}
  int CharWidth(wchar_t c) const {
    return static_cast<int>((static_cast<std::uint32_t>(c) * 2654435761u ^ seed_) % 17);
  }
  TTextExtent Measure(const std::wstring& text) const override {
    int width = 0;
    for (const wchar_t c : text) width += CharWidth(c);
    return {width, height_};
  }
  void Render(TBitmap32&, int, int, const std::wstring&, TColor32, std::uint8_t) const override {}

private:
  std::uint32_t seed_;
  int height_;
};

bool IsHigh(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool Splits(const std::wstring& text, std::size_t length) {
  return length > 0 && length < text.size() && IsHigh(text[length - 1]) && IsLow(text[length]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  // Coordinates a window could have; widths stay far from overflowing.
  constexpr std::int32_t kFar = 1 << 20;
  TRectI rect;
  rect.Left = provider.ConsumeIntegralInRange<std::int32_t>(-kFar, kFar);
  rect.Top = provider.ConsumeIntegralInRange<std::int32_t>(-kFar, kFar);
  rect.Right = rect.Left + provider.ConsumeIntegralInRange<std::int32_t>(-64, 2048);
  rect.Bottom = rect.Top + provider.ConsumeIntegralInRange<std::int32_t>(-64, 256);
  const auto hAlign = provider.ConsumeIntegral<std::uint8_t>();
  const auto vAlign = provider.ConsumeIntegral<std::uint8_t>();
  const TFuzzFont font(provider.ConsumeIntegral<std::uint32_t>(), provider.ConsumeIntegralInRange<int>(0, 64));
  const std::vector<std::uint8_t> bytes = provider.ConsumeRemainingBytes<std::uint8_t>();
  const std::wstring text = WideText(bytes.data(), bytes.size()).substr(0, 1024);

  const TTextLayout layout = LayOutTextEllipsis(font, rect, text, hAlign, vAlign);
  if (text.empty()) {
    FUZZ_CHECK(layout.Text.empty() && !layout.Cut);
    return 0;
  }
  const int width = font.Measure(text).Width;
  if (!layout.Cut) {
    FUZZ_CHECK(layout.Text == text && RectWidth(rect) >= PadTextWidth(width));
    return 0;
  }
  FUZZ_CHECK(RectWidth(rect) < PadTextWidth(width));
  const std::wstring ellipsis = L"...";
  FUZZ_CHECK(layout.Text.size() >= ellipsis.size() &&
             layout.Text.compare(layout.Text.size() - ellipsis.size(), ellipsis.size(), ellipsis) == 0);
  const std::size_t kept = layout.Text.size() - ellipsis.size();
  // The whole text may be kept: it may fit beside "..." without fitting padded.
  FUZZ_CHECK(kept <= text.size() && text.compare(0, kept, layout.Text, 0, kept) == 0);
  FUZZ_CHECK(!Splits(text, kept));
  // The longest beginning that fits beside a padded "...": what is kept fits
  // (or is nothing), and one or two characters more would not.
  const int room = RectWidth(rect) - PadTextWidth(font.Measure(ellipsis).Width);
  FUZZ_CHECK(kept == 0 || font.Measure(text.substr(0, kept)).Width <= room);
  for (std::size_t more = kept + 1; more <= kept + 2 && more <= text.size(); ++more)
    FUZZ_CHECK(Splits(text, more) || font.Measure(text.substr(0, more)).Width > room);
  if (hAlign == kHAlignRight)
    FUZZ_CHECK(layout.X == rect.Right - font.Measure(layout.Text).Width);
  else
    FUZZ_CHECK(layout.X == rect.Left);
  return 0;
}
