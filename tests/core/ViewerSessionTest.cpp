#include "core/viewer/ViewerSession.h"

#include <gtest/gtest.h>

TEST(ViewerSession, OnlyAPlainLossOfActivationCloses) {
  const TDeactivation plain{false, false, true, false, false, false};
  EXPECT_TRUE(ClosesOnDeactivation(plain));
  struct {
    const char* what;
    TDeactivation state;
  } keeps[] = {
      {"becoming active", {true, false, true, false, false, false}},
      {"a second click closes instead", {false, true, true, false, false, false}},
      {"hidden (lingering after the shell)", {false, false, false, false, false, false}},
      {"a message box of the viewer took it", {false, false, true, true, false, false}},
      {"already closing", {false, false, true, false, true, false}},
      {"a shell menu or drag took it", {false, false, true, false, false, true}},
  };
  for (const auto& c : keeps) EXPECT_FALSE(ClosesOnDeactivation(c.state)) << c.what;
}

TEST(ViewerSession, OnlyAnimatedStacksAndGridsSlideOnClosingAndASlideIsNeverStartedTwice) {
  const struct {
    bool Animate;
    TViewKind View;
    bool SlidingOut;
    TCloseWay Way;
  } cases[] = {
      {true, TViewKind::Stack, false, TCloseWay::Slide},    {true, TViewKind::Grid, false, TCloseWay::Slide},
      {true, TViewKind::Menu, false, TCloseWay::AtOnce},    {true, TViewKind::Help, false, TCloseWay::AtOnce},
      {false, TViewKind::Stack, false, TCloseWay::AtOnce},  {false, TViewKind::Grid, false, TCloseWay::AtOnce},
      {true, TViewKind::Stack, true, TCloseWay::SlideRuns}, {true, TViewKind::Grid, true, TCloseWay::SlideRuns},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DecideClose(c.Animate, c.View, c.SlidingOut), c.Way)
        << c.Animate << " " << static_cast<int>(c.View) << " " << c.SlidingOut;
}

TEST(ViewerSession, AfterACancelledMenuTheViewResumesUnlessTheUserWentElsewhere) {
  EXPECT_EQ(DecideResume(false, false), TResumeAction::Reactivate);
  EXPECT_EQ(DecideResume(false, true), TResumeAction::Reactivate);
  EXPECT_EQ(DecideResume(true, false), TResumeAction::Close);
  EXPECT_EQ(DecideResume(true, true), TResumeAction::Stay);
}

TEST(ViewerSession, AHiddenViewWaitsForTheShellAndForAnAnnouncedWindow) {
  EXPECT_TRUE(TShellLinger::EndsAtOnce(false, false));
  EXPECT_FALSE(TShellLinger::EndsAtOnce(true, false));
  EXPECT_FALSE(TShellLinger::EndsAtOnce(false, true));

  struct TLook {
    std::uint32_t at;
    bool shellAtWork;
    bool done;
  };
  struct {
    const char* what;
    std::uint32_t start;
    bool verbShowsWindow, shellAtStart;
    std::vector<TLook> looks;
  } cases[] = {
      {"a window that never comes: the grace runs out",
       1000,
       true,
       false,
       {{1200, false, false}, {2999, false, false}, {3000, false, true}}},
      {"the window came and went: done at once", 1000, true, false, {{1200, true, false}, {1400, false, true}}},
      {"the shell at work from the start: no grace once it has gone",
       1000,
       false,
       true,
       {{1200, true, false}, {1400, false, true}}},
      {"the tick count wraps during the grace",
       0xFFFFFF00u,
       true,
       false,
       {{0x00000100u, false, false}, {0x000006D0u, false, true}}},
  };
  for (const auto& c : cases) {
    TShellLinger linger;
    linger.Start(c.start, c.verbShowsWindow, c.shellAtStart);
    for (const TLook& look : c.looks)
      EXPECT_EQ(linger.Done(look.at, look.shellAtWork), look.done) << c.what << " at " << look.at;
  }
}

TEST(ViewerSession, SmallRules) {
  EXPECT_TRUE(IsDraggedEntry(TEntryKind::File, L"C:\\a.txt"));
  EXPECT_TRUE(IsDraggedEntry(TEntryKind::Folder, L"C:\\S"));
  EXPECT_FALSE(IsDraggedEntry(TEntryKind::GoBack, L"C:\\"));
  EXPECT_FALSE(IsDraggedEntry(TEntryKind::Explore, L"C:\\S"));
  EXPECT_FALSE(IsDraggedEntry(TEntryKind::File, L""));

  EXPECT_EQ(ThumbnailWorkersFor(0, 4, 100), 4u) << "one per core";
  EXPECT_EQ(ThumbnailWorkersFor(-3, 4, 100), 4u) << "a negative count is no count";
  EXPECT_EQ(ThumbnailWorkersFor(1, 4, 100), 1u) << "the test-only key forces one";
  EXPECT_EQ(ThumbnailWorkersFor(2, 16, 1), 1u) << "never more than pictures";
  EXPECT_EQ(ThumbnailWorkersFor(0, 0, 0), 1u) << "at least one";
}
