#include "core/base/DesktopRules.h"

#include "core/base/ExtraStrUtils.h"

const wchar_t kSystemFontName[] = L"Segoe UI";

bool ApplySystemFontRule(TFontDescription& font, bool vistaOrLater, bool segoeInstalled) {
  if (kSystemFontOnlyOnVista && !vistaOrLater) return false;
  if (AsciiLowerCase(font.Name) == AsciiLowerCase(kSystemFontName)) return false;
  if (!segoeInstalled) return false;
  font.PointSize += 1;
  font.Name = kSystemFontName;
  return true;
}

TMarginsValues MarginsFromRect(const TRectI& margins) {
  return {margins.Left, margins.Right, margins.Top, margins.Bottom};
}
