#include "core/creator/MessageBoxLayout.h"

namespace {
constexpr int kGap = 8;
constexpr int kImageWidth = 16;
constexpr int kMargins = 24;
}  // namespace

TMDButton MakeButton(bool visible, std::uint8_t imageNumber, const std::wstring& caption, bool isDefault,
                     std::int32_t modalResult) {
  return TMDButton{visible, imageNumber, caption, isDefault, modalResult};
}

TMDButton NoButton() { return TMDButton{}; }

int MessageTextExtraHeight(int neededHeight, int dpi) {
  if (dpi <= 0) dpi = kDesignDpi;
  const int shown = ScaleForDpi(kMessageTextTop + kMessageTextHeight, dpi) - ScaleForDpi(kMessageTextTop, dpi);
  const int missing = neededHeight - shown;
  if (missing <= 0) return 0;
  const int extra = (missing * kDesignDpi + dpi - 1) / dpi;
  return extra > kMostMessageExtraHeight ? kMostMessageExtraHeight : extra;
}

int MessageButtonWidth(int captionWidth, int dpi) {
  return captionWidth + ScaleForDpi(kImageWidth, dpi) + ScaleForDpi(kMargins, dpi);
}

std::array<int, 4> ArrangeButtons(const std::array<bool, 4>& visible, const std::array<int, 4>& widths,
                                  const std::array<int, 4>& currentLefts, int clientWidth, int dpi) {
  const int gap = ScaleForDpi(kGap, dpi);
  std::array<int, 4> lefts = currentLefts;
  // The number of leading visible buttons, when no button after them is visible.
  int row = 0;
  while (row < 4 && visible[row]) ++row;
  bool rowOnly = row > 0;
  for (int i = row; i < 4; ++i) rowOnly = rowOnly && !visible[i];

  if (rowOnly) {
    int total = gap * (row - 1);
    for (int i = 0; i < row; ++i) total += widths[i];
    int left = (clientWidth - total) / 2;  // truncated toward zero, as the layout always was
    for (int i = 0; i < row; ++i) {
      lefts[i] = left;
      left += widths[i] + gap;
    }
    return lefts;
  }
  lefts[0] = gap;
  if (visible[0] && visible[1] && visible[3]) {
    lefts[1] = lefts[0] + widths[0] + gap;
    lefts[3] = clientWidth - gap - widths[3];
  } else if (visible[0] && visible[3]) {
    lefts[3] = clientWidth - gap - widths[3];
  } else {
    for (int i = 1; i < 4; ++i) lefts[i] = lefts[i - 1] + widths[i - 1] + gap;
  }
  return lefts;
}

const wchar_t* SoundForIconType(int iconType) {
  switch (iconType) {
    case kIconWarningOutline:
    case kIconWarning: return L"SystemAsterisk";
    case kIconError: return L"SystemHand";
    case kIconQuestion: return L"SystemExclamation";
    default: return L"SystemQuestion";
  }
}
