// Fixed-point text of a number: rounded to the nearest with halves going away
// from zero, "-" in front of every negative value (so a small negative count
// gives "-0"), blanks on the left up to `width`; a longer text is not cut.
#pragma once

#include <string>

namespace rain {

std::string format_fixed(long double value, int width, int decimals);

// Fixed-point text without any blank, as the series writes depths and counts.
std::string format_fixed_compact(long double value, int decimals);

// The same text appended to `out`, without a string of its own: the series
// writers call it once a record.
void append_fixed_compact(std::string& out, long double value, int decimals);

}  // namespace rain
