#include "common/numbers.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace rain {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::size_t skip_blanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  return i;
}

int position(std::size_t index) { return static_cast<int>(index) + 1; }

// A decimal of at most 15 digits and no exponent, checked already. Its digits
// make a whole number below 2^53 and its power of ten is exact too, so the one
// division rounds to the nearest double, as from_chars does.
double short_decimal(std::string_view text, std::size_t places) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  bool negative = false;
  std::uint64_t whole = 0;
  for (char c : text) {
    if (c == '-') {
      negative = true;
    } else if (is_digit(c)) {
      whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
    }
  }
  const double value = static_cast<double>(whole) / kPowers[places];
  return negative ? -value : value;
}

int digit_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

}  // namespace

DecimalText parse_decimal(std::string_view text) {
  DecimalText out;
  std::size_t i = skip_blanks(text);
  const std::size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  std::size_t places = 0;
  while (i < text.size() && is_digit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && is_digit(text[i])) ++i, ++digits, ++places;
  }
  if (digits == 0) {
    out.error = position(i);
    return out;
  }
  if (i == text.size() && digits <= 15) {
    out.value = short_decimal(text.substr(start, i - start), places);
    return out;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t exponent_digits = 0;
    while (i < text.size() && is_digit(text[i])) ++i, ++exponent_digits;
    if (exponent_digits == 0) {
      out.error = position(i);
      return out;
    }
  }
  if (i != text.size()) {
    out.error = position(i);
    return out;
  }
  // The syntax is checked above. from_chars rounds exactly as strtod does and
  // needs no copy; it takes no "+" and reports underflow and overflow without
  // a value, which strtod then settles.
  const char* first = text.data() + start;
  const char* last = text.data() + i;
  if (*first == '+') ++first;
  auto [end, ec] = std::from_chars(first, last, out.value);
  if (ec == std::errc() && end == last) return out;
  // strtod sees only plain decimal forms; the C locale, never changed by these
  // programs, makes "." its decimal point.
  std::string number(text.substr(start, i - start));
  errno = 0;
  out.value = std::strtod(number.c_str(), nullptr);
  if (errno == ERANGE && std::isinf(out.value)) out.error = position(text.size());
  return out;
}

WholeText parse_whole(std::string_view text) {
  WholeText out;
  std::size_t i = skip_blanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < text.size()) {
    char c = text[i];
    if (c == '$' || c == 'x' || c == 'X') {
      base = 16, ++i;
    } else if (c == '%') {
      base = 2, ++i;
    } else if (c == '&') {
      base = 8, ++i;
    } else if (c == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
      base = 16, i += 2;
    }
  }
  std::uint64_t magnitude = 0;
  std::size_t digits = 0;
  for (; i < text.size(); ++i, ++digits) {
    int d = digit_value(text[i]);
    if (d >= base) break;
    if (magnitude > (UINT64_MAX - static_cast<std::uint64_t>(d)) / static_cast<std::uint64_t>(base)) {
      out.error = position(i);
      return out;
    }
    magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
  }
  if (digits == 0 || i != text.size()) {
    out.error = position(i);
    return out;
  }
  const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
  if (magnitude > limit) {
    out.error = position(text.size());
    return out;
  }
  out.value = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
  return out;
}

std::optional<std::int16_t> whole_int16(std::string_view text) {
  WholeText w = parse_whole(text);
  if (!w.ok() || !fits_int16(w.value)) return std::nullopt;
  return static_cast<std::int16_t>(w.value);
}

std::optional<std::int32_t> whole_int32(std::string_view text) {
  WholeText w = parse_whole(text);
  if (!w.ok() || !fits_int32(w.value)) return std::nullopt;
  return static_cast<std::int32_t>(w.value);
}

std::optional<double> decimal(std::string_view text) {
  DecimalText d = parse_decimal(text);
  if (!d.ok()) return std::nullopt;
  return d.value;
}

}  // namespace rain
