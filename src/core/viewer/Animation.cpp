#include "core/viewer/Animation.h"

#include <algorithm>

#include "core/viewer/Placement.h"
#include "core/base/StrictDouble.h"

namespace {

// Days from 1 March of year 0 (proleptic Gregorian) to the given date.
long long DaysFromCivil(long long y, int m, int d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yearOfEra = y - era * 400;
  const long long dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra;
}

// The frames work in integers, so every build lands on the same pixel: a
// step of distance / 150 pixels per millisecond in floating point can put
// r x step a hair below a whole number on one build and not on another.
// Times left beyond the slide's length only happen when the clock is set
// back; they are held at the start, which also keeps the products in range.
std::int64_t Left(std::int64_t remaining) { return std::clamp<std::int64_t>(remaining, 0, kSlideMilliseconds); }

// from - remaining x distance / 150, truncated toward zero.
std::int32_t PositionAt(std::int32_t from, std::int64_t distance, std::int64_t remaining) {
  const std::int64_t scaled = std::int64_t(from) * kSlideMilliseconds - Left(remaining) * distance;
  const std::int64_t position = scaled / kSlideMilliseconds;  // C++ division truncates toward zero
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(position, INT32_MIN, INT32_MAX));
}

// remaining x 1.7, truncated: 1.7 is 17 / 10.
std::int64_t AlphaSteps(std::int64_t remaining) { return Left(remaining) * 17 / 10; }

}  // namespace

double DayTime(int year, int month, int day, int hour, int minute, int second, int millisecond) {
  const long long days = DaysFromCivil(year, month, day) - DaysFromCivil(1899, 12, 30);
  const long long ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
  return StrictQuotient(days * kDayMilliseconds + ms, kDayMilliseconds);
}

double SlideEnd(double start) { return StrictSum(start, StrictQuotient(kSlideMilliseconds, kDayMilliseconds)); }

std::int64_t RemainingMilliseconds(double now, double end) {
  if (!(end > now)) return 0;
  return RoundHalfEven(StrictProduct(StrictDifference(end, now), kMillisecondsPerDay));
}

bool SlideMovesTop(std::uint8_t taskbarEdge) { return taskbarEdge == kEdgeTop || taskbarEdge == kEdgeBottom; }

TOpenSlide OpenSlideFor(std::uint8_t taskbarEdge, std::int32_t restLeft, std::int32_t restTop, std::int32_t width,
                        std::int32_t height) {
  TOpenSlide slide{restLeft, restTop, 0};
  switch (taskbarEdge) {
    case kEdgeLeft: slide.StartLeft = restLeft - width; break;
    case kEdgeTop: slide.StartTop = restTop - height; break;
    case kEdgeRight: slide.StartLeft = restLeft + width; break;
    default: slide.StartTop = restTop + height; break;
  }
  slide.Distance =
      SlideMovesTop(taskbarEdge) ? std::int64_t(restTop) - slide.StartTop : std::int64_t(restLeft) - slide.StartLeft;
  return slide;
}

TSlideFrame OpeningFrame(std::uint8_t taskbarEdge, std::int32_t restLeft, std::int32_t restTop, const TOpenSlide& slide,
                         std::int64_t remaining) {
  TSlideFrame frame;
  frame.MovesTop = SlideMovesTop(taskbarEdge);
  frame.Position = PositionAt(frame.MovesTop ? restTop : restLeft, slide.Distance, remaining);
  frame.Alpha = static_cast<std::uint8_t>(255 - AlphaSteps(remaining));
  return frame;
}

TCloseSlide CloseSlideFor(std::uint8_t taskbarEdge, const TRectI& workArea, std::int32_t left, std::int32_t top,
                          std::int32_t width, std::int32_t height) {
  TCloseSlide slide;
  slide.MovesTop = SlideMovesTop(taskbarEdge);
  switch (taskbarEdge) {
    case kEdgeLeft: slide.End = workArea.Left - width - 4; break;
    case kEdgeTop: slide.End = workArea.Top - height - 4; break;
    case kEdgeRight: slide.End = workArea.Right + 4; break;
    default: slide.End = workArea.Bottom + 4; break;
  }
  slide.Distance = std::int64_t(slide.End) - (slide.MovesTop ? top : left);
  return slide;
}

TSlideFrame ClosingFrame(std::uint8_t taskbarEdge, const TCloseSlide& slide, std::int64_t remaining) {
  TSlideFrame frame;
  frame.MovesTop = SlideMovesTop(taskbarEdge);
  frame.Position = PositionAt(slide.End, slide.Distance, remaining);
  frame.Alpha = static_cast<std::uint8_t>(AlphaSteps(remaining));
  return frame;
}
