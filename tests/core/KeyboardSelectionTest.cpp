#include "core/viewer/KeyboardSelection.h"

#include <gtest/gtest.h>

namespace {

using K = TSelectionKey;

struct MoveRow {
  const char* shape;
  std::size_t count;
  int columns;
  int from;
  K key;
  int expected;
};

}  // namespace

TEST(MoveSelection, MovesWithinStacksAndGridsOfManyShapes) {
  const MoveRow rows[] = {
      // Nothing selected yet: the first key picks an end.
      {"stack", 5, 1, kNoSelection, K::Down, 0},
      {"stack", 5, 1, kNoSelection, K::Up, 4},
      {"grid", 10, 4, kNoSelection, K::Right, 0},
      {"grid", 10, 4, kNoSelection, K::Left, 9},
      {"grid", 10, 4, kNoSelection, K::Home, 0},
      {"grid", 10, 4, kNoSelection, K::End, 9},
      {"empty", 0, 1, kNoSelection, K::Down, kNoSelection},
      {"empty", 0, 4, 3, K::End, kNoSelection},
      {"stale", 3, 1, 7, K::Down, 0},
      // One entry: every key keeps it.
      {"one", 1, 1, 0, K::Up, 0},
      {"one", 1, 1, 0, K::Down, 0},
      {"one", 1, 1, 0, K::Left, 0},
      {"one", 1, 1, 0, K::End, 0},
      // A stack moves up and down only, and never wraps.
      {"stack", 5, 1, 2, K::Down, 3},
      {"stack", 5, 1, 2, K::Up, 1},
      {"stack", 5, 1, 4, K::Down, 4},
      {"stack", 5, 1, 0, K::Up, 0},
      {"stack", 5, 1, 2, K::Left, 2},
      {"stack", 5, 1, 2, K::Right, 2},
      {"stack", 5, 1, 2, K::Home, 0},
      {"stack", 5, 1, 2, K::End, 4},
      // Full rows: 3 x 3.
      {"full", 9, 3, 4, K::Up, 1},
      {"full", 9, 3, 4, K::Down, 7},
      {"full", 9, 3, 4, K::Left, 3},
      {"full", 9, 3, 4, K::Right, 5},
      {"full", 9, 3, 2, K::Right, 2},
      {"full", 9, 3, 3, K::Left, 3},
      {"full", 9, 3, 7, K::Down, 7},
      {"full", 9, 3, 1, K::Up, 1},
      // A last row with gaps: 4 columns, 10 tiles (the last row holds 8 and 9).
      {"gaps", 10, 4, 5, K::Down, 9},
      {"gaps", 10, 4, 6, K::Down, 9},
      {"gaps", 10, 4, 7, K::Down, 9},
      {"gaps", 10, 4, 4, K::Down, 8},
      {"gaps", 10, 4, 9, K::Right, 9},
      {"gaps", 10, 4, 9, K::Up, 5},
      {"gaps", 10, 4, 8, K::Down, 8},
      {"gaps", 10, 4, 3, K::Right, 3},
      // A single row (fewer than 8 tiles stand in one row).
      {"row", 5, 5, 0, K::Right, 1},
      {"row", 5, 5, 4, K::Right, 4},
      {"row", 5, 5, 2, K::Down, 2},
      {"row", 5, 5, 2, K::Up, 2},
  };
  for (const MoveRow& row : rows) {
    EXPECT_EQ(MoveSelection(row.from, row.key, row.count, row.columns), row.expected)
        << row.shape << " " << row.count << "/" << row.columns << " from " << row.from << " key "
        << static_cast<int>(row.key);
  }
}

TEST(MoveSelection, StaysInsideTheLayoutForEveryShape) {
  for (std::size_t count = 1; count <= 30; ++count)
    for (int columns = 1; columns <= 8; ++columns)
      for (int from = kNoSelection; from < static_cast<int>(count); ++from)
        for (K key : {K::Up, K::Down, K::Left, K::Right, K::Home, K::End}) {
          const int to = MoveSelection(from, key, count, columns);
          ASSERT_GE(to, 0);
          ASSERT_LT(to, static_cast<int>(count));
          // Up keeps the column; Left and Right keep the row.
          if (from >= 0 && key == K::Up) {
            ASSERT_EQ(to % columns, from % columns);
          }
          if (from >= 0 && (key == K::Left || key == K::Right)) {
            ASSERT_EQ(to / columns, from / columns);
          }
        }
}

TEST(TypeToSelect, SelectsByPrefixWrapsAndForgetsAfterASecond) {
  const std::vector<std::wstring> captions = {L"GO BACK TO: C:", L"BOOKS", L"BOXES", L"MUSIC", L"BANK.TXT", L"NOTES"};
  struct Step {
    wchar_t ch;
    std::uint64_t at;
    int expected;
  };
  struct Case {
    const char* what;
    int start;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"first b with nothing selected", kNoSelection, {{L'B', 0, 1}}},
      {"a prefix narrows from the selection", kNoSelection, {{L'B', 0, 1}, {L'O', 300, 1}, {L'X', 600, 2}}},
      {"one letter again steps on", kNoSelection, {{L'B', 0, 1}, {L'B', 200, 2}, {L'B', 400, 4}, {L'B', 600, 1}}},
      {"steps on from a selection, wrapping", 4, {{L'B', 0, 1}}},
      {"from the middle, wrapping to the start", 3, {{L'G', 0, 0}}},
      {"no match selects nothing", 2, {{L'Z', 0, kNoSelection}}},
      {"a second pause starts a new prefix", kNoSelection, {{L'B', 0, 1}, {L'N', 1001, 5}}},
      {"within the second the prefix goes on", kNoSelection, {{L'B', 0, 1}, {L'N', 1000, kNoSelection}}},
      {"the current entry stays while it matches", 2, {{L'B', 0, 4}, {L'A', 100, 4}}},
  };
  for (const Case& c : cases) {
    TTypeToSelect typing;
    int selected = c.start;
    for (const Step& step : c.steps) {
      const int result = typing.Type(step.ch, step.at, captions, selected);
      EXPECT_EQ(result, step.expected) << c.what << ", typing " << static_cast<char>(step.ch) << " at " << step.at;
      if (result != kNoSelection) selected = result;
    }
  }
  TTypeToSelect typing;
  EXPECT_EQ(typing.Type(L'B', 0, {}, kNoSelection), kNoSelection);
  EXPECT_TRUE(typing.Typing(1000));
  EXPECT_FALSE(typing.Typing(1001));
}
