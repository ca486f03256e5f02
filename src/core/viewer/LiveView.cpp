#include "core/viewer/LiveView.h"

#include <algorithm>
#include <string>
#include <vector>

std::uint64_t RebuildDueAt(std::optional<std::uint64_t> lastRebuiltAt, std::uint64_t firstPending) {
  const std::uint64_t settled = firstPending + kRebuildSettleMilliseconds;
  if (!lastRebuiltAt) return settled;
  return std::max(settled, *lastRebuiltAt + kRebuildSpacingMilliseconds);
}

std::uint64_t TRebuildPacer::Change(std::uint64_t now) {
  // The first change not yet shown sets the time: later ones of a burst ride
  // with it, so a steady stream of changes never holds the rebuild back.
  if (!firstPending_) firstPending_ = now;
  return *WaitFrom(now);
}

std::optional<std::uint64_t> TRebuildPacer::WaitFrom(std::uint64_t now) const {
  if (!firstPending_) return std::nullopt;
  const std::uint64_t due = RebuildDueAt(lastRebuiltAt_, *firstPending_);
  return due > now ? due - now : 0;
}

TLiveRebuild DecideLiveRebuild(const TLiveViewState& state) {
  if (!state.Visible || state.Closing) return TLiveRebuild::Never;
  // A shell menu or drag holds the entry it was opened on, and a rebuild
  // under way finishes first: the changes are shown after them.
  if (state.ShellBusy || state.Rebuilding) return TLiveRebuild::Later;
  return TLiveRebuild::Now;
}

TViewKind LiveViewKind(TViewKind started, TViewKind shown, bool atStackFolder, bool stackFallsBackToGrid) {
  if (started == TViewKind::Stack && atStackFolder) return stackFallsBackToGrid ? TViewKind::Grid : TViewKind::Stack;
  return shown;
}

namespace {

std::vector<std::wstring> Sorted(std::vector<std::wstring> names) {
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

bool ListingChanged(const TFolderListing& shown, const TFolderListing& now) {
  if (shown.Folders.size() != now.Folders.size() || shown.Files.size() != now.Files.size()) return true;
  return Sorted(shown.Folders) != Sorted(now.Folders) || Sorted(shown.Files) != Sorted(now.Files);
}
