// Times of the series as seconds of a plain calendar (no time zone, no daylight
// saving): read from a record's time and date, written as ISO 8601 text, and
// taken apart into calendar fields. The one day-number arithmetic of the
// tool set.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rain {

// Seconds since 1970-01-01T00:00:00 of the proleptic Gregorian calendar.
using Instante = std::int64_t;

inline constexpr std::int64_t kSegundosDoDia = 86400;

// The full year the later programs read a two-digit year as: 19yy for 70..99,
// 20yy for 00..69.
int ano_da_serie(int dois_digitos);

// "hh:mm:ss" and "dd/mm/yy" (or a four-digit year), a two-digit year read by
// ano_da_serie. Nothing when either is not a clock time or a
// calendar date.
std::optional<Instante> instante_da_serie(std::string_view hora, std::string_view data);

// YYYY-MM-DDThh:mm:ss.
std::string texto_iso(Instante instante);

// A duration as "hh:mm:ss", hours past 24 included ("90:00:00"), a negative
// one with a "-" before it.
std::string texto_duracao(std::int64_t segundos);

int ano_de(Instante instante);

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t dias_desde_1970(std::int64_t ano, int mes, int dia);

// The calendar fields of an instant.
struct DataHora {
  int ano = 1970, mes = 1, dia = 1, hora = 0, minuto = 0, segundo = 0;
};

Instante segundos_de(const DataHora& d);
DataHora data_hora_de(Instante instante);

}  // namespace rain
