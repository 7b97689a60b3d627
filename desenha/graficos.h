// The page's drawings, each one SVG element: the mass curve, the monthly
// totals, the annual maxima against duration and a storm's hyetograph.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "desenha/afina.h"

namespace rain::desenha {

// Drawing sizes, in SVG units (the page scales them to its width).
inline constexpr double kLarguraCheia = 1000;
inline constexpr double kLarguraMeia = 500;
// Plot width of the mass curve, one column per unit.
inline constexpr int kColunasDaCurva = 900;
inline constexpr int kBarrasDoHietograma = 200;

// Where the plot of a mass curve lies inside its drawing.
struct AreaDoGrafico {
  double esquerda, direita, topo, base;
};
AreaDoGrafico area_da_curva_de_massa();

// Stretches of time [inicio, fim) drawn as bands behind a curve.
using Faixas = std::vector<std::pair<std::int64_t, std::int64_t>>;

// The mass curve, with the outages of the outage list as bands.
std::string svg_curva_de_massa(const CurvaDeMassa& curva, const Faixas& falhas = {});

// The erosivity (R) summed over the record, storm by storm.
std::string svg_r_acumulado(const CurvaDeMassa& curva);

// The mean R of each calendar month, January first.
std::string svg_r_mensal(const std::array<double, 12>& r);

struct TotalMensal {
  int ano = 0, mes = 0;
  double chuva = 0;
  std::int64_t registros = 0;
};
std::string svg_totais_mensais(const std::vector<TotalMensal>& meses);

// (duration in minutes, intensity in mm/h), durations ascending.
using PontosPorDuracao = std::vector<std::pair<int, double>>;

struct MaximasDoAno {
  int ano = 0;
  // Enough of the year was recorded for its maxima to enter the IDF fit; an
  // incomplete year is drawn hollow and named so in the legend.
  bool completo = true;
  PontosPorDuracao pontos;
};

// The fitted intensity of one return period against duration.
struct CurvaIdf {
  int periodo_anos = 0;
  PontosPorDuracao pontos;
};

// The years' maxima, one line each, and the IDF curves over them, each named
// by its return period at its right end.
std::string svg_maximas_anuais(const std::vector<MaximasDoAno>& anos, const std::vector<CurvaIdf>& curvas = {});

struct DesenhoDoEvento {
  std::int64_t inicio = 0, fim = 0;
  std::optional<std::int64_t> inicio_i30;
  double i30 = 0;
};
std::string svg_hietograma(const Hietograma& h, const DesenhoDoEvento& evento);

}  // namespace rain::desenha
