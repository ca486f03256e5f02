// The stack's and grid's slides: the opening slide out of the taskbar, run on
// the ticks of AnimTimer while the message loop goes on, and the closing
// slide back into it, which the closing waits for, with messages handled
// meanwhile. The form places the window and decides when a slide runs; this
// holds the running slide's state and moves the window frame by frame.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "core/viewer/Animation.h"
#include "toolkit/UiDispatcher.h"
#include "viewer/TickwellTimer.h"

class TSlides {
public:
  explicit TSlides(TUiDispatcher& dispatcher) : dispatcher_(dispatcher) {}
  TSlides(const TSlides&) = delete;
  TSlides& operator=(const TSlides&) = delete;

  // The window that slides; alphaBlend: it is layered, so its opacity follows.
  void SetWindow(HWND window, bool alphaBlend);

  // The running slide: where it started, its day-based start and end, its
  // pixels and opacity units per millisecond.
  std::int32_t AnimStartLeft = 0;
  std::int32_t AnimStartTop = 0;
  double AnimStartTime = 0;
  double AnimEndTime = 0;
  double AnimStep = 0;
  double AnimAlphaStep = 0;
  TTickwellTimer AnimTimer;  // drives the opening slide

  // Puts the window at the opening slide's start, transparent, and starts
  // the clock: onTick runs on this thread once a tick, in order, until
  // StopOpening. Without a clock it raises ETickwellTimer, nothing running.
  void StartOpening(const TOpenSlide& slide, std::function<void()> onTick);
  const TOpenSlide& Opening() const { return openSlide_; }
  // No tick of the opening slide is handled after this.
  void StopOpening();

  // Slides the window from (startLeft, startTop) to the slide's end, fading
  // out, and shows the last frame. The thread sleeps between the frames,
  // which come on a window timer, and handles every message meanwhile. False
  // when the slide was cut short: the window went or the program is ending.
  bool RunClosing(std::uint8_t edge, std::int32_t startLeft, std::int32_t startTop, const TCloseSlide& slide);
  // The closing slide runs (messages handled inside it may ask to close).
  bool ClosingRuns() const { return closingRuns_; }

  void SetOpacity(std::uint8_t alpha) const;
  // Makes a window that fades layered or not (at full opacity); true when
  // that changed anything. A window that never fades is left as it is.
  bool SetLayered(bool layered) const;
  // Moves the window along the frame's axis and sets its opacity.
  void ApplyFrame(const TSlideFrame& frame) const;

private:
  // The closing slide's frames: the form's timer numbers start at 1.
  static constexpr UINT_PTR kClosingTimer = 0x51DE;

  TUiDispatcher& dispatcher_;
  HWND window_ = nullptr;
  bool alphaBlend_ = false;
  bool closingRuns_ = false;
  std::uint64_t animJob_ = 0;  // the dispatcher's job of the opening slide's ticks
  TOpenSlide openSlide_;       // the opening slide's start and distance
};
