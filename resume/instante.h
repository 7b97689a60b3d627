// Times of the series as seconds of a plain calendar (no time zone, no daylight
// saving), and their ISO 8601 text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rain::resume {

// Seconds since 1970-01-01T00:00:00 of the proleptic Gregorian calendar.
using Instante = std::int64_t;

// "hh:mm:ss" and "dd/mm/yy" (or a four-digit year). A two-digit year is 19yy
// for 70..99 and 20yy for 00..69. Nothing when either is not a clock time or a
// calendar date.
std::optional<Instante> instante_da_serie(std::string_view hora, std::string_view data);

// YYYY-MM-DDThh:mm:ss.
std::string texto_iso(Instante instante);

int ano_de(Instante instante);

}  // namespace rain::resume
