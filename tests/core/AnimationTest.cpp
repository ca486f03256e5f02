#include "core/viewer/Animation.h"

#include <gtest/gtest.h>

#include "core/viewer/Placement.h"

namespace {

const TRectI kWork = {0, 0, 1280, 984};
constexpr std::int32_t kRestLeft = 500, kRestTop = 600, kWidth = 300, kHeight = 150;

}  // namespace

TEST(Animation, DayTimesAndTheTimeLeft) {
  EXPECT_DOUBLE_EQ(DayTime(1899, 12, 30, 0, 0, 0, 0), 0.0);
  EXPECT_DOUBLE_EQ(DayTime(1900, 1, 1, 12, 0, 0, 0), 2.5);
  EXPECT_DOUBLE_EQ(DayTime(2026, 12, 9, 0, 0, 0, 0), 46365.0);
  const double start = DayTime(2026, 12, 9, 23, 59, 59, 900);
  const double end = SlideEnd(start);  // crosses midnight
  EXPECT_EQ(RemainingMilliseconds(start, end), 150);
  EXPECT_EQ(RemainingMilliseconds(start + 75 / kMillisecondsPerDay, end), 75);
  EXPECT_EQ(RemainingMilliseconds(end, end), 0);
  EXPECT_EQ(RemainingMilliseconds(end + 1.0 / 86400, end), 0) << "after the end: 0, never negative";
  // Halves go to the even neighbour.
  EXPECT_EQ(RemainingMilliseconds(0, 2.5 / kMillisecondsPerDay), 2);
  EXPECT_EQ(RemainingMilliseconds(0, 3.5 / kMillisecondsPerDay), 4);
  EXPECT_EQ(RemainingMilliseconds(0, 3.4 / kMillisecondsPerDay), 3);
}

struct TEdgeCase {
  std::uint8_t Edge;
  std::int32_t StartLeft, StartTop;
  double Step;
  bool MovesTop;
  std::int32_t At75;  // the moving coordinate halfway through the opening
  std::int32_t CloseEnd;
};

TEST(Animation, OpeningSlidesFromTheTaskbarToRestWhileFadingIn) {
  const TEdgeCase cases[] = {
      {kEdgeLeft, kRestLeft - kWidth, kRestTop, 2.0, false, kRestLeft - 150, 0 - kWidth - 4},
      {kEdgeTop, kRestLeft, kRestTop - kHeight, 1.0, true, kRestTop - 75, 0 - kHeight - 4},
      {kEdgeRight, kRestLeft + kWidth, kRestTop, -2.0, false, kRestLeft + 150, 1280 + 4},
      {kEdgeBottom, kRestLeft, kRestTop + kHeight, -1.0, true, kRestTop + 75, 984 + 4},
  };
  for (const TEdgeCase& c : cases) {
    SCOPED_TRACE(int(c.Edge));
    const TOpenSlide slide = OpenSlideFor(c.Edge, kRestLeft, kRestTop, kWidth, kHeight);
    EXPECT_EQ(slide.StartLeft, c.StartLeft);
    EXPECT_EQ(slide.StartTop, c.StartTop);
    EXPECT_DOUBLE_EQ(slide.Step(), c.Step);

    const TSlideFrame first = OpeningFrame(c.Edge, kRestLeft, kRestTop, slide, 150);
    EXPECT_EQ(first.MovesTop, c.MovesTop);
    EXPECT_EQ(first.Position, c.MovesTop ? c.StartTop : c.StartLeft) << "the first tick is at the start";
    EXPECT_EQ(first.Alpha, 0);
    const TSlideFrame half = OpeningFrame(c.Edge, kRestLeft, kRestTop, slide, 75);
    EXPECT_EQ(half.Position, c.At75);
    EXPECT_EQ(half.Alpha, 128);
    for (std::int64_t late : {0, -5}) {
      const TSlideFrame rest = OpeningFrame(c.Edge, kRestLeft, kRestTop, slide, late);
      EXPECT_EQ(rest.Position, c.MovesTop ? kRestTop : kRestLeft);
      EXPECT_EQ(rest.Alpha, 255);
    }
    // The opacity only rises and the window never passes its rest position.
    int lastAlpha = -1;
    for (std::int64_t r = 150; r >= 0; --r) {
      const TSlideFrame f = OpeningFrame(c.Edge, kRestLeft, kRestTop, slide, r);
      EXPECT_GE(f.Alpha, lastAlpha);
      lastAlpha = f.Alpha;
      const std::int32_t rest = c.MovesTop ? kRestTop : kRestLeft;
      EXPECT_LE(std::abs(f.Position - rest), c.MovesTop ? kHeight : kWidth);
    }

    // Closing from the rest position: out past the work area, fading out.
    const TCloseSlide close = CloseSlideFor(c.Edge, kWork, kRestLeft, kRestTop, kWidth, kHeight);
    EXPECT_EQ(close.MovesTop, c.MovesTop);
    EXPECT_EQ(close.End, c.CloseEnd);
    const TSlideFrame start = ClosingFrame(c.Edge, close, 150);
    EXPECT_EQ(start.Position, c.MovesTop ? kRestTop : kRestLeft);
    EXPECT_EQ(ClosingFrame(c.Edge, close, 75).Alpha, 127);
    for (std::int64_t late : {0, -3}) {
      const TSlideFrame end = ClosingFrame(c.Edge, close, late);
      EXPECT_EQ(end.Position, c.CloseEnd) << "never past the end, also after the end time";
      EXPECT_EQ(end.Alpha, 0);
    }
  }
}

TEST(Animation, ClosingFramesComeAtMostOneAFrameTimeApartAndTheLastAlways) {
  struct TCase {
    std::int64_t LastShown, Remaining;
    bool Due;
  };
  const TCase cases[] = {
      {170, 150, true},  // the slide's first frame
      {150, 149, false}, {150, 131, false}, {150, 130, true}, {150, 100, true},
      {20, 6, false},    {20, 0, true},     {0, 0, true},  // the last frame, even right after another
  };
  for (const TCase& c : cases)
    EXPECT_EQ(SlideFrameDue(c.LastShown, c.Remaining), c.Due) << c.LastShown << " -> " << c.Remaining;
}

TEST(Animation, UnevenStepsTruncateTowardZero) {
  // 7 pixels over 150 ms: 0.04666... per ms.
  const TOpenSlide slide = OpenSlideFor(kEdgeBottom, 0, 100, 10, 7);
  EXPECT_EQ(slide.StartTop, 107);
  EXPECT_EQ(OpeningFrame(kEdgeBottom, 0, 100, slide, 100).Position, 104);  // 100 + 4.67
  const TOpenSlide left = OpenSlideFor(kEdgeLeft, -50, 0, 7, 10);
  EXPECT_EQ(left.StartLeft, -57);
  EXPECT_EQ(OpeningFrame(kEdgeLeft, -50, 0, left, 100).Position, -54);  // -50 - 4.67, toward zero
  // Every window size starts exactly at its start and closes exactly at its
  // end: no size lets remaining x step land a hair below a whole pixel.
  for (std::int32_t size = 1; size <= 2000; ++size) {
    const TOpenSlide open = OpenSlideFor(kEdgeBottom, 0, 100, 10, size);
    ASSERT_EQ(OpeningFrame(kEdgeBottom, 0, 100, open, 150).Position, 100 + size) << size;
    const TCloseSlide close = CloseSlideFor(kEdgeLeft, kWork, 100 + size, 0, 10, 10);
    ASSERT_EQ(ClosingFrame(kEdgeLeft, close, 150).Position, 100 + size) << size;
    ASSERT_EQ(ClosingFrame(kEdgeLeft, close, 0).Position, close.End) << size;
  }
  // A clock set back during a slide gives more than 150 ms left: the window
  // waits at the start instead of leaving the screen.
  EXPECT_EQ(OpeningFrame(kEdgeBottom, 0, 100, slide, 5000).Position, 107);
  EXPECT_EQ(OpeningFrame(kEdgeBottom, 0, 100, slide, 5000).Alpha, 0);
  const TCloseSlide away = CloseSlideFor(kEdgeBottom, kWork, 0, 900, 10, 50);
  EXPECT_EQ(ClosingFrame(kEdgeBottom, away, 5000).Position, 900);
  EXPECT_EQ(ClosingFrame(kEdgeBottom, away, 5000).Alpha, 255);
  // A taskbar that moved during the slide: the coordinate of the new edge moves.
  EXPECT_TRUE(OpeningFrame(kEdgeTop, 0, 100, slide, 10).MovesTop);
  EXPECT_FALSE(OpeningFrame(kEdgeRight, 0, 100, slide, 10).MovesTop);
}
