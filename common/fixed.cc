#include "common/fixed.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

namespace rain {
namespace {

// The whole number `digits` read with `decimals` places: the point set in,
// zeros put in front of a short one.
void append_with_point(std::string& out, std::string_view digits, int decimals) {
  if (decimals <= 0) {
    out += digits;
    return;
  }
  const std::size_t places = static_cast<std::size_t>(decimals);
  if (digits.size() <= places) {
    out += "0.";
    out.append(places - digits.size(), '0');
    out += digits;
    return;
  }
  out += digits.substr(0, digits.size() - places);
  out += '.';
  out += digits.substr(digits.size() - places);
}

// Digits of |value| with `decimals` places, appended to `out`. The value is
// scaled in extended precision, where a double times 10^2 is exact, so a value
// that is exactly half-way rounds away from zero instead of to even.
void append_magnitude_digits(std::string& out, long double value, int decimals) {
  long double scaled = std::fabs(value);
  for (int i = 0; i < decimals; ++i) scaled *= 10;
  if (scaled < 9.0e18L) {
    // The whole part and the fraction are both exact, so this is round()
    // without its call.
    auto whole = static_cast<unsigned long long>(scaled);
    if (scaled - static_cast<long double>(whole) >= 0.5L) ++whole;
    char buffer[24];
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, whole).ptr;
    append_with_point(out, std::string_view(buffer, static_cast<std::size_t>(end - buffer)), decimals);
    return;
  }
  // Every digit of the largest finite values (4933 at most).
  char digits[5000];
  const int length = std::snprintf(digits, sizeof digits, "%.0Lf", std::round(scaled));
  append_with_point(out, std::string_view(digits, static_cast<std::size_t>(length)), decimals);
}

}  // namespace

void append_fixed_compact(std::string& out, long double value, int decimals) {
  if (std::isnan(value)) {
    out += "Nan";
  } else if (std::isinf(value)) {
    out += value < 0 ? "-Inf" : "+Inf";
  } else {
    if (value < 0) out += '-';
    append_magnitude_digits(out, value, decimals);
  }
}

std::string format_fixed(long double value, int width, int decimals) {
  std::string text;
  append_fixed_compact(text, value, decimals);
  if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  return text;
}

std::string format_fixed_compact(long double value, int decimals) {
  std::string text;
  append_fixed_compact(text, value, decimals);
  return text;
}

}  // namespace rain
