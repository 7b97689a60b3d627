// Extreme-value distributions fitted to a sample of annual maxima by
// L-moments (Hosking 1990): the Gumbel and the generalized extreme value
// (GEV) distribution, and the value each gives for a return period.
//
//   const Ajuste a = ajusta(Distribuicao::kGumbel, momentos_l(maximas));
//   a.quantil(100);  // the maximum exceeded once in 100 years on average
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace rain::resume {

enum class Distribuicao {
  kGumbel,  // two parameters: position and scale
  kGev,     // a shape too, from the skewness of the sample
};

// The name the user gives and the tables show: "gumbel", "gev".
std::string_view nome_da_distribuicao(Distribuicao distribuicao);

// The distribution of a name, in any letter case; nothing for another text.
std::optional<Distribuicao> distribuicao_de(std::string_view nome);

// The first two sample L-moments and the L-skewness.
struct MomentosL {
  double l1 = 0;  // the mean
  double l2 = 0;  // half the mean difference between two values of the sample
  double t3 = 0;  // l3 / l2; 0 for a sample without spread
};

// By the unbiased probability-weighted-moment estimators, from a sample of at
// least three values in any order.
MomentosL momentos_l(std::vector<double> amostra);

struct Ajuste {
  // A GEV whose shape is nearly 0 is a Gumbel, and says so here.
  Distribuicao distribuicao = Distribuicao::kGumbel;
  double posicao = 0;  // u
  double escala = 0;   // a
  double forma = 0;    // k of the GEV (Hosking's sign: k > 0 bounds the values above); 0 for a Gumbel

  // The value not exceeded with probability 1 - 1 / T, T in years above 1.
  double quantil(double periodo_de_retorno) const;
};

// Gumbel: a = l2 / ln 2, u = l1 - 0.5772 a.
Ajuste ajusta_gumbel(const MomentosL& m);

// GEV: the shape by Hosking's approximation from t3, then a and u from l1 and
// l2. A Gumbel when the shape is below 1e-6 in size or the sample has no spread.
Ajuste ajusta_gev(const MomentosL& m);

Ajuste ajusta(Distribuicao distribuicao, const MomentosL& m);

}  // namespace rain::resume
