// Sizes of the stack view. Text widths are measured by the caller (they need
// a font); everything that follows from them is plain arithmetic here.
#include "core/viewer/StackLayout.h"

#include "core/viewer/Placement.h"
#include "core/base/PathUtils.h"

#include <algorithm>
#include <limits>

namespace {

// truncate(1.1 x width) + allowance, exactly: 11/10 in integers, since the
// product in floating point can land just below a whole number.
std::int64_t WidenedWidth(std::int32_t textWidth, std::int32_t allowance) {
  return static_cast<std::int64_t>(textWidth) * 11 / 10 + allowance;
}

}  // namespace

std::wstring LongestName(const TFolderListing& unsortedListing) {
  std::wstring longest;
  // Strictly longer only, so the earliest name wins a tie; folders are walked
  // first. Length counts UTF-16 code units on Windows, as the measuring does.
  for (const auto* list : {&unsortedListing.Folders, &unsortedListing.Files})
    for (const std::wstring& path : *list) {
      std::wstring name = ExtractFileNameNoExt(path);
      if (name.size() > longest.size()) longest = std::move(name);
    }
  return longest;
}

std::wstring GoBackText(const std::wstring& folder) {
  return L"Go back to: " + ExtractFileNameNoExt(StripTrailingBackslash(ExtractParentFolder(folder)));
}

std::int32_t EntryWidth(std::int32_t goBackTextWidth, std::int32_t longestNameWidth, const TViewMetrics& metrics) {
  const std::int32_t allowance = metrics.EntryWidthAllowance;
  const std::int64_t widest = std::max<std::int64_t>(
      {metrics.MinEntryWidth, WidenedWidth(goBackTextWidth, allowance), WidenedWidth(longestNameWidth, allowance)});
  return static_cast<std::int32_t>(std::min<std::int64_t>(widest, std::numeric_limits<std::int32_t>::max()));
}

TSizeI StackClientSize(std::int32_t entryWidth, std::size_t entryCount, const TViewMetrics& metrics) {
  const auto clamp = [](std::int64_t v) {
    return static_cast<std::int32_t>(std::min<std::int64_t>(v, std::numeric_limits<std::int32_t>::max()));
  };
  return {clamp(static_cast<std::int64_t>(entryWidth) + metrics.ClientPadding),
          clamp(static_cast<std::int64_t>(entryCount) * metrics.StackEntryHeight + metrics.ClientPadding)};
}

std::int32_t StackOuterHeight(std::int32_t outerHeight, std::int32_t clientHeight, std::int32_t workAreaHeight,
                              const TViewMetrics& metrics) {
  return workAreaHeight < clientHeight ? workAreaHeight - metrics.TallStackMargin : outerHeight;
}

bool IsCrowded(std::int32_t workAreaHeight, long long entryCount, const TViewMetrics& metrics) {
  // The same capacity decides whether a stack opens as a grid at start-up.
  return StackFallsBackToGrid(workAreaHeight, entryCount, metrics);
}
