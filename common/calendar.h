// Clock times and calendar dates as the series holds them: "hh:mm:ss" within
// the clock, and "dd/mm/yy" of a two-digit-year calendar in which every year
// divisible by 4 (00 too) is a leap year, as in the Gregorian years 1901 to
// 2099, and 31/12/99 is followed by 01/01/00. Also what a user means by a
// time or a date typed in a looser form ("7:00", "1/6/2014"). Day numbers and
// instants: common/instante.h.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace rain {

struct ClockTime {
  int hora = 0;
  int minuto = 0;
  int segundo = 0;

  auto operator<=>(const ClockTime&) const = default;
  std::string text() const;  // "hh:mm:ss"
};

struct CalendarDate {
  int dia = 0;
  int mes = 0;
  int ano = 0;  // 0..99

  bool operator==(const CalendarDate&) const = default;
  std::string text() const;  // "dd/mm/yy"
};

// Of the Gregorian calendar, which a two-digit year 0..99 follows too.
bool is_leap_year(int ano);
// 0 for a month outside 1..12.
int days_in_month(int mes, int ano);
// The day after `data`; after 31/12/99 comes 01/01/00.
CalendarDate next_day(const CalendarDate& data);
// The full year of a two-digit year that follows the full year `anterior`:
// never earlier, so that 99 is followed by 00 of the next century.
int year_counted_on(int anterior, int dois_digitos);
bool is_calendar_date(int dia, int mes, int ano);
bool is_clock_time(int hora, int minuto, int segundo);

// "hh:mm:ss" or "dd/mm/yy": three numbers joined by `separator`, a leading
// zero before each from 0 to 9.
std::string two_digit_fields(int first, int second, int third, char separator);

// A time written exactly "hh:mm:ss" with the clock's ranges, or nothing.
std::optional<ClockTime> fixed_clock_time(std::string_view text);
// A date written exactly "dd/mm/yy" that the calendar has, or nothing.
std::optional<CalendarDate> fixed_calendar_date(std::string_view text);

// A typed time: hours, then optional minutes and seconds, separated by ":" or
// "/" ("7" and "7:00" are 07:00:00, "07/30/00" is 07:30:00); nothing when it
// is not a clock time.
std::optional<ClockTime> typed_clock_time(std::string_view text);
// A typed date: day, month and year separated by "/" or "-"; a four-digit year
// keeps its last two digits ("1/6/2014" is 01/06/14); nothing when the
// calendar has no such date.
std::optional<CalendarDate> typed_calendar_date(std::string_view text);

}  // namespace rain
