#include "common/calendar.h"

#include <gtest/gtest.h>

namespace rain {
namespace {

std::string typed_time(std::string_view text) {
  auto t = typed_clock_time(text);
  return t ? t->text() : "-";
}

std::string typed_date(std::string_view text) {
  auto d = typed_calendar_date(text);
  return d ? d->text() : "-";
}

TEST(Calendar, MonthLengthsAndTwoDigitLeapYears) {
  EXPECT_TRUE(is_calendar_date(29, 2, 0));
  EXPECT_TRUE(is_calendar_date(29, 2, 24));
  EXPECT_FALSE(is_calendar_date(29, 2, 25));
  EXPECT_FALSE(is_calendar_date(31, 4, 5));
  EXPECT_FALSE(is_calendar_date(32, 3, 25));
  EXPECT_FALSE(is_calendar_date(0, 3, 25));
  EXPECT_FALSE(is_calendar_date(1, 13, 25));
  EXPECT_FALSE(is_calendar_date(1, 1, 100));
}

TEST(Calendar, TwoDigitYearsAreLeapAsTheGregorianYearsOfTheirCentury) {
  for (int ano = 0; ano < 100; ++ano) EXPECT_EQ(is_leap_year(ano), is_leap_year(2000 + ano)) << ano;
  EXPECT_FALSE(is_leap_year(2100));
  EXPECT_TRUE(is_leap_year(2000));
}

TEST(Calendar, NextDayRunsOverMonthsLeapDaysAndTheCentury) {
  EXPECT_EQ(next_day({28, 2, 4}).text(), "29/02/04");
  EXPECT_EQ(next_day({28, 2, 5}).text(), "01/03/05");
  EXPECT_EQ(next_day({29, 2, 0}).text(), "01/03/00");
  EXPECT_EQ(next_day({30, 4, 5}).text(), "01/05/05");
  EXPECT_EQ(next_day({31, 12, 99}).text(), "01/01/00");
}

TEST(Calendar, TwoDigitYearsCountOnFromTheYearBeforeAndNeverBack) {
  EXPECT_EQ(year_counted_on(1999, 0), 2000);
  EXPECT_EQ(year_counted_on(1999, 99), 1999);
  EXPECT_EQ(year_counted_on(2025, 26), 2026);
  EXPECT_EQ(year_counted_on(2025, 24), 2124);
}

TEST(Calendar, FixedFormsOnly) {
  EXPECT_TRUE(fixed_clock_time("23:59:59"));
  EXPECT_TRUE(fixed_calendar_date("31/12/99"));
  for (const char* t : {"24:00:00", "9:05:00", " 9:05:00", "09/05:00", "00:60:00", "09:05", "xx:00:00", "09:05:0x", ""}) {
    EXPECT_FALSE(fixed_clock_time(t)) << t;
  }
  for (const char* d : {"32/03/25", "xx/03/25", "-1/03/25", "00/03/25", "01/13/25", "26/06/2024", "1/06/24", "06/26/24", "29/02/25", "01/03/25/1"}) {
    EXPECT_FALSE(fixed_calendar_date(d)) << d;
  }
}

TEST(Calendar, TypedTimesAndDatesMeanTheirFixedForms) {
  EXPECT_EQ(typed_time("7:00"), "07:00:00");
  EXPECT_EQ(typed_time("7"), "07:00:00");
  EXPECT_EQ(typed_time("07/30/05"), "07:30:05");
  EXPECT_EQ(typed_time("0"), "00:00:00");
  for (const char* t : {"24:00", "7::00", "7:00:00:00", "7h", " 7:00", "-1:00", "7.5", "007:00"}) {
    EXPECT_EQ(typed_time(t), "-") << t;
  }
  EXPECT_EQ(typed_date("1/6/14"), "01/06/14");
  EXPECT_EQ(typed_date("01-06-2014"), "01/06/14");
  EXPECT_EQ(typed_date("29/2/2000"), "29/02/00");
  for (const char* d : {"0", "1/6", "31/6/14", "1/6/214", "1//6/14", "dd/mm/yy", "1/6/14/1"}) {
    EXPECT_EQ(typed_date(d), "-") << d;
  }
}

}  // namespace
}  // namespace rain
