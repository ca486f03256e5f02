// The animation clock under Wine: ticks arrive on a thread of their own, a
// tick may disable its own clock, nothing ticks after disabling, and only one
// clock of the process runs at a time. Waits are for conditions, with a
// second clock as the yardstick where "no further tick" is checked.
#include <gtest/gtest.h>

#include <atomic>

#include "viewer/TickwellTimer.h"
#include "../common/WaitUntil.h"

namespace {

// Lets a fresh clock tick `ticks` times: long enough for a clock that should
// be silent to have shown otherwise.
void LetTimePass(int ticks) {
  TTickwellTimer yardstick;
  yardstick.Delay = 1;
  yardstick.Resolution = 1;
  std::atomic<int> count{0};
  yardstick.OnTimer = [&] { ++count; };
  yardstick.SetEnabled(true);
  ASSERT_TRUE(WaitUntil([&] { return count >= ticks; }));
  yardstick.SetEnabled(false);
}

}  // namespace

TEST(TickwellTimer, TicksArriveOnTheirOwnThreadUntilDisabled) {
  TTickwellTimer clock;
  EXPECT_FALSE(clock.Enabled());
  EXPECT_EQ(clock.Delay, 100u);
  EXPECT_EQ(clock.Resolution, 10u);
  clock.Delay = 1;
  clock.Resolution = 1;
  clock.SetTimerPriority(THREAD_PRIORITY_ABOVE_NORMAL);
  std::atomic<int> ticks{0};
  std::atomic<DWORD> thread{0};
  std::atomic<int> priority{0};
  clock.OnTimer = [&] {
    thread = ::GetCurrentThreadId();
    priority = ::GetThreadPriority(::GetCurrentThread());
    ++ticks;
  };
  clock.SetEnabled(true);
  EXPECT_TRUE(clock.Enabled());
  clock.SetEnabled(true);  // enabling an enabled clock changes nothing
  ASSERT_TRUE(WaitUntil([&] { return ticks >= 5; }));
  EXPECT_NE(thread.load(), ::GetCurrentThreadId());
  EXPECT_EQ(priority.load(), THREAD_PRIORITY_ABOVE_NORMAL);

  clock.SetEnabled(false);
  EXPECT_FALSE(clock.Enabled());
  const int atDisable = ticks;
  EXPECT_EQ(clock.TickNumber(), static_cast<std::uint32_t>(atDisable));
  EXPECT_EQ(clock.ElapsedMilliseconds(), clock.TickNumber() * 1ull);
  LetTimePass(30);
  EXPECT_EQ(ticks.load(), atDisable) << "no tick after disabling returned";

  // Enabled again, it counts afresh.
  clock.SetEnabled(true);
  ASSERT_TRUE(WaitUntil([&] { return ticks >= atDisable + 2; }));
  clock.SetEnabled(false);
  EXPECT_EQ(clock.TickNumber(), static_cast<std::uint32_t>(ticks - atDisable));
}

TEST(TickwellTimer, ATickMayDisableItsOwnClock) {
  TTickwellTimer clock;
  clock.Delay = 1;
  clock.Resolution = 1;
  std::atomic<int> ticks{0};
  clock.OnTimer = [&] {
    if (++ticks == 3) clock.SetEnabled(false);
  };
  clock.SetEnabled(true);
  ASSERT_TRUE(WaitUntil([&] { return !clock.Enabled(); }));
  LetTimePass(30);
  EXPECT_EQ(ticks.load(), 3);
  // And it can be enabled again afterwards.
  clock.SetEnabled(true);
  ASSERT_TRUE(WaitUntil([&] { return ticks > 3; }));
}

TEST(TickwellTimer, OnlyOneClockOfTheProcessRunsAtATime) {
  TTickwellTimer first, second;
  first.Delay = second.Delay = 5;
  first.SetEnabled(true);
  try {
    second.SetEnabled(true);
    FAIL() << "a second clock was enabled";
  } catch (const ETickwellTimer& e) {
    EXPECT_EQ(e.Message(), L"Tickwell timer creation error.");
  }
  EXPECT_FALSE(second.Enabled());
  first.SetEnabled(false);
  second.SetEnabled(true);  // free again
  EXPECT_TRUE(second.Enabled());
}

TEST(TickwellTimer, DestroyingAnEnabledClockStopsIt) {
  std::atomic<int> ticks{0};
  {
    TTickwellTimer clock;
    clock.Delay = 1;
    clock.OnTimer = [&] { ++ticks; };
    clock.SetEnabled(true);
    ASSERT_TRUE(WaitUntil([&] { return ticks >= 2; }));
  }
  const int atEnd = ticks;
  LetTimePass(20);
  EXPECT_EQ(ticks.load(), atEnd);
}
