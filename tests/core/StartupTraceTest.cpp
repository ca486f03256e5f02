// The start-up trace: its text read back, and phases from its marks.
#include <gtest/gtest.h>

#include "core/base/StartupTrace.h"

TEST(StartupTrace, ATraceThatIsOffRecordsNothingAndOneThatIsOnReadsBackAsWritten) {
  TStartupTrace off;
  off.Mark(L"listing", 5);
  EXPECT_EQ(off.Text(), L"");

  TStartupTrace on(true);
  on.Mark(L"process and COM start", 1200);
  on.Mark(L"first paint", 98765432101);
  EXPECT_EQ(on.Text(), L"process and COM start\t1200\nfirst paint\t98765432101\n");
  const std::vector<TTraceMark> back = ParseStartupTrace(on.Text());
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].Phase, L"process and COM start");
  EXPECT_EQ(back[1].Microseconds, 98765432101);
}

TEST(StartupTrace, LinesThatAreNoMarksAreSkipped) {
  const std::wstring text =
      L"icons\t10\r\n"  // a line ended the Windows way
      L"no tab here\n"  //
      L"\t20\n"         // no name
      L"layout\t\n"     // no number
      L"paint\t1x\n"    // not a number
      L"huge\t99999999999999999999\n"
      L"late\t-3\n"
      L"tab\tin name\t30";  // the last tab separates; no final newline
  const std::vector<TTraceMark> marks = ParseStartupTrace(text);
  ASSERT_EQ(marks.size(), 3u);
  EXPECT_EQ(marks[0].Phase, L"icons");
  EXPECT_EQ(marks[1].Microseconds, -3);
  EXPECT_EQ(marks[2].Phase, L"tab\tin name");
  EXPECT_EQ(marks[2].Microseconds, 30);
}

TEST(StartupTrace, PhasesRunFromMarkToMarkAndNeverBackwards) {
  const std::vector<TTracePhase> phases =
      TracePhases(1000, {{L"start", 1500}, {L"listing", 1400}, {L"icons", 2000}, {L"paint", 2000}});
  ASSERT_EQ(phases.size(), 4u);
  EXPECT_EQ(phases[0].Microseconds, 500);
  EXPECT_EQ(phases[1].Microseconds, 0) << "a mark read before the one preceding it";
  EXPECT_EQ(phases[2].Microseconds, 500) << "measured from the latest mark so far";
  EXPECT_EQ(phases[3].Microseconds, 0);
  EXPECT_TRUE(TracePhases(0, {}).empty());
}
