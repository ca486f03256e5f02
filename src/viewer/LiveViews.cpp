// The form's stack and grid following their folder: the folder shown is
// watched while the view is open, and a change there rebuilds the same
// window in place once the core's pacing says so: no slide, placed beside
// the taskbar by the start-up rules, the entries planned as at start-up, the
// keyboard's selection kept on the same path.
#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>

#include "core/base/ScopeGuard.h"
#include "shared/RegUtils.h"
#include "viewer/Main.h"
#include "viewer/Trace.h"

namespace {

std::uint64_t SteadyMilliseconds() {
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
          .count());
}

// Views follow their folder unless the product's test-only key, which users
// never have, says 0: the tests of entries that go before the view notices
// (a click, a hint or a shell menu on them) need a view that never does.
bool FollowsFolders() {
  static const bool follows = RegReadInteger(kRegCompany, kRegApplication, L"Testing", L"LiveViews", 1) != 0;
  return follows;
}

}  // namespace

void TFormMain::FollowViewFolder() {
  if (!FollowsFolders()) return;
  // Changes seen in the folder left behind are not shown in the new one.
  if (FolderWatch.Folder() != viewFolder_) livePacer_.Drop();
  FolderWatch.Watch(viewFolder_, [this] { ViewFolderChanged(); });
}

void TFormMain::ViewFolderChanged() { ArmLiveRebuild(livePacer_.Change(SteadyMilliseconds())); }

void TFormMain::ArmLiveRebuild(std::uint64_t milliseconds) {
  // Setting the timer again replaces the one set before. USER_TIMER_MINIMUM
  // is the shortest a window timer waits anyway.
  ::SetTimer(Handle(), kLiveRebuildTimer, static_cast<UINT>(std::max<std::uint64_t>(milliseconds, USER_TIMER_MINIMUM)),
             nullptr);
}

void TFormMain::LiveRebuildTimerTimer() {
  ::KillTimer(Handle(), kLiveRebuildTimer);
  const std::optional<std::uint64_t> wait = livePacer_.WaitFrom(SteadyMilliseconds());
  if (!wait) return;
  if (*wait > 0) {
    ArmLiveRebuild(*wait);
    return;
  }
  switch (DecideLiveRebuild(
      {::IsWindowVisible(Handle()) != FALSE, Slides.ClosingRuns() || closing_, shellBusy_ > 0, rebuilding_})) {
    case TLiveRebuild::Never: livePacer_.Drop(); return;
    case TLiveRebuild::Later: ArmLiveRebuild(kRebuildSpacingMilliseconds); return;
    case TLiveRebuild::Now: break;
  }
  livePacer_.Begin();
  rebuilding_ = true;
  const auto ended = MakeScopeGuard([this] {
    rebuilding_ = false;
    livePacer_.End(SteadyMilliseconds());
  });
  RebuildInPlace();
}

void TFormMain::RebuildInPlace() {
  TToolbar& before = ViewKind == TViewKind::Stack ? ToolbarStack : ToolbarGrid;
  const int selected = before.Selected();
  const std::wstring selectedPath = selected >= 0 ? before.Items()[static_cast<std::size_t>(selected)].Hint : L"";

  // A folder that went lists as empty, as one that cannot be read: the view
  // then shows what such a folder shows.
  // The watch is renewed before the listing, so no change slips between them.
  FolderWatch.CheckFolder(true);
  TFolderListing listing = ListFolder(viewFolder_);
  if (!ListingChanged(viewListing_, listing)) return;  // a hidden file, or a name beside the folder
  TraceMark(L"live rebuild");
  viewListing_ = listing;
  // A rebuild never slides: a slide still opening ends at rest.
  StopOpeningSlide();

  // What start-up would show for this folder, but in this window.
  const bool atStackFolder = viewFolder_ == StackFolder;
  std::optional<TStackPlan> stack;
  if (ViewKind == TViewKind::Stack || (startedKind_ == TViewKind::Stack && atStackFolder))
    stack = PlanStackOf(viewFolder_, listing);
  const TViewKind kind = LiveViewKind(startedKind_, ViewKind, atStackFolder, stack && stack->FallsBackToGrid);
  if (kind == TViewKind::Stack) {
    if (ViewKind == TViewKind::Grid) {
      StopThumbnails();
      ::ShowWindow(DockTop.Handle(), SW_HIDE);
      ::ShowWindow(DockLeft.Handle(), SW_SHOWNA);
    }
    ViewKind = TViewKind::Stack;
    ApplyStack(viewFolder_, *stack);
  } else {
    if (ViewKind == TViewKind::Stack) {
      ::ShowWindow(DockLeft.Handle(), SW_HIDE);
      ::ShowWindow(DockTop.Handle(), SW_SHOWNA);
    }
    ViewKind = TViewKind::Grid;
    // The old tiles' pictures are dropped and the new tiles' started, as
    // when browsing.
    BuildGrid(viewFolder_, std::move(listing));
  }

  if (!selectedPath.empty()) {
    TToolbar& after = ViewKind == TViewKind::Stack ? ToolbarStack : ToolbarGrid;
    const std::vector<TToolbarItem>& items = after.Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].Hint != selectedPath) continue;
      after.SetSelected(static_cast<int>(i));
      break;
    }
  }
  WriteTrace();
}
