// Sizes of the stack view: how wide its entries are, when a folder is too
// crowded to list, how large the window's client area is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/viewer/StackEntries.h"
#include "core/viewer/ViewMetrics.h"

// The design sizes at 96 DPI; TViewMetrics has them at any DPI.
constexpr std::int32_t kMinEntryWidth = kDesignMetrics.MinEntryWidth;
constexpr std::int32_t kEntryWidthAllowance = kDesignMetrics.EntryWidthAllowance;
constexpr std::int32_t kClientPadding = kDesignMetrics.ClientPadding;

// The name with the most characters (without extension; folders first, then
// files, in listing order; the earliest wins a tie).
std::wstring LongestName(const TFolderListing& unsortedListing);
// "Go back to: " + the parent's name (the text is measured even when no
// go-back entry is shown).
std::wstring GoBackText(const std::wstring& folder);
// The largest of 200 and truncate(1.1 x width) + 65 for both measured texts
// (200 and 65 scaled to the metrics' DPI).
std::int32_t EntryWidth(std::int32_t goBackTextWidth, std::int32_t longestNameWidth,
                        const TViewMetrics& metrics = kDesignMetrics);
// A folder whose entries do not fit the work area's height is crowded.
bool IsCrowded(std::int32_t workAreaHeight, long long entryCount, const TViewMetrics& metrics = kDesignMetrics);

struct TSizeI {
  std::int32_t Width = 0, Height = 0;
};
// The client area of a stack of entryCount entries (go-back and Explore
// included), each entryWidth wide and one entry height high, plus padding.
TSizeI StackClientSize(std::int32_t entryWidth, std::size_t entryCount, const TViewMetrics& metrics = kDesignMetrics);
// A stack taller than its work area gets the outer height workAreaHeight - 4
// (4 scaled); otherwise the outer height stays.
std::int32_t StackOuterHeight(std::int32_t outerHeight, std::int32_t clientHeight, std::int32_t workAreaHeight,
                              const TViewMetrics& metrics = kDesignMetrics);
