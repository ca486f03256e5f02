#include "core/Animation.h"

#include <cmath>

#include "core/Placement.h"

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

std::int32_t Truncated(double value) { return static_cast<std::int32_t>(std::trunc(value)); }

std::uint8_t AlphaOf(double value) {
  const double a = std::trunc(value);
  return static_cast<std::uint8_t>(a < 0 ? 0 : a > 255 ? 255 : a);
}

}  // namespace

double DayTime(int year, int month, int day, int hour, int minute, int second, int millisecond) {
  const long long days = DaysFromCivil(year, month, day) - DaysFromCivil(1899, 12, 30);
  const double ms = ((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond;
  return static_cast<double>(days) + ms / kMillisecondsPerDay;
}

double SlideEnd(double start) { return start + kSlideMilliseconds / kMillisecondsPerDay; }

std::int64_t RemainingMilliseconds(double now, double end) {
  const double ms = (end - now) * kMillisecondsPerDay;
  if (!(ms > 0)) return 0;
  // Nearest whole number, halves to the even one.
  const double whole = std::floor(ms);
  const double rest = ms - whole;
  auto r = static_cast<std::int64_t>(whole);
  if (rest > 0.5 || (rest == 0.5 && r % 2 != 0)) ++r;
  return r;
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
  const double distance =
      SlideMovesTop(taskbarEdge) ? double(restTop) - slide.StartTop : double(restLeft) - slide.StartLeft;
  slide.Step = distance / kSlideMilliseconds;
  return slide;
}

TSlideFrame OpeningFrame(std::uint8_t taskbarEdge, std::int32_t restLeft, std::int32_t restTop, double step,
                         std::int64_t remaining) {
  TSlideFrame frame;
  frame.MovesTop = SlideMovesTop(taskbarEdge);
  const double r = static_cast<double>(remaining < 0 ? 0 : remaining);
  frame.Position = Truncated((frame.MovesTop ? restTop : restLeft) - r * step);
  frame.Alpha = AlphaOf(255 - std::trunc(r * kSlideAlphaStep));
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
  slide.Step = (double(slide.End) - (slide.MovesTop ? top : left)) / kSlideMilliseconds;
  return slide;
}

TSlideFrame ClosingFrame(std::uint8_t taskbarEdge, const TCloseSlide& slide, std::int64_t remaining) {
  TSlideFrame frame;
  frame.MovesTop = SlideMovesTop(taskbarEdge);
  const double r = static_cast<double>(remaining < 0 ? 0 : remaining);
  frame.Position = Truncated(slide.End - r * slide.Step);
  frame.Alpha = AlphaOf(r * kSlideAlphaStep);
  return frame;
}
