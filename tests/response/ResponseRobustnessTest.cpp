// Extreme inputs to the level meter's arithmetic.

#include <gtest/gtest.h>

#include <climits>

#include "response/LProgressBar.h"

namespace {

TEST(LitSegmentCountRobustnessTest, FarOutPositionsLightAllOrNone) {
  struct Case {
    int position, max, count, lit;
  } cases[] = {
      {INT_MAX, 1, 1000, 1000},
      {INT_MAX, 100, 20, 20},
      {INT_MIN, 1, 1000, 0},
      {INT_MIN, INT_MAX, 20, 0},
      {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LitSegmentCount(c.position, c.max, c.count), c.lit)
        << c.position << " " << c.max << " " << c.count;
}

}  // namespace
