#include "core/base/Dpi.h"

#include <gtest/gtest.h>

TEST(ScaleForDpi, RoundsAsMulDivAtTheUsualScales) {
  struct Row {
    int value, dpi, expected;
  };
  const Row rows[] = {
      {56, 96, 56},  {56, 120, 70},  {56, 144, 84},   {56, 192, 112}, {4, 120, 5},   {1, 120, 1},
      {2, 144, 3},   {3, 120, 4},    {65, 144, 98},   {-2, 144, -3},  {-3, 120, -4}, {0, 192, 0},
      {200, 0, 200}, {200, -1, 200}, {480, 168, 840}, {1, 72, 1},     {3, 72, 2},
  };
  for (const Row& row : rows)
    EXPECT_EQ(ScaleForDpi(row.value, row.dpi), row.expected) << row.value << " at " << row.dpi;
}
