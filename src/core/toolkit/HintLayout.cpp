#include "core/toolkit/HintLayout.h"

#include "core/base/Dpi.h"

namespace {

// At 96 DPI: the hint's top below the pointer, and its bottom above it.
constexpr std::int32_t kOffsetBelowPointer = 20;
constexpr std::int32_t kGapAbovePointer = 2;

}  // namespace

std::vector<std::wstring> HintLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(L'\r', start);
    lines.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  return lines;
}

TPointI HintWindowPosition(TPointI pointer, std::int32_t width, std::int32_t height, const TRectI& workArea,
                           std::int32_t dpi) {
  std::int32_t left = pointer.X, top = pointer.Y + ScaleForDpi(kOffsetBelowPointer, dpi);
  if (left + width > workArea.Right) left = workArea.Right - width;
  if (left < workArea.Left) left = workArea.Left;
  if (top + height > workArea.Bottom) top = pointer.Y - height - ScaleForDpi(kGapAbovePointer, dpi);
  if (top < workArea.Top) top = workArea.Top;
  return {left, top};
}
