// A synthetic rain record of many years for the tests and the benchmarks: a
// normalized series on any step, with storms that come more often in the wet
// half of the year and whose depth changes from year to year, so that the
// annual maxima of each duration spread as a real record's do.
//
// The same parameters give the same bytes with every compiler and standard
// library: the numbers come from a generator of its own, not from the
// library's distributions.
//
//   escreve_chuva_sintetica({1991, 30, 900, 1}, [&](std::string_view linha) { ... });
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "common/instante.h"

namespace rain::bench {

struct ChuvaSintetica {
  int primeiro_ano = 1991;
  int anos = 30;
  std::int64_t passo_s = 900;  // divides the day
  std::uint64_t semente = 1;
};

// splitmix64: small, fast and fully specified.
class Sorteio {
 public:
  explicit Sorteio(std::uint64_t semente) : estado_(semente) {}
  std::uint64_t proximo() {
    std::uint64_t z = (estado_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // In (0, 1): never 0, so its logarithm is finite.
  double uniforme() { return (static_cast<double>(proximo() >> 11) + 0.5) / 9007199254740992.0; }
  double exponencial(double media) { return -media * std::log(uniforme()); }
  // About a standard normal: twelve uniforms summed (Irwin-Hall).
  double normal() {
    double soma = -6;
    for (int k = 0; k < 12; ++k) soma += uniforme();
    return soma;
  }

 private:
  std::uint64_t estado_;
};

// Storms as triangles of intensity: a depth drawn afresh for each storm
// (exponential, scaled by the year's factor), a duration from half an hour
// to a day, and the peak where a random share of the duration has gone.
class Tempestades {
 public:
  explicit Tempestades(std::uint64_t semente) : sorteio_(semente) {}

  // The year's storms are this many times deeper than the usual ones.
  void novo_ano() { fator_do_ano_ = std::exp(0.3 * sorteio_.normal()); }

  // The depth of the next step of `passo_s` seconds in month `mes`, mm.
  double chuva_do_passo(int mes, std::int64_t passo_s) {
    const double horas = static_cast<double>(passo_s) / 3600;
    if (restante_h_ <= 0) {
      // About 70 storms a year, two thirds of them from October to March.
      const double por_hora = (mes >= 10 || mes <= 3) ? 1.0 / 85 : 1.0 / 175;
      if (sorteio_.uniforme() >= por_hora * horas) return 0;
      duracao_h_ = 0.5 + sorteio_.exponencial(5);
      const double chuva = fator_do_ano_ * (1 + sorteio_.exponencial(14));
      pico_mm_h_ = 2 * chuva / duracao_h_;
      pico_em_h_ = duracao_h_ * (0.15 + 0.7 * sorteio_.uniforme());
      restante_h_ = duracao_h_;
    }
    const double t = duracao_h_ - restante_h_ + horas / 2;  // middle of the step
    restante_h_ -= horas;
    const double subida = t <= pico_em_h_ ? t / pico_em_h_ : (duracao_h_ - t) / (duracao_h_ - pico_em_h_);
    return subida > 0 ? pico_mm_h_ * subida * horas : 0;
  }

 private:
  Sorteio sorteio_;
  double fator_do_ano_ = 1;
  double restante_h_ = 0;
  double duracao_h_ = 0, pico_mm_h_ = 0, pico_em_h_ = 0;
};

// Writes the series line by line, header first, without line ends: whole
// calendar years from 1 January of `primeiro_ano`, 0.2 mm per tip, the depth
// accumulated from the first record.
inline void escreve_chuva_sintetica(const ChuvaSintetica& c, const std::function<void(std::string_view)>& linha) {
  linha("Hora Data Acumulo Basculacao");
  Tempestades tempestades(c.semente);
  double resto_mm = 0;      // rain not yet a whole tip
  long long centesimos = 0;  // accumulated depth, hundredths of a millimetre
  const std::int64_t primeiro_dia = dias_desde_1970(c.primeiro_ano, 1, 1);
  const std::int64_t ultimo_dia = dias_desde_1970(c.primeiro_ano + c.anos, 1, 1);
  int ano = 0;
  char texto[64];
  for (std::int64_t dia = primeiro_dia; dia < ultimo_dia; ++dia) {
    const DataHora d = data_hora_de(dia * 86400);
    if (d.ano != ano) {
      ano = d.ano;
      tempestades.novo_ano();
    }
    for (std::int64_t s = 0; s < 86400; s += c.passo_s) {
      resto_mm += tempestades.chuva_do_passo(d.mes, c.passo_s);
      const int tips = static_cast<int>(resto_mm / 0.2);
      resto_mm -= tips * 0.2;
      centesimos += tips * 20;
      std::snprintf(texto, sizeof texto, "%02d:%02d:%02d %02d/%02d/%02d %lld.%02lld %d", static_cast<int>(s / 3600),
                    static_cast<int>(s / 60 % 60), static_cast<int>(s % 60), d.dia, d.mes, d.ano % 100,
                    centesimos / 100, centesimos % 100, tips);
      linha(texto);
    }
  }
}

}  // namespace rain::bench
