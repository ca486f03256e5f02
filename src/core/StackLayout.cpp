// Sizes of the stack view. Text widths are measured by the caller (they need
// a font); everything that follows from them is plain arithmetic here.
#include "core/StackLayout.h"

#include "core/Placement.h"
#include "core/PathUtils.h"

#include <algorithm>
#include <limits>

namespace {

// truncate(1.1 x width) + allowance, exactly: 11/10 in integers, since the
// product in floating point can land just below a whole number.
std::int64_t WidenedWidth(std::int32_t textWidth) {
  return static_cast<std::int64_t>(textWidth) * 11 / 10 + kEntryWidthAllowance;
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

std::int32_t EntryWidth(std::int32_t goBackTextWidth, std::int32_t longestNameWidth) {
  const std::int64_t widest =
      std::max<std::int64_t>({kMinEntryWidth, WidenedWidth(goBackTextWidth), WidenedWidth(longestNameWidth)});
  return static_cast<std::int32_t>(std::min<std::int64_t>(widest, std::numeric_limits<std::int32_t>::max()));
}

TSizeI StackClientSize(std::int32_t entryWidth, std::size_t entryCount) {
  const auto clamp = [](std::int64_t v) {
    return static_cast<std::int32_t>(std::min<std::int64_t>(v, std::numeric_limits<std::int32_t>::max()));
  };
  return {clamp(static_cast<std::int64_t>(entryWidth) + kClientPadding),
          clamp(static_cast<std::int64_t>(entryCount) * kStackEntryHeight + kClientPadding)};
}

std::int32_t StackOuterHeight(std::int32_t outerHeight, std::int32_t clientHeight, std::int32_t workAreaHeight) {
  return workAreaHeight < clientHeight ? workAreaHeight - 4 : outerHeight;
}

bool IsCrowded(std::int32_t workAreaHeight, long long entryCount) {
  // The same capacity decides whether a stack opens as a grid at start-up.
  return StackFallsBackToGrid(workAreaHeight, entryCount);
}
