// Axes: where the ticks of a time axis, a value axis and a logarithmic axis go,
// and their labels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rain::desenha {

// A time tick. The second label line names the day or the year where it
// changes, so that "06:00" or "mar" can be placed without repeating the date.
struct MarcaDeTempo {
  std::int64_t instante = 0;
  std::string rotulo;
  std::string rotulo_abaixo;
};

// Ticks on round times inside [inicio, fim]: minutes or hours for a span of
// hours, days, months or years for longer spans, at most `maximo` of them.
std::vector<MarcaDeTempo> marcas_de_tempo(std::int64_t inicio, std::int64_t fim, int maximo = 9);

struct MarcaDeValor {
  double valor = 0;
  std::string rotulo;
};

// Ticks at 0, d, 2d, ... with d one of 1, 2 or 5 times a power of ten, the last
// at or above `maximo`; at most about six of them. A maximum of 0 or less gives
// the ticks of 0 to 1.
std::vector<MarcaDeValor> marcas_lineares(double maximo);

// Ticks at 1, 2 and 5 times the powers of ten from the decade at or below
// `minimo` to the one at or above `maximo` (both above 0).
std::vector<MarcaDeValor> marcas_logaritmicas(double minimo, double maximo);

// A number as short as it can be written: 0.5, 2, 1000, 12.5.
std::string numero_curto(double valor);

// "jan" .. "dez".
const char* nome_do_mes(int mes);

// Maps a domain interval onto a drawing interval (the drawing one may run
// backwards, as y does in SVG).
struct Escala {
  double d0 = 0, d1 = 1, p0 = 0, p1 = 1;
  double operator()(double v) const { return d1 == d0 ? p0 : p0 + (v - d0) * (p1 - p0) / (d1 - d0); }
};

}  // namespace rain::desenha
