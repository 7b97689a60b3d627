#include "common/numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace rain {
namespace {

TEST(DecimalText, AcceptsTheDocumentedForms) {
  for (const char* text : {"0.2", "  0.2", "\t-1.5", "+3", ".5", "5.", "1e3", "2.5E-2", "-.25e+1", "007"}) {
    EXPECT_TRUE(parse_decimal(text).ok()) << text;
  }
  EXPECT_DOUBLE_EQ(parse_decimal(" -2.5E-1").value, -0.25);
  EXPECT_DOUBLE_EQ(parse_decimal(".5").value, 0.5);
}

TEST(DecimalText, RefusesCommaTrailingTextAndEmptyText) {
  for (const char* text : {"0,2", "", " ", ".", "-", "1e", "1e+", "0.2 ", "abc", "1.2.3", "inf", "nan", "0x10", "1 2"}) {
    EXPECT_FALSE(parse_decimal(text).ok()) << text;
  }
  EXPECT_EQ(parse_decimal("0,2").error, 2);
  EXPECT_EQ(parse_decimal("12a").error, 3);
}

TEST(DecimalText, OverflowIsAnErrorUnderflowGivesTheNearestValue) {
  EXPECT_FALSE(parse_decimal("1e999").ok());
  EXPECT_FALSE(parse_decimal("-1e999").ok());
  EXPECT_EQ(parse_decimal("1e-999").value, 0.0);
  EXPECT_EQ(parse_decimal("+4.9e-324").value, 4.9e-324);
}

TEST(DecimalText, ValuesAreTheCorrectlyRoundedOnes) {
  EXPECT_EQ(parse_decimal("0.1").value, 0.1);
  EXPECT_EQ(parse_decimal("+105.75").value, 105.75);
  EXPECT_EQ(parse_decimal("2.675").value, 2.675);
  EXPECT_EQ(parse_decimal("9007199254740993").value, 9007199254740992.0);
  EXPECT_TRUE(std::signbit(parse_decimal("-0").value));
}

TEST(WholeText, DecimalAndPrefixedBases) {
  EXPECT_EQ(parse_whole("42").value, 42);
  EXPECT_EQ(parse_whole("  -17").value, -17);
  EXPECT_EQ(parse_whole("+5").value, 5);
  EXPECT_EQ(parse_whole("$1F").value, 31);
  EXPECT_EQ(parse_whole("x10").value, 16);
  EXPECT_EQ(parse_whole("X10").value, 16);
  EXPECT_EQ(parse_whole("0x10").value, 16);
  EXPECT_EQ(parse_whole("0X1f").value, 31);
  EXPECT_EQ(parse_whole("%101").value, 5);
  EXPECT_EQ(parse_whole("&17").value, 15);
  EXPECT_EQ(parse_whole("-$10").value, -16);
  EXPECT_EQ(parse_whole("0").value, 0);
}

TEST(WholeText, RefusesDecimalsAndTrailingText) {
  for (const char* text : {"", "1.5", "3.0", "abc", "1 ", "%2", "&8", "$", "0x", "--1", "1e3", "0,5"}) {
    EXPECT_FALSE(parse_whole(text).ok()) << text;
  }
}

TEST(WholeText, RangeOfTheDestination) {
  EXPECT_EQ(whole_int16("32767"), std::optional<std::int16_t>(32767));
  EXPECT_EQ(whole_int16("-32768"), std::optional<std::int16_t>(-32768));
  EXPECT_FALSE(whole_int16("32768").has_value());
  EXPECT_FALSE(whole_int16("-32769").has_value());
  EXPECT_TRUE(whole_int32("2147483647").has_value());
  EXPECT_FALSE(whole_int32("2147483648").has_value());
  EXPECT_FALSE(parse_whole("99999999999999999999").ok());
  EXPECT_EQ(parse_whole("-9223372036854775808").value, INT64_MIN);
}

}  // namespace
}  // namespace rain
