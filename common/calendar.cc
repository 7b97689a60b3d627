#include "common/calendar.h"

#include <vector>

namespace rain {
namespace {

// A part of a time or a date: decimal digits only, no sign, no blank.
std::optional<int> digits_value(std::string_view part, std::size_t max_digits) {
  if (part.empty() || part.size() > max_digits) return std::nullopt;
  int value = 0;
  for (char c : part) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// The parts between the separators, empty ones included, so "7::00" is not a
// time; nothing when there are more than three.
std::optional<std::vector<std::string_view>> three_parts_at_most(std::string_view text, std::string_view separators) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find_first_of(separators, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (parts.size() > 3) return std::nullopt;
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

// The two digits at `at` as a number; false when either is not a digit.
bool two_digits_at(std::string_view text, std::size_t at, int& value) {
  const char a = text[at], b = text[at + 1];
  if (a < '0' || a > '9' || b < '0' || b > '9') return false;
  value = (a - '0') * 10 + (b - '0');
  return true;
}

// A time or a date written as its own text, "dd:dd:dd" or "dd/dd/dd" with
// `mark` between the parts, read in place; any other text must be what its
// typed reading writes back.
template <typename Value>
std::optional<Value> fixed_form(std::string_view text, char mark, bool (*valid)(int, int, int),
                                std::optional<Value> (*typed)(std::string_view)) {
  if (text.size() == 8 && text[2] == mark && text[5] == mark) {
    int first, second, third;
    if (!two_digits_at(text, 0, first) || !two_digits_at(text, 3, second) || !two_digits_at(text, 6, third)) {
      return std::nullopt;
    }
    if (!valid(first, second, third)) return std::nullopt;
    return Value{first, second, third};
  }
  std::optional<Value> value = typed(text);
  if (!value || value->text() != text) return std::nullopt;
  return value;
}

// A number right-aligned in two characters, a zero in place of the blank.
void append_two_digits(std::string& out, int value) {
  if (value >= 0 && value < 10) out += '0';
  out += std::to_string(value);
}

}  // namespace

std::string two_digit_fields(int first, int second, int third, char separator) {
  std::string s;
  append_two_digits(s, first);
  s += separator;
  append_two_digits(s, second);
  s += separator;
  append_two_digits(s, third);
  return s;
}

std::string ClockTime::text() const { return two_digit_fields(hora, minuto, segundo, ':'); }

std::string CalendarDate::text() const { return two_digit_fields(dia, mes, ano, '/'); }

bool is_leap_year(int ano) { return (ano % 4 == 0 && ano % 100 != 0) || ano % 400 == 0; }

int days_in_month(int mes, int ano) {
  switch (mes) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12:
      return 31;
    case 4: case 6: case 9: case 11:
      return 30;
    case 2:
      return is_leap_year(ano) ? 29 : 28;
    default:
      return 0;
  }
}

CalendarDate next_day(const CalendarDate& data) {
  if (data.dia < days_in_month(data.mes, data.ano)) return {data.dia + 1, data.mes, data.ano};
  if (data.mes < 12) return {1, data.mes + 1, data.ano};
  return {1, 1, (data.ano + 1) % 100};
}

int year_counted_on(int anterior, int dois_digitos) { return anterior + (dois_digitos - anterior % 100 + 100) % 100; }

bool is_calendar_date(int dia, int mes, int ano) {
  return ano >= 0 && ano <= 99 && mes >= 1 && mes <= 12 && dia >= 1 && dia <= days_in_month(mes, ano);
}

bool is_clock_time(int hora, int minuto, int segundo) {
  return hora >= 0 && hora <= 23 && minuto >= 0 && minuto <= 59 && segundo >= 0 && segundo <= 59;
}

std::optional<ClockTime> fixed_clock_time(std::string_view text) {
  return fixed_form<ClockTime>(text, ':', is_clock_time, typed_clock_time);
}

std::optional<CalendarDate> fixed_calendar_date(std::string_view text) {
  return fixed_form<CalendarDate>(text, '/', is_calendar_date, typed_calendar_date);
}

std::optional<ClockTime> typed_clock_time(std::string_view text) {
  auto parts = three_parts_at_most(text, ":/");
  if (!parts) return std::nullopt;
  int fields[3] = {0, 0, 0};
  for (std::size_t i = 0; i < parts->size(); ++i) {
    std::optional<int> value = digits_value((*parts)[i], 2);
    if (!value) return std::nullopt;
    fields[i] = *value;
  }
  if (!is_clock_time(fields[0], fields[1], fields[2])) return std::nullopt;
  return ClockTime{fields[0], fields[1], fields[2]};
}

std::optional<CalendarDate> typed_calendar_date(std::string_view text) {
  auto parts = three_parts_at_most(text, "/-");
  if (!parts || parts->size() != 3) return std::nullopt;
  std::optional<int> dia = digits_value((*parts)[0], 2);
  std::optional<int> mes = digits_value((*parts)[1], 2);
  std::string_view year = (*parts)[2];
  if (year.size() == 4) year.remove_prefix(2);
  std::optional<int> ano = digits_value(year, 2);
  if (!dia || !mes || !ano || !is_calendar_date(*dia, *mes, *ano)) return std::nullopt;
  return CalendarDate{*dia, *mes, *ano};
}

}  // namespace rain
