// How much of a calendar period a series covers: the steps the period holds,
// and the share of them the series has outside outages. A year (or a month)
// is complete when that share reaches a minimum, 90 % unless the user sets
// another with --completude-minima; only complete years enter the means.
#pragma once

#include <cstdint>

namespace rain::resume {

inline constexpr double kCompletudeMinimaPadrao = 90;

// The steps of a calendar year or month. A step that does not divide the day
// starts again at 00:00:00 every day, as the formatter lays the steps out.
std::int64_t passos_do_ano(int ano, std::int64_t passo_s);
std::int64_t passos_do_mes(int ano, int mes, std::int64_t passo_s);

// 100 x registros / passos; 0 for a period without steps.
double completude_pct(std::int64_t registros, std::int64_t passos);

// Whether a share reaches the minimum, both taken to hundredths as the tables
// show them, so that a year shown with 90.00 is complete against 90.
bool completo(double completude_pct, double minima_pct);

}  // namespace rain::resume
