#include "core/ViewMetrics.h"

#include <algorithm>
#include <iterator>

TIconSource IconSourceFor(std::int32_t targetSize, std::int32_t smallListSize, std::int32_t largeListSize) {
  struct TList {
    TShellIconList List;
    std::int32_t Size;
  };
  TList lists[] = {{TShellIconList::Small, smallListSize},
                   {TShellIconList::Large, largeListSize},
                   {TShellIconList::ExtraLarge, 48},
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
