#include "resume/distribuicoes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace rain::resume {
namespace {

// Ten annual maxima (mm/h), out of order. The expected figures were worked
// out apart from this code, in Python's standard library: the L-moments from
// their definition over all pairs and triples of the sample, in exact
// fractions, then the fits with math.gamma.
const std::vector<double> kMaximas{62.4, 48.0, 91.2, 55.2, 70.8, 43.2, 120.0, 66.0, 58.8, 79.2};
const double kPeriodos[] = {2, 5, 10, 25, 50, 100};

void espera_relativo(double obtido, double esperado, const char* o_que) {
  EXPECT_NEAR(obtido, esperado, std::fabs(esperado) * 1e-9) << o_que;
}

TEST(MomentosL, UnbiasedEstimatorsOfTenMaxima) {
  const MomentosL m = momentos_l(kMaximas);
  espera_relativo(m.l1, 69.480000000000004, "l1");
  espera_relativo(m.l2, 12.813333333333333, "l2");
  espera_relativo(m.t3, 0.28720083246618106, "t3");
}

TEST(Ajuste, GumbelOfTenMaximaAndItsTwoYearValue) {
  const Ajuste a = ajusta(Distribuicao::kGumbel, momentos_l(kMaximas));
  EXPECT_EQ(a.distribuicao, Distribuicao::kGumbel);
  espera_relativo(a.posicao, 58.810035225671115, "u");
  espera_relativo(a.escala, 18.485732457257249, "a");
  const double esperados[] = {65.58529501767174,  86.537524522849509, 100.40972356892203,
                              117.9372838381214, 130.94022932090235, 143.84716309532178};
  for (int k = 0; k < 6; ++k) espera_relativo(a.quantil(kPeriodos[k]), esperados[k], "x(T)");
  espera_relativo(a.quantil(2), a.posicao - a.escala * std::log(std::log(2.0)), "x(2) = u - a ln(ln 2)");
}

TEST(Ajuste, GevOfTenMaxima) {
  const Ajuste a = ajusta(Distribuicao::kGev, momentos_l(kMaximas));
  EXPECT_EQ(a.distribuicao, Distribuicao::kGev);
  espera_relativo(a.forma, -0.17540370088230733, "k");
  espera_relativo(a.posicao, 57.484005003445645, "u");
  espera_relativo(a.escala, 15.280602978714169, "a");
  const double esperados[] = {63.268486922171164, 83.701824647086966, 99.646142135011843,
                              123.03805870127862, 143.08586513927929, 165.5882973334954};
  for (int k = 0; k < 6; ++k) espera_relativo(a.quantil(kPeriodos[k]), esperados[k], "x(T)");
}

// A shape this close to 0 would divide by nearly nothing; a sample of equal
// values has no skewness to take one from. Both are Gumbels.
TEST(Ajuste, GevWithoutShapeIsAGumbel) {
  const MomentosL quase_gumbel{50, 10, 2 * std::log(3.0) / std::log(2.0) - 3};  // z = 0 but for rounding
  const Ajuste a = ajusta_gev(quase_gumbel);
  EXPECT_EQ(a.distribuicao, Distribuicao::kGumbel);
  EXPECT_EQ(a.forma, 0);
  espera_relativo(a.escala, 10 / std::log(2.0), "a");

  const Ajuste iguais = ajusta_gev(momentos_l({30, 30, 30, 30, 30}));
  EXPECT_EQ(iguais.distribuicao, Distribuicao::kGumbel);
  EXPECT_EQ(iguais.quantil(100), 30);
}

TEST(Distribuicao, NamesInAnyLetterCase) {
  EXPECT_EQ(distribuicao_de("GEV"), Distribuicao::kGev);
  EXPECT_EQ(distribuicao_de("Gumbel"), Distribuicao::kGumbel);
  EXPECT_FALSE(distribuicao_de("weibull"));
  EXPECT_EQ(nome_da_distribuicao(Distribuicao::kGev), "gev");
}

}  // namespace
}  // namespace rain::resume
