#include "common/text.h"

#include <gtest/gtest.h>

namespace rain {
namespace {

TEST(WordSplitting, EmptyFieldsAreNeverCountedAndFieldsMoveForward) {
  DelimiterSet semicolon(";");
  EXPECT_EQ(word("10:00;;15/03/05;0.2", 2, semicolon), "15/03/05");
  EXPECT_EQ(word("10:00;;15/03/05;0.2", 3, semicolon), "0.2");
  EXPECT_EQ(word(";;a;;b;;", 1, semicolon), "a");
  EXPECT_EQ(word(";;a;;b;;", 2, semicolon), "b");
  EXPECT_EQ(count_words(";;a;;b;;", semicolon), 2);
}

TEST(WordSplitting, OutOfRangeWordNumbersGiveTheEmptyText) {
  DelimiterSet blank(" ");
  EXPECT_EQ(word("a b c", 0, blank), "");
  EXPECT_EQ(word("a b c", -3, blank), "");
  EXPECT_EQ(word("a b c", 4, blank), "");
  EXPECT_EQ(word("", 1, blank), "");
  EXPECT_EQ(count_words("   ", blank), 0);
  EXPECT_EQ(count_words("", blank), 0);
}

TEST(WordSplitting, SeveralDelimitersAndRanges) {
  DelimiterSet set(" :_");
  set.add_range('A', 'Z').add_range('a', 'z');
  EXPECT_EQ(word("1h30m00s", 1, set), "1");
  EXPECT_EQ(word("1h30m00s", 2, set), "30");
  EXPECT_EQ(word("1h30m00s", 3, set), "00");
  EXPECT_EQ(count_words("01 30 00", set), 3);
}

TEST(ShortText, CutsAt255Characters) {
  std::string long_text(300, 'x');
  EXPECT_EQ(cut_short(long_text).size(), 255u);
  EXPECT_EQ(cut_short("abc"), "abc");
}

TEST(Keywords, CompareInUpperCaseOverTheWholeText) {
  EXPECT_TRUE(equals_upper("Total", "TOTAL"));
  EXPECT_TRUE(equals_upper("intervalo", "INTERVALO"));
  EXPECT_FALSE(equals_upper("totals", "TOTAL"));
  EXPECT_FALSE(equals_upper("nao", "N"));
}

TEST(SameText, ADifferenceAnywhereInTextsOfAnyLengthIsSeen) {
  // The words compared overlap at the end: every length and position counts.
  for (std::size_t n = 0; n <= 20; ++n) {
    const std::string a(n, 'x');
    EXPECT_TRUE(same_text(a, std::string(n, 'x'))) << n;
    EXPECT_FALSE(same_text(a, a + "x")) << n;
    for (std::size_t i = 0; i < n; ++i) {
      std::string b = a;
      b[i] = 'y';
      EXPECT_FALSE(same_text(a, b)) << n << " " << i;
    }
  }
}

}  // namespace
}  // namespace rain
