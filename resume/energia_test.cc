#include "resume/energia.h"

#include <gtest/gtest.h>

namespace rain::resume {
namespace {

// Each equation worked out on a calculator at 0.04, 10, 76 and 100 mm/h: the
// Wischmeier-Smith energy is 0 at or below 0.05 mm/h and 0.283 above 76.
TEST(EnergiaUnitaria, EachEquationAtFourIntensities) {
  const double intensidades[] = {0.04, 10, 76, 100};
  const double rusle2[] = {0.0818837, 0.1980379, 0.2895896, 0.2899427};
  const double bf[] = {0.0816172, 0.1633564, 0.2853290, 0.2885931};
  const double ws[] = {0, 0.2063, 0.2831950, 0.283};
  for (int k = 0; k < 4; ++k) {
    EXPECT_NEAR(energia_unitaria(EquacaoDeEnergia::kRusle2, intensidades[k]), rusle2[k], 1e-7) << intensidades[k];
    EXPECT_NEAR(energia_unitaria(EquacaoDeEnergia::kBf, intensidades[k]), bf[k], 1e-7) << intensidades[k];
    EXPECT_NEAR(energia_unitaria(EquacaoDeEnergia::kWs, intensidades[k]), ws[k], 1e-7) << intensidades[k];
  }
}

TEST(EnergiaUnitaria, NamesInAnyLetterCase) {
  EXPECT_EQ(equacao_de_energia("RUSLE2"), EquacaoDeEnergia::kRusle2);
  EXPECT_EQ(equacao_de_energia("Bf"), EquacaoDeEnergia::kBf);
  EXPECT_EQ(equacao_de_energia("ws"), EquacaoDeEnergia::kWs);
  EXPECT_FALSE(equacao_de_energia("usle"));
  EXPECT_FALSE(equacao_de_energia(""));
  EXPECT_EQ(nome_da_equacao(EquacaoDeEnergia::kWs), "ws");
}

}  // namespace
}  // namespace rain::resume
