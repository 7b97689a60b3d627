#include "resume/distribuicoes.h"

#include <algorithm>
#include <cmath>

#include "common/text.h"

namespace rain::resume {
namespace {

// Below this size the GEV's shape is taken as 0: its formulas divide by k.
constexpr double kFormaDeGumbel = 1e-6;

// Euler's constant to the four decimals the Gumbel fit is usually given with.
constexpr double kEuler = 0.5772;

// -ln(1 - 1/T): the reduced variate both quantiles are written in.
double reduzida(double periodo_de_retorno) { return -std::log(1 - 1 / periodo_de_retorno); }

}  // namespace

std::string_view nome_da_distribuicao(Distribuicao distribuicao) {
  return distribuicao == Distribuicao::kGev ? "gev" : "gumbel";
}

std::optional<Distribuicao> distribuicao_de(std::string_view nome) {
  for (Distribuicao d : {Distribuicao::kGumbel, Distribuicao::kGev}) {
    if (equals_upper(nome, to_upper(nome_da_distribuicao(d)))) return d;
  }
  return std::nullopt;
}

MomentosL momentos_l(std::vector<double> amostra) {
  std::sort(amostra.begin(), amostra.end());
  const double n = static_cast<double>(amostra.size());
  // b_r = 1/n sum over the ascending values x(j) of x(j) (j-1)...(j-r) / ((n-1)...(n-r)).
  double b0 = 0, b1 = 0, b2 = 0;
  for (std::size_t i = 0; i < amostra.size(); ++i) {
    const double j = static_cast<double>(i) + 1;
    b0 += amostra[i];
    b1 += amostra[i] * (j - 1) / (n - 1);
    b2 += amostra[i] * (j - 1) * (j - 2) / ((n - 1) * (n - 2));
  }
  b0 /= n;
  b1 /= n;
  b2 /= n;
  MomentosL m;
  m.l1 = b0;
  m.l2 = 2 * b1 - b0;
  const double l3 = 6 * b2 - 6 * b1 + b0;
  m.t3 = m.l2 != 0 ? l3 / m.l2 : 0;
  return m;
}

double Ajuste::quantil(double periodo_de_retorno) const {
  const double y = reduzida(periodo_de_retorno);
  if (distribuicao == Distribuicao::kGumbel) return posicao - escala * std::log(y);
  return posicao + escala * (1 - std::pow(y, forma)) / forma;
}

Ajuste ajusta_gumbel(const MomentosL& m) {
  Ajuste a;
  a.distribuicao = Distribuicao::kGumbel;
  a.escala = m.l2 / std::log(2.0);
  a.posicao = m.l1 - kEuler * a.escala;
  return a;
}

Ajuste ajusta_gev(const MomentosL& m) {
  const double z = 2 / (3 + m.t3) - std::log(2.0) / std::log(3.0);
  const double k = 7.8590 * z + 2.9554 * z * z;
  // A sample without spread fits any shape with a scale of 0: the Gumbel says
  // so without a shape that means nothing.
  if (std::fabs(k) < kFormaDeGumbel || m.l2 == 0) return ajusta_gumbel(m);
  const double gama = std::tgamma(1 + k);
  Ajuste a;
  a.distribuicao = Distribuicao::kGev;
  a.forma = k;
  a.escala = m.l2 * k / ((1 - std::pow(2.0, -k)) * gama);
  a.posicao = m.l1 - a.escala * (1 - gama) / k;
  return a;
}

Ajuste ajusta(Distribuicao distribuicao, const MomentosL& m) {
  return distribuicao == Distribuicao::kGev ? ajusta_gev(m) : ajusta_gumbel(m);
}

}  // namespace rain::resume
