#include "common/fixed.h"

#include <gtest/gtest.h>

#include <string>

namespace rain {
namespace {

TEST(FixedPoint, TwoDecimalsWithoutBlanks) {
  EXPECT_EQ(format_fixed_compact(0.2, 2), "0.20");
  EXPECT_EQ(format_fixed_compact(12.4, 2), "12.40");
  EXPECT_EQ(format_fixed_compact(-1, 2), "-1.00");
  EXPECT_EQ(format_fixed_compact(105.75, 2), "105.75");
  EXPECT_EQ(format_fixed_compact(0.2 + 0.1, 2), "0.30");
}

TEST(FixedPoint, ExactHalvesGoAwayFromZero) {
  EXPECT_EQ(format_fixed_compact(0.125, 2), "0.13");
  EXPECT_EQ(format_fixed_compact(-0.125, 2), "-0.13");
  EXPECT_EQ(format_fixed_compact(0.5, 0), "1");
  EXPECT_EQ(format_fixed_compact(2.5, 0), "3");
  EXPECT_EQ(format_fixed_compact(-2.5, 0), "-3");
}

TEST(FixedPoint, SmallNegativeRoundsToMinusZero) {
  EXPECT_EQ(format_fixed(-0.4, 5, 0), "   -0");
  EXPECT_EQ(format_fixed_compact(-0.001, 2), "-0.00");
}

TEST(FixedPoint, WidthIsAMinimum) {
  EXPECT_EQ(format_fixed(2, 5, 0), "    2");
  EXPECT_EQ(format_fixed(123456, 5, 0), "123456");
  EXPECT_EQ(format_fixed(12.4L, 11, 2), "      12.40");
  EXPECT_EQ(format_fixed(1.2L, 12, 2), "        1.20");
}

TEST(FixedPoint, AppendedAfterWhatTheTextHolds) {
  std::string line = "10:00 15/03/05 ";
  append_fixed_compact(line, 0.005, 2);
  append_fixed_compact(line, -0.0, 2);
  EXPECT_EQ(line, "10:00 15/03/05 0.010.00");
}

TEST(FixedPoint, LargeValuesKeepAllDigits) {
  EXPECT_EQ(format_fixed_compact(1e20, 2), "100000000000000000000.00");
  // 10^300 is not exact in binary: all 301 digits of the double are written.
  const std::string big = format_fixed_compact(1e300, 2);
  EXPECT_EQ(big.size(), 301u + 3u);
  EXPECT_EQ(big.substr(0, 5), "10000");
  EXPECT_EQ(big.substr(big.size() - 3), ".00");
  EXPECT_EQ(format_fixed(-1e300L * 1e300L, 0, 0).size(), 602u);
}

}  // namespace
}  // namespace rain
