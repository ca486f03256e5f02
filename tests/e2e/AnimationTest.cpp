// The open and close slides seen from outside: the window's place and
// opacity sampled as fast as the test can read them while the stack slides
// out of the bottom taskbar and back, and the plain showing and closing when
// animation is off.
#include <gtest/gtest.h>

#include "E2eFixture.h"
#include "core/viewer/Placement.h"

using namespace e2e;

namespace {

struct TSample {
  TWindowFacts Facts;
  bool Entries = false;
};

// Reads the window about every millisecond until done says so (or the
// deadline passes); gives what was seen while it was visible.
std::vector<TSample> Sample(HWND window, const std::function<bool(const TSample&)>& done) {
  std::vector<TSample> samples;
  WaitUntil(
      [&] {
        TSample s;
        if (::IsWindow(window)) {
          s.Facts = ReadWindowFacts(window);
          s.Entries = EntriesShown(window);
          if (s.Facts.Visible) samples.push_back(s);
        }
        return done(s);
      },
      kTimeout, 1);
  return samples;
}

bool AtRest(const TSample& s) { return s.Facts.Visible && s.Facts.Alpha == 255 && s.Entries; }

class Slides : public TViewerTest {
protected:
  TScratchFolder folder_{L"Slide"};
  POINT cursor_ = {600, 1000};

  Slides() {
    for (const wchar_t* name : {L"one.txt", L"two.txt", L"three.txt"}) folder_.Add(name);
  }
  TProcess Start() {
    MoveCursor(cursor_);
    return TProcess::Launch(install_.Viewer(), L"\"" + folder_.Path() + L"\"");
  }
};

}  // namespace

TEST_F(Slides, AStackRisesFromTheTaskbarWhileFadingInAndSinksBackOnEscape) {
  preferences_.SetDword(L"DoAnim", 1);
  ASSERT_EQ(WaitForTaskbarEdge(), kEdgeBottom);
  TProcess viewer = Start();
  const HWND window = WaitForWindow(viewer.Id(), kTimeout);
  ASSERT_NE(window, nullptr);
  const std::vector<TSample> opening = Sample(window, AtRest);
  ASSERT_FALSE(opening.empty());
  ASSERT_TRUE(AtRest(opening.back())) << "the window comes to rest";

  const RECT work = PrimaryWorkArea();
  const TWindowFacts rest = opening.back().Facts;
  EXPECT_EQ(rest.Window.bottom, work.bottom - 4) << "at rest beside the taskbar";
  const TWindowFacts& first = opening.front().Facts;
  EXPECT_GT(first.Window.top, rest.Window.top) << "it starts below its rest position";
  EXPECT_LT(first.Alpha, 255);
  EXPECT_FALSE(opening.front().Entries) << "the entries show only at rest";
  for (size_t i = 1; i < opening.size(); ++i) {
    const TWindowFacts& a = opening[i - 1].Facts;
    const TWindowFacts& b = opening[i].Facts;
    EXPECT_LE(b.Window.top, a.Window.top) << "it only rises";
    EXPECT_GE(b.Alpha, a.Alpha) << "its opacity only climbs";
    EXPECT_GE(b.Window.top, rest.Window.top) << "it never passes its rest position";
    EXPECT_EQ(b.Window.left, rest.Window.left) << "it moves along one axis";
  }
  const auto moving = std::count_if(opening.begin(), opening.end(), [&](const TSample& s) {
    return s.Facts.Window.top < first.Window.top && s.Facts.Window.top > rest.Window.top;
  });
  EXPECT_GT(moving, 0) << "seen on its way up";

  PressKey(window, VK_ESCAPE, 27);
  // A second Escape once it is fading lets the slide go on: it does not
  // start again at full opacity.
  bool pressedAgain = false;
  const std::vector<TSample> closing = Sample(window, [&](const TSample& s) {
    if (!pressedAgain && s.Facts.Visible && s.Facts.Alpha < 255) {
      PressKey(window, VK_ESCAPE, 27);
      pressedAgain = true;
    }
    return !::IsWindowVisible(window);
  });
  EXPECT_TRUE(pressedAgain);
  ASSERT_TRUE(viewer.WaitForExit()) << "the viewer ends after the slide";
  ASSERT_FALSE(closing.empty());
  for (size_t i = 1; i < closing.size(); ++i) {
    EXPECT_GE(closing[i].Facts.Window.top, closing[i - 1].Facts.Window.top) << "it only sinks";
    EXPECT_LE(closing[i].Facts.Alpha, closing[i - 1].Facts.Alpha) << "its opacity only falls";
    EXPECT_LE(closing[i].Facts.Window.top, work.bottom + 4) << "never past 4 pixels beyond the work area";
    EXPECT_FALSE(closing[i].Entries) << "the entries hide as the slide starts";
  }
  const auto sinking = std::count_if(closing.begin(), closing.end(), [&](const TSample& s) {
    return s.Facts.Window.top > rest.Window.top && s.Facts.Alpha < 255;
  });
  EXPECT_GT(sinking, 0) << "seen on its way down";
}

TEST_F(Slides, WithoutAnimationTheStackAppearsAtRestAndClosesAtOnce) {
  preferences_.SetDword(L"DoAnim", 0);
  TProcess viewer = Start();
  const HWND window = WaitForWindow(viewer.Id(), kTimeout);
  ASSERT_NE(window, nullptr);
  const std::vector<TSample> opening = Sample(window, AtRest);
  ASSERT_FALSE(opening.empty());
  ASSERT_TRUE(AtRest(opening.back()));
  const RECT rest = opening.back().Facts.Window;
  EXPECT_EQ(rest.bottom, PrimaryWorkArea().bottom - 4);
  for (const TSample& s : opening) {
    EXPECT_TRUE(::EqualRect(&s.Facts.Window, &rest)) << "shown where it rests";
    EXPECT_EQ(s.Facts.Alpha, 255);
  }
  PressKey(window, VK_ESCAPE, 27);
  const std::vector<TSample> closing = Sample(window, [&](const TSample&) { return !::IsWindowVisible(window); });
  ASSERT_TRUE(viewer.WaitForExit());
  for (const TSample& s : closing) EXPECT_TRUE(::EqualRect(&s.Facts.Window, &rest)) << "no slide";
}
