#include "shared/TextMeasure.h"

#include "shared/ScopedWin.h"

int TextWidth(HFONT font, const std::wstring& text) {
  const TScreenDC screen;
  const TSelectObject select(screen.Get(), font);
  SIZE size = {0, 0};
  ::GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}
