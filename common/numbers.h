// Number texts. "." is the only decimal point; nothing may follow a number.
//
// Decimal: optional leading blanks or tabs, an optional sign, at least one
// digit before or after an optional ".", an optional exponent (E or e, an
// optional sign, digits).
// Whole: optional leading blanks or tabs, an optional sign, then decimal digits
// or digits of another base after a prefix: $, x, X, 0x, 0X (16), % (2), & (8).
//
// `error` is 0 on success, otherwise the 1-based position of the first
// character that does not fit (one past the end when the text stops early).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace rain {

struct DecimalText {
  double value = 0;
  int error = 0;
  bool ok() const { return error == 0; }
};

struct WholeText {
  std::int64_t value = 0;
  int error = 0;  // also set when the magnitude does not fit 64 bits
  bool ok() const { return error == 0; }
};

DecimalText parse_decimal(std::string_view text);
WholeText parse_whole(std::string_view text);

inline bool fits_int16(std::int64_t v) { return v >= -32768 && v <= 32767; }
inline bool fits_int32(std::int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; }

// A whole-number text that also fits the destination's range, or nothing:
// a value that does not fit a 16-bit (or 32-bit) variable is not accepted.
std::optional<std::int16_t> whole_int16(std::string_view text);
std::optional<std::int32_t> whole_int32(std::string_view text);
std::optional<double> decimal(std::string_view text);

}  // namespace rain
