#include "core/viewer/LiveView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

struct TRebuildRun {
  std::uint64_t Start = 0;
  std::uint64_t End = 0;
  std::uint64_t LastChangeShown = 0;  // the latest change the rebuild's listing saw
};

// The viewer's loop as the pacer sees it: one thread handles the folder's
// changes and the pacer's one timer in time order, and neither while a
// rebuild (taking rebuildTakes) runs: what came meanwhile is handled after it.
std::vector<TRebuildRun> Simulate(const std::vector<std::uint64_t>& changes, std::uint64_t rebuildTakes) {
  TRebuildPacer pacer;
  bool timerSet = false;  // the one timer, and when it fires
  std::uint64_t timerAt = 0;
  std::vector<TRebuildRun> runs;
  std::uint64_t busyUntil = 0;
  std::uint64_t lastSeen = 0;
  std::size_t next = 0;
  while (next < changes.size() || timerSet) {
    const bool changeFirst = next < changes.size() && (!timerSet || std::max(changes[next], busyUntil) <= timerAt);
    if (changeFirst) {
      const std::uint64_t now = std::max(changes[next], busyUntil);
      lastSeen = changes[next++];
      timerSet = true;  // set again, it replaces the one before
      timerAt = now + pacer.Change(now);
      continue;
    }
    const std::uint64_t now = timerAt;
    timerSet = false;
    const std::optional<std::uint64_t> wait = pacer.WaitFrom(now);
    if (!wait) continue;
    if (*wait > 0) {
      timerSet = true;
      timerAt = now + *wait;
      continue;
    }
    pacer.Begin();
    runs.push_back({now, now + rebuildTakes, lastSeen});
    busyUntil = now + rebuildTakes;
    pacer.End(busyUntil);
  }
  return runs;
}

std::vector<std::uint64_t> Starts(const std::vector<TRebuildRun>& runs) {
  std::vector<std::uint64_t> starts;
  for (const TRebuildRun& run : runs) starts.push_back(run.Start);
  return starts;
}

std::vector<std::uint64_t> Every(std::uint64_t from, std::uint64_t to, std::uint64_t step) {
  std::vector<std::uint64_t> times;
  for (std::uint64_t t = from; t <= to; t += step) times.push_back(t);
  return times;
}

std::vector<std::uint64_t> Joined(std::vector<std::uint64_t> a, const std::vector<std::uint64_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

TEST(LiveView, ARebuildSettlesAfterTheFirstChangeAndKeepsItsSpacingFromTheLastOne) {
  EXPECT_EQ(RebuildDueAt(std::nullopt, 1000), 1100u) << "no rebuild yet";
  EXPECT_EQ(RebuildDueAt(500, 1000), 1100u) << "the last rebuild long past";
  EXPECT_EQ(RebuildDueAt(900, 1000), 1200u) << "spaced from a recent rebuild";
  EXPECT_EQ(RebuildDueAt(1000, 1000), 1300u);

  TRebuildPacer pacer;
  EXPECT_EQ(pacer.WaitFrom(0), std::nullopt) << "nothing pending";
  EXPECT_EQ(pacer.Change(1000), 100u);
  EXPECT_EQ(pacer.Change(1060), 40u) << "a later change rides with the first";
  EXPECT_EQ(pacer.WaitFrom(1100), 0u);
  EXPECT_EQ(pacer.WaitFrom(1500), 0u) << "an overdue rebuild is due at once";
  pacer.Drop();
  EXPECT_EQ(pacer.WaitFrom(1500), std::nullopt);
}

TEST(LiveView, ChangesArePacedAndTheLastChangeAlwaysLeadsToAFinalRebuild) {
  const struct {
    const char* What;
    std::vector<std::uint64_t> Changes;
    std::uint64_t RebuildTakes;
    std::vector<std::uint64_t> Rebuilds;
  } cases[] = {
      {"a single change", {1000}, 20, {1100}},
      {"changes during the settling wait ride along", {1000, 1030, 1099}, 20, {1100}},
      {"changes during the spacing wait come together", {1000, 1150, 1200, 1390}, 0, {1100, 1400}},
      {"a change during a rebuild waits for it and is spaced from its end", {1000, 1120}, 50, {1100, 1450}},
      {"a quiet time: the next change settles only", {1000, 5000}, 20, {1100, 5100}},
      {"a burst of a thousand changes", Every(1000, 1999, 1), 50, {1100, 1450, 1800, 2150}},
      {"a slow rebuild under a burst", Every(1000, 1999, 1), 400, {1100, 1800, 2500}},
      {"a burst, a pause, another burst",
       Joined(Every(1000, 1200, 10), Every(3000, 3200, 10)),
       10,
       {1100, 1410, 3100, 3410}},
  };
  for (const auto& c : cases) {
    const std::vector<TRebuildRun> runs = Simulate(c.Changes, c.RebuildTakes);
    EXPECT_EQ(Starts(runs), c.Rebuilds) << c.What;
    ASSERT_FALSE(runs.empty()) << c.What;
    EXPECT_EQ(runs.back().LastChangeShown, c.Changes.back()) << c.What << ": the last rebuild shows the last change";
    for (std::size_t i = 1; i < runs.size(); ++i)
      EXPECT_GE(runs[i].Start, runs[i - 1].End + kRebuildSpacingMilliseconds) << c.What << ": rebuild " << i;
  }
}

TEST(LiveView, ARebuildWaitsForTheShellAndIsDroppedForAViewThatGoes) {
  EXPECT_EQ(DecideLiveRebuild({true, false, false, false}), TLiveRebuild::Now);
  EXPECT_EQ(DecideLiveRebuild({true, false, true, false}), TLiveRebuild::Later) << "a shell menu or drag is up";
  EXPECT_EQ(DecideLiveRebuild({true, false, false, true}), TLiveRebuild::Later) << "a rebuild is under way";
  EXPECT_EQ(DecideLiveRebuild({false, false, false, false}), TLiveRebuild::Never) << "hidden after the shell";
  EXPECT_EQ(DecideLiveRebuild({true, true, true, false}), TLiveRebuild::Never) << "closing";
}

TEST(LiveView, AStartedStackFollowsTheStartUpRuleOnlyAtTheStacksOwnFolder) {
  const struct {
    TViewKind Started, Shown;
    bool AtStackFolder, FallsBack;
    TViewKind Result;
  } cases[] = {
      {TViewKind::Stack, TViewKind::Stack, true, false, TViewKind::Stack},
      {TViewKind::Stack, TViewKind::Stack, true, true, TViewKind::Grid},
      {TViewKind::Stack, TViewKind::Grid, true, false, TViewKind::Stack},  // the folder shrank back
      {TViewKind::Stack, TViewKind::Grid, true, true, TViewKind::Grid},
      {TViewKind::Stack, TViewKind::Stack, false, true, TViewKind::Stack},  // a browsed folder turns crowded
      {TViewKind::Stack, TViewKind::Grid, false, false, TViewKind::Grid},   // browsed from the fallen-back grid
      {TViewKind::Grid, TViewKind::Grid, true, false, TViewKind::Grid},
  };
  for (const auto& c : cases)
    EXPECT_EQ(LiveViewKind(c.Started, c.Shown, c.AtStackFolder, c.FallsBack), c.Result)
        << static_cast<int>(c.Started) << static_cast<int>(c.Shown) << c.AtStackFolder << c.FallsBack;
}

TEST(LiveView, OnlyANewSetOfNamesChangesTheListing) {
  const TFolderListing shown{{L"C:\\S\\b", L"C:\\S\\a"}, {L"C:\\S\\x.txt", L"C:\\S\\y.txt"}};
  EXPECT_FALSE(ListingChanged(shown, shown));
  EXPECT_FALSE(ListingChanged(shown, {{L"C:\\S\\a", L"C:\\S\\b"}, {L"C:\\S\\y.txt", L"C:\\S\\x.txt"}}))
      << "another order";
  EXPECT_TRUE(ListingChanged(shown, {{L"C:\\S\\a", L"C:\\S\\b"}, {L"C:\\S\\x.txt"}})) << "a file went";
  EXPECT_TRUE(ListingChanged(shown, {{L"C:\\S\\a", L"C:\\S\\b"}, {L"C:\\S\\x.txt", L"C:\\S\\z.txt"}}))
      << "a file renamed";
  EXPECT_TRUE(ListingChanged(shown, {{L"C:\\S\\a", L"C:\\S\\b", L"C:\\S\\y.txt"}, {L"C:\\S\\x.txt"}}))
      << "a file became a folder";
  EXPECT_TRUE(ListingChanged(shown, {})) << "the folder went";
}
