// Hundredths of a figure as the tables write it (common/fixed.h: the double
// scaled exactly in extended precision, halves away from zero), so that a flag,
// a completeness or a warning agrees with the figures shown. Rounding the
// double product instead can give 635 for a depth written 6.34.
#pragma once

#include <cmath>

namespace rain::resume {

inline long long centesimos(double valor) { return std::llroundl(static_cast<long double>(valor) * 100); }

}  // namespace rain::resume
