#include "core/raster/IconScaling.h"

#include <algorithm>
#include <iterator>

#include "core/raster/Resamplers.h"

TIconSource IconSourceFor(std::int32_t targetSize, std::int32_t smallListSize, std::int32_t largeListSize,
                          std::int32_t extraLargeListSize) {
  struct TList {
    TShellIconList List;
    std::int32_t Size;
  };
  TList lists[] = {{TShellIconList::Small, smallListSize},
                   {TShellIconList::Large, largeListSize},
                   {TShellIconList::ExtraLarge, extraLargeListSize},
                   {TShellIconList::Jumbo, 256}};
  // Stable, so of two lists of one size the system's own comes first.
  std::stable_sort(std::begin(lists), std::end(lists), [](const TList& a, const TList& b) { return a.Size < b.Size; });
  std::size_t chosen = std::size(lists) - 1;
  for (std::size_t i = 0; i < std::size(lists); ++i)
    if (lists[i].Size >= targetSize) {
      chosen = i;
      break;
    }
  std::size_t fallback = chosen;
  while (fallback > 0 && lists[fallback].Size >= lists[chosen].Size) --fallback;
  return {lists[chosen].List, lists[chosen].Size, lists[fallback].List, lists[fallback].Size};
}

bool IsSmallImageOnLargeCanvas(const TBitmap32& icon, std::int32_t smallSize) {
  int left = icon.Width(), top = icon.Height(), right = -1, bottom = -1;
  for (int y = 0; y < icon.Height(); ++y) {
    const TColor32* row = icon.Row(y);
    for (int x = 0; x < icon.Width(); ++x) {
      if (AlphaOf(row[x]) == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return true;
  return right - left + 1 <= smallSize && bottom - top + 1 <= smallSize;
}

TBitmap32 ResizeIcon(const TBitmap32& icon, std::int32_t size) {
  TBitmap32 target(size, size);
  if (icon.Empty() || target.Empty()) return target;
  TBitmap32 source = icon;
  const bool farDown = 2 * size < icon.Width() || 2 * size < icon.Height();
  source.SetResampler(farDown ? DraftResampler() : LinearResampler());
  source.SetDrawMode(TDrawMode::Opaque);
  StretchBitmap(target, {0, 0, size, size}, source);
  return target;
}
