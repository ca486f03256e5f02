// An open stack or grid follows its folder: the rules that decide when a
// change seen in the folder rebuilds the view, whether the view may be
// rebuilt now, what it becomes, and whether a new listing changes anything.
#pragma once

#include <cstdint>
#include <optional>

#include "core/viewer/CommandLine.h"
#include "core/viewer/StackEntries.h"

// The first change after a quiet time waits kRebuildSettleMilliseconds, so
// the first files of a burst come in one rebuild; rebuilds then follow at
// least kRebuildSpacingMilliseconds after the previous one ended, so a
// burst of changes keeps the view usable and costs a few listings, not one
// per file. The first change after a quiet time shows well within half a
// second.
constexpr std::uint64_t kRebuildSettleMilliseconds = 100;
constexpr std::uint64_t kRebuildSpacingMilliseconds = 300;

// When the rebuild that shows the changes pending since firstPending is due
// (milliseconds of a steady clock): settled after the first of them, and
// spaced after the last rebuild's end (none yet: nothing to space from).
std::uint64_t RebuildDueAt(std::optional<std::uint64_t> lastRebuiltAt, std::uint64_t firstPending);

// The state of the pacing between the folder's changes and the rebuilds.
// The caller keeps one timer: armed with what Change and WaitFrom answer,
// and asked again with WaitFrom when it fires.
class TRebuildPacer {
public:
  // A change seen at now: the milliseconds from now until its rebuild is due.
  std::uint64_t Change(std::uint64_t now);
  // Nothing when no change waits to be shown; otherwise the milliseconds
  // from now until the rebuild is due, 0 when it is due now.
  std::optional<std::uint64_t> WaitFrom(std::uint64_t now) const;
  // A rebuild begins: it shows every change seen so far. Changes seen while it
  // runs wait for the next one.
  void Begin() { firstPending_.reset(); }
  // The rebuild that began last has ended at now.
  void End(std::uint64_t now) { lastRebuiltAt_ = now; }
  // The pending changes are dropped (the view will not be shown again).
  void Drop() { firstPending_.reset(); }

private:
  std::optional<std::uint64_t> lastRebuiltAt_;
  std::optional<std::uint64_t> firstPending_;
};

// What the viewer is doing when a rebuild is due.
struct TLiveViewState {
  bool Visible = false;    // false: hidden while the shell finishes, never shown again
  bool Closing = false;    // the closing slide runs, or the window is going
  bool ShellBusy = false;  // a shell menu, verb or drag refers to the entries shown
  bool Rebuilding = false;
};
// Now; Later (the changes wait, the timer is armed again for
// kRebuildSpacingMilliseconds); Never (the changes are dropped).
enum class TLiveRebuild { Now, Later, Never };
TLiveRebuild DecideLiveRebuild(const TLiveViewState& state);

// The view a rebuild shows. A view started as a stack follows the start-up
// rule at the stack's own folder: a stack, or a grid when the stack would not
// fit its monitor, either way as the folder grows or shrinks. Elsewhere (a
// browsed sub-folder, where a stack turns crowded instead, or a view started
// as a grid) the view keeps its kind.
TViewKind LiveViewKind(TViewKind started, TViewKind shown, bool atStackFolder, bool stackFallsBackToGrid);

// Whether a new listing of the shown folder differs from the one shown, in
// the entries it names (the file system's order of them is not looked at).
bool ListingChanged(const TFolderListing& shown, const TFolderListing& now);
