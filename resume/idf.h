// Intensity-duration-frequency (IDF) curves: for each duration of the annual
// maxima, an extreme-value distribution fitted to the maximum intensities of
// the complete years, and the intensity it gives for each return period.
//
// A year enters the fit when its share of steps in the series and outside
// outages reaches the minimum the erosivity means use, so a partial first or
// last year, or one with long outages, stays out. Fewer than five years give
// no fit. The maxima of a few years per duration are all that is held.
//
//   CurvasIdf idf(passo_s, Distribuicao::kGumbel, 90);
//   for each row m of the annual maxima table: idf.maxima(m);
//   idf.linhas();
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "resume/distribuicoes.h"
#include "resume/resumo.h"

namespace rain::resume {

// Return periods of the table, years, in its order.
inline constexpr std::array<int, 6> kPeriodosDeRetorno{2, 5, 10, 25, 50, 100};
// No distribution is fitted to fewer years than this.
inline constexpr int kAnosDoAjuste = 5;
// Below this many years the longer return periods rest on little.
inline constexpr int kAnosRecomendados = 10;

// Whether the year of an annual maxima row enters the fit: it has a figure,
// and enough of its steps were seen (at least one, whatever the minimum).
bool entra_na_idf(const LinhaDeMaxima& maxima, double completude_minima);

// One row of the IDF table.
struct LinhaIdf {
  int duracao_min = 0;
  int anos = 0;                  // the complete years fitted
  std::optional<Ajuste> ajuste;  // none with fewer than kAnosDoAjuste years
  std::array<double, kPeriodosDeRetorno.size()> intensidades_mm_h{};  // of the fit, by return period
};

class CurvasIdf {
 public:
  // One row per duration of the annual maxima that is a whole number of steps.
  CurvasIdf(std::int64_t passo_s, Distribuicao distribuicao, double completude_minima);

  // A row of the annual maxima table.
  void maxima(const LinhaDeMaxima& maxima);

  std::vector<LinhaIdf> linhas() const;

 private:
  Distribuicao distribuicao_;
  double completude_minima_;
  // Per duration, the maximum intensities of the complete years (mm/h).
  std::vector<std::pair<int, std::vector<double>>> amostras_;
};

// The lines a reader of the table must see on standard error: too few years
// to fit, fewer than recommended, or fitted intensities of one return period
// that grow with the duration (the curves cross; the values stay as fitted).
std::vector<std::string> avisos_da_idf(const std::vector<LinhaIdf>& linhas, double completude_minima);

}  // namespace rain::resume
