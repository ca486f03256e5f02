#include "core/toolkit/ButtonEditLayout.h"

#include "core/base/Dpi.h"

namespace {

constexpr std::int32_t kTextGap = 2;  // at 96 DPI, between the text and the buttons

}  // namespace

TButtonEditLayout ButtonEditLayout(std::int32_t clientWidth, std::int32_t clientHeight,
                                   const std::vector<std::int32_t>& designWidths, std::int32_t dpi) {
  TButtonEditLayout layout;
  std::int32_t right = clientWidth;
  for (const std::int32_t designWidth : designWidths) {
    const std::int32_t width = ScaleForDpi(designWidth, dpi);
    right -= width;
    layout.Buttons.push_back({right, 0, right + width, clientHeight});
  }
  layout.RightMargin = clientWidth - right + ScaleForDpi(kTextGap, dpi);
  return layout;
}
