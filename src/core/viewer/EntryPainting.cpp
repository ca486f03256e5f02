#include "core/viewer/EntryPainting.h"

#include <cstdlib>

#include "core/text/TextDrawing.h"

namespace {

// value x tenths / 10, rounded with halves away from zero, in integers.
int TenthsRounded(int value, int tenths) {
  const long long scaled = static_cast<long long>(value) * tenths;
  const long long magnitude = (std::llabs(scaled) + 5) / 10;
  return static_cast<int>(scaled < 0 ? -magnitude : magnitude);
}

}  // namespace

TRectI CaptionRectFor(TViewKind view, const TRectI& captionRect, const TRectI& clientAreaRect,
                      const TViewMetrics& metrics) {
  TRectI rect = captionRect;
  if (view == TViewKind::Grid) {
    const std::int32_t centre = captionRect.Left + RectWidth(captionRect) / 2;
    rect.Left = centre - metrics.GridCaptionLeft;
    rect.Right = centre + metrics.GridCaptionRight;
  } else {
    rect.Right = clientAreaRect.Right - metrics.StackCaptionInset;
  }
  return rect;
}

int CaptionPointSize(TViewKind view, int formPointSize) {
  if (view != TViewKind::Grid) return formPointSize;
  return TenthsRounded(formPointSize, 8);
}

int PreviewPointSize(int dialogPointSize) { return TenthsRounded(dialogPointSize, 9); }

TCaptionRecipe CaptionRecipeFor(TViewKind view, std::uint8_t textColor) {
  TCaptionRecipe recipe;
  recipe.HAlign = view == TViewKind::Grid ? kHAlignCentre : kHAlignLeft;
  recipe.BlackOnWhite = textColor == 1;
  // Only the stack's black-on-white halo is wide and soft.
  const bool wideHalo = recipe.BlackOnWhite && view != TViewKind::Grid;
  recipe.Shift = wideHalo ? 3 : 1;
  recipe.BlurRadius = wideHalo ? 3 : 1;
  recipe.BlurPasses = wideHalo ? 2 : 1;
  return recipe;
}

TCaptionRecipe PlainCaptionRecipeFor(TViewKind view, TColor32 color) {
  TCaptionRecipe recipe;
  recipe.HAlign = view == TViewKind::Grid ? kHAlignCentre : kHAlignLeft;
  recipe.PlainColor = color;
  return recipe;
}

void PaintCaption(TBitmap32& layer, const TTextRenderer& font, const TRectI& rect, const std::wstring& caption,
                  const TCaptionRecipe& recipe) {
  constexpr std::uint8_t kLevel = 2;
  if (recipe.PlainColor) {
    DrawTextEllipsis(layer, font, rect, caption, kLevel, *recipe.PlainColor, recipe.HAlign, kVAlignCentre);
    return;
  }
  const std::int32_t s = recipe.Shift;
  if (recipe.BlackOnWhite) {
    DrawHaloText(layer, font, rect, caption, kLevel, recipe.HAlign, kVAlignCentre, kColor32Black, kColor32White, true,
                 true, true, true, true, s, s, true, recipe.BlurRadius, recipe.BlurPasses);
    return;
  }
  DrawHaloText(layer, font, MoveRectEdges(rect, 1, 1, 1, 1), caption, kLevel, recipe.HAlign, kVAlignCentre,
               kColor32Black, kColor32Black, true, true, true, true, false, s, s, true, recipe.BlurRadius,
               recipe.BlurPasses);
  DrawTextEllipsis(layer, font, rect, caption, kLevel, kColor32White, recipe.HAlign, kVAlignCentre);
}
