#include "common/fixed.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace rain {
namespace {

// Digits of |value| with `decimals` places. The value is scaled in extended
// precision, where a double times 10^2 is exact, so a value that is exactly
// half-way rounds away from zero instead of to even.
std::string magnitude_digits(long double value, int decimals) {
  long double scaled = std::fabs(value);
  for (int i = 0; i < decimals; ++i) scaled *= 10;
  scaled = std::round(scaled);
  std::string digits;
  if (scaled < 9.0e18L) {
    digits = std::to_string(static_cast<unsigned long long>(scaled));
  } else {
    // Every digit of the largest finite values (over 4900 of them).
    int length = std::snprintf(nullptr, 0, "%.0Lf", scaled);
    digits.resize(static_cast<std::size_t>(length) + 1);
    std::snprintf(digits.data(), digits.size(), "%.0Lf", scaled);
    digits.resize(static_cast<std::size_t>(length));
  }
  if (decimals <= 0) return digits;
  std::size_t places = static_cast<std::size_t>(decimals);
  if (digits.size() <= places) digits.insert(0, places + 1 - digits.size(), '0');
  digits.insert(digits.size() - places, 1, '.');
  return digits;
}

}  // namespace

std::string format_fixed(long double value, int width, int decimals) {
  if (std::isnan(value)) return std::string(width > 3 ? width - 3 : 0, ' ') + "Nan";
  if (std::isinf(value)) {
    std::string text = value < 0 ? "-Inf" : "+Inf";
    return std::string(width > static_cast<int>(text.size()) ? width - text.size() : 0, ' ') + text;
  }
  std::string text = magnitude_digits(value, decimals);
  if (value < 0) text.insert(0, 1, '-');
  if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  return text;
}

std::string format_fixed_compact(long double value, int decimals) {
  return format_fixed(value, 0, decimals);
}

}  // namespace rain
