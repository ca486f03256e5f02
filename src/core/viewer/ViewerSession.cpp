#include "core/viewer/ViewerSession.h"

#include "core/imaging/ThumbnailPool.h"

bool ClosesOnDeactivation(const TDeactivation& state) {
  return !state.Activating && !state.CloseBySecondClick && state.Visible && !state.ShowingMessage && !state.Closing &&
         !state.ShellBusy;
}

TCloseWay DecideClose(bool animate, TViewKind view, bool slidingOut) {
  if (!animate || (view != TViewKind::Stack && view != TViewKind::Grid)) return TCloseWay::AtOnce;
  return slidingOut ? TCloseWay::SlideRuns : TCloseWay::Slide;
}

TResumeAction DecideResume(bool otherProgramInForeground, bool closeBySecondClick) {
  if (!otherProgramInForeground) return TResumeAction::Reactivate;
  return closeBySecondClick ? TResumeAction::Stay : TResumeAction::Close;
}

void TShellLinger::Start(std::uint32_t nowMilliseconds, bool verbShowsWindow, bool shellAtWork) {
  since_ = nowMilliseconds;
  grace_ = verbShowsWindow ? kWindowGraceMilliseconds : 0;
  sawShell_ = shellAtWork;
}

bool TShellLinger::Done(std::uint32_t nowMilliseconds, bool shellAtWork) {
  if (shellAtWork) {
    sawShell_ = true;
    return false;
  }
  // Unsigned difference: a wrap of the tick count in between does no harm.
  return sawShell_ || nowMilliseconds - since_ >= grace_;
}

bool IsDraggedEntry(TEntryKind kind, const std::wstring& path) {
  return !path.empty() && (kind == TEntryKind::File || kind == TEntryKind::Folder);
}

unsigned ThumbnailWorkersFor(int forced, unsigned cores, std::size_t pictures) {
  return ThumbnailWorkerCount(forced > 0 ? static_cast<unsigned>(forced) : cores, pictures);
}
