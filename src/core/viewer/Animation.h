// The open and close slides of a stack or grid window: where the window is
// and how opaque, as functions of the time left in the slide. Times are
// day-based (days since 30 December 1899, the time of day as the fraction).
// Every result is the same on every build: the times are computed with
// correctly rounded double arithmetic, the frames in integers.
#pragma once

#include <cstdint>

#include "core/base/Rect.h"

// How long each slide lasts, and the opacity units per millisecond (255 over
// the slide).
constexpr int kSlideMilliseconds = 150;
constexpr double kSlideAlphaStep = 1.7;
constexpr std::int64_t kDayMilliseconds = 86400000;
constexpr double kMillisecondsPerDay = 86400000.0;

// Day-based time of a local calendar date and time of day.
double DayTime(int year, int month, int day, int hour, int minute, int second, int millisecond);
// The day-based end of a slide that starts at start.
double SlideEnd(double start);
// Milliseconds from now until end, rounded to the nearest whole millisecond
// (halves to even), 0 when end has passed.
std::int64_t RemainingMilliseconds(double now, double end);

// The closing slide shows a frame at most every kSlideFrameMilliseconds
// (50 a second): every message that wakes the viewer during the slide
// would otherwise move the window again, and each move costs the system far
// more than the frame is worth. The last frame (nothing remaining) is always
// due. lastShown: the remaining time of the last frame shown.
constexpr std::int64_t kSlideFrameMilliseconds = 20;
constexpr bool SlideFrameDue(std::int64_t lastShown, std::int64_t remaining) {
  return remaining == 0 || lastShown - remaining >= kSlideFrameMilliseconds;
}

// A slide moves one coordinate of the window: its left edge when the taskbar
// is at the left or right, its top edge when at the top or bottom.
bool SlideMovesTop(std::uint8_t taskbarEdge);

// The opening slide: the window starts one window's width or height farther
// toward the taskbar than its rest position and moves Distance pixels
// (signed) toward it, Step() pixels per millisecond.
struct TOpenSlide {
  std::int32_t StartLeft = 0;
  std::int32_t StartTop = 0;
  std::int64_t Distance = 0;
  double Step() const { return static_cast<double>(Distance) / kSlideMilliseconds; }
};
TOpenSlide OpenSlideFor(std::uint8_t taskbarEdge, std::int32_t restLeft, std::int32_t restTop, std::int32_t width,
                        std::int32_t height);

// One moment of a slide: the moving coordinate's new value (the left edge or
// the top edge, by SlideMovesTop) and the opacity.
struct TSlideFrame {
  bool MovesTop = false;
  std::int32_t Position = 0;
  std::uint8_t Alpha = 0;
};
// The opening slide with `remaining` milliseconds left: the rest position
// minus remaining x step, truncated toward zero; opacity 255 - (remaining x
// 1.7, truncated). At 0 left (or less) the window is exactly at rest and
// opaque; at 150 (or more) exactly at the start and transparent.
TSlideFrame OpeningFrame(std::uint8_t taskbarEdge, std::int32_t restLeft, std::int32_t restTop, const TOpenSlide& slide,
                         std::int64_t remaining);

// The closing slide: it ends 4 pixels beyond the work area on the taskbar's
// side; the moving coordinate goes from its present value to End, Distance
// pixels (signed), Step() pixels per millisecond.
struct TCloseSlide {
  bool MovesTop = false;
  std::int32_t End = 0;
  std::int64_t Distance = 0;
  double Step() const { return static_cast<double>(Distance) / kSlideMilliseconds; }
};
TCloseSlide CloseSlideFor(std::uint8_t taskbarEdge, const TRectI& workArea, std::int32_t left, std::int32_t top,
                          std::int32_t width, std::int32_t height);
// The closing slide with `remaining` milliseconds left, the taskbar at
// taskbarEdge now: End minus remaining x step, truncated toward zero;
// opacity remaining x 1.7, truncated (the start and opaque at 150 or more).
TSlideFrame ClosingFrame(std::uint8_t taskbarEdge, const TCloseSlide& slide, std::int64_t remaining);
