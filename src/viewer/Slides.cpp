// The slides, and the form's opening and closing of its stack and grid views.
#include "viewer/Slides.h"

#include "core/base/ScopeGuard.h"
#include "core/viewer/Placement.h"
#include "core/viewer/ViewerSession.h"
#include "shared/Desktop.h"
#include "shared/ExtraWinUtils.h"
#include "shared/Monitors.h"
#include "toolkit/Application.h"
#include "viewer/Main.h"
#include "viewer/MessageWait.h"

void TSlides::SetWindow(HWND window, bool alphaBlend) {
  window_ = window;
  alphaBlend_ = alphaBlend;
}

void TSlides::StartOpening(const TOpenSlide& slide, std::function<void()> onTick) {
  AnimStartLeft = slide.StartLeft;
  AnimStartTop = slide.StartTop;
  openSlide_ = slide;
  AnimStep = slide.Step();
  AnimAlphaStep = kSlideAlphaStep;
  ::SetWindowPos(window_, nullptr, AnimStartLeft, AnimStartTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetOpacity(0);
  AnimStartTime = NowDayTime();
  AnimEndTime = SlideEnd(AnimStartTime);
  // The ticks come on the clock's thread; each is handed to this thread and
  // applied here, in order, and none after the slide was stopped.
  const std::uint64_t job = dispatcher_.StartJob();
  animJob_ = job;
  AnimTimer.OnTimer = [this, job, onTick = std::move(onTick)] { dispatcher_.Post(job, onTick); };
  try {
    AnimTimer.SetEnabled(true);
  } catch (const ETickwellTimer&) {
    dispatcher_.CancelJob(job);
    throw;
  }
}

void TSlides::StopOpening() {
  AnimTimer.SetEnabled(false);
  dispatcher_.CancelJob(animJob_);
}

bool TSlides::RunClosing(std::uint8_t edge, std::int32_t startLeft, std::int32_t startTop, const TCloseSlide& slide) {
  closingRuns_ = true;
  const auto ended = MakeScopeGuard([this] { closingRuns_ = false; });
  AnimStartLeft = startLeft;
  AnimStartTop = startTop;
  AnimStep = slide.Step();
  AnimAlphaStep = kSlideAlphaStep;
  SetOpacity(255);
  AnimStartTime = NowDayTime();
  AnimEndTime = SlideEnd(AnimStartTime);
  const double end = AnimEndTime;
  const HWND window = window_;
  // The timer wakes the wait once a frame; a frame is worked out from the
  // clock when the thread is awake and one is due, whatever message woke it.
  ::SetTimer(window, kClosingTimer, static_cast<UINT>(kSlideFrameMilliseconds), nullptr);
  std::int64_t lastShown = kSlideMilliseconds + kSlideFrameMilliseconds;  // the first frame is due at once
  const bool done = HandleMessagesUntil(window, [&] {
    const double now = NowDayTime();
    if (now > end) return true;
    const std::int64_t remaining = RemainingMilliseconds(now, end);
    if (SlideFrameDue(lastShown, remaining)) {
      ApplyFrame(ClosingFrame(edge, slide, remaining));
      lastShown = remaining;
    }
    return false;
  });
  if (::IsWindow(window)) ::KillTimer(window, kClosingTimer);
  if (!done) return false;
  ApplyFrame(ClosingFrame(edge, slide, 0));
  return true;
}

void TSlides::SetOpacity(std::uint8_t alpha) const {
  if (alphaBlend_) ::SetLayeredWindowAttributes(window_, 0, alpha, LWA_ALPHA);
}

bool TSlides::SetLayered(bool layered) const {
  if (!alphaBlend_) return false;
  const LONG exStyle = ::GetWindowLongW(window_, GWL_EXSTYLE);
  if (((exStyle & WS_EX_LAYERED) != 0) == layered) return false;
  ::SetWindowLongW(window_, GWL_EXSTYLE, layered ? exStyle | WS_EX_LAYERED : exStyle & ~WS_EX_LAYERED);
  // A window made layered shows nothing until it has an opacity; one that
  // is no longer layered is painted again.
  if (layered)
    ::SetLayeredWindowAttributes(window_, 0, 255, LWA_ALPHA);
  else
    ::RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  return true;
}

void TSlides::ApplyFrame(const TSlideFrame& frame) const {
  RECT now = {};
  ::GetWindowRect(window_, &now);
  // One coordinate moves; the other stays where it is.
  const int left = frame.MovesTop ? now.left : frame.Position;
  const int top = frame.MovesTop ? frame.Position : now.top;
  ::SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetOpacity(frame.Alpha);
}

void TFormMain::DoOpenAnimation(const SIZE& outer) {
  // The shell is asked for the taskbar's edge once: the placement and the
  // slide's start both follow it.
  const std::uint8_t edge = GetTaskbarEdge();
  const TRestPlacement place =
      PlaceBesideTaskbar(MonitorWorkArea(MonitorIndex), edge, {StartCursorPos.x, StartCursorPos.y}, outer.cx, outer.cy,
                         RestLeft, RestTop, metrics_);
  RestLeft = place.RestLeft;
  RestTop = place.RestTop;
  ::SetWindowPos(Handle(), nullptr, RestLeft, RestTop, place.Width, place.Height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (!AnimateOpen) {
    ShowAtRest();
    return;
  }
  // Only the first showing of the process slides in.
  AnimateOpen = false;
  try {
    Slides.StartOpening(OpenSlideFor(edge, RestLeft, RestTop, place.Width, place.Height), [this] { AnimTimerTimer(); });
  } catch (const ETickwellTimer& error) {
    // Without a clock there is no slide: the window is placed at rest,
    // opaque and usable, and the error is reported.
    ShowAtRest();
    TApplication::Instance().ShowError(error.Message(), Handle());
  }
}

void TFormMain::AnimTimerTimer() {
  const double now = NowDayTime();
  const std::uint8_t edge = GetTaskbarEdge();
  Slides.ApplyFrame(
      OpeningFrame(edge, RestLeft, RestTop, Slides.Opening(), RemainingMilliseconds(now, Slides.AnimEndTime)));
  if (now >= Slides.AnimEndTime) {
    StopOpeningSlide();
    ShowAtRest();
  }
}

void TFormMain::StopOpeningSlide() { Slides.StopOpening(); }

void TFormMain::ShowAtRest() {
  ::SetWindowPos(Handle(), nullptr, RestLeft, RestTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Slides.SetOpacity(255);
  // The system draws no backdrop behind a layered window: a view that faded
  // in leaves its layering at rest, and takes it again to fade out.
  if (backdropWanted_ && Slides.SetLayered(false)) PaintLook();
  if (ViewKind == TViewKind::Stack) ::ShowWindow(ToolbarStack.Handle(), SW_SHOWNA);
  if (ViewKind == TViewKind::Grid) ::ShowWindow(ToolbarGrid.Handle(), SW_SHOWNA);
}

void TFormMain::DoCloseAnimation() {
  switch (DecideClose(Animate, ViewKind, Slides.ClosingRuns())) {
    case TCloseWay::AtOnce: Close(); return;
    case TCloseWay::SlideRuns: return;
    case TCloseWay::Slide: break;
  }
  // A slide still opening stops first; the closing starts from wherever the
  // window is, at full opacity.
  StopOpeningSlide();
  ::ShowWindow(ToolbarStack.Handle(), SW_HIDE);
  ::ShowWindow(ToolbarGrid.Handle(), SW_HIDE);
  // It fades on the look's solid sheet.
  if (Slides.SetLayered(true)) PaintLook();
  RECT window = {};
  ::GetWindowRect(Handle(), &window);
  // The taskbar's edge is asked for once: the shell's answer costs a round
  // trip to the taskbar, too dear for every frame.
  const std::uint8_t edge = GetTaskbarEdge();
  const TCloseSlide slide = CloseSlideFor(edge, MonitorWorkArea(MonitorIndex), window.left, window.top,
                                          window.right - window.left, window.bottom - window.top);
  const HWND self = Handle();
  // Messages are handled while the slide runs, so the viewer never looks
  // hung; another close trigger meanwhile leaves the slide to end.
  if (!Slides.RunClosing(edge, window.left, window.top, slide)) return;
  closing_ = true;
  ::DestroyWindow(self);
}
