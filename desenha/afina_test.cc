#include "desenha/afina.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace rain::desenha {
namespace {

// A long record squeezed into few columns: every step's depth before and after
// it lies within what the line draws in that step's column, and the line
// visits each column's lowest and highest depth.
TEST(CurvaDeMassa, NeverMissesAStepsExtreme) {
  const std::int64_t passo = 60;
  const int colunas = 37;
  std::uint32_t semente = 12345;
  auto aleatorio = [&] { return (semente = semente * 1103515245u + 12345u) >> 16; };

  struct Passo {
    std::int64_t instante;
    double antes, depois;
  };
  std::vector<Passo> passos;
  double acumulado = 0;
  std::int64_t t = 0;
  for (int i = 0; i < 20000; ++i) {
    if (aleatorio() % 500 == 0) t += passo * (aleatorio() % 3000);  // a gap
    // Mostly dry, some tips, now and then a negative count (a falling total).
    const int sorteio = static_cast<int>(aleatorio() % 100);
    const int tips = sorteio < 70 ? 0 : sorteio < 97 ? sorteio % 7 : -(sorteio % 4);
    passos.push_back({t, acumulado, acumulado + tips * 0.2});
    acumulado += tips * 0.2;
    t += passo;
  }
  CurvaDeMassa curva(0, t, colunas, passo);
  for (const Passo& p : passos) curva.acrescenta(p.instante, p.antes, p.depois);

  std::vector<double> baixo(colunas, 1e300), alto(colunas, -1e300);
  for (const CurvaDeMassa::Ponto& p : curva.pontos()) {
    baixo[p.coluna] = std::min(baixo[p.coluna], p.valor);
    alto[p.coluna] = std::max(alto[p.coluna], p.valor);
  }
  for (const Passo& p : passos) {
    const int c = curva.colunas().coluna(p.instante);
    for (double v : {p.antes, p.depois}) {
      EXPECT_LE(baixo[c], v + 1e-9) << "coluna " << c;
      EXPECT_GE(alto[c], v - 1e-9) << "coluna " << c;
    }
  }
  for (int c = 0; c < colunas; ++c) {
    const auto& v = curva.valores()[c];
    if (!v.tem_registros) continue;
    EXPECT_DOUBLE_EQ(baixo[c], v.minimo);
    EXPECT_DOUBLE_EQ(alto[c], v.maximo);
  }
}

TEST(CurvaDeMassa, AGapIsFlatAndMarked) {
  // 4 columns of 300 s; the record skips [600, 900).
  CurvaDeMassa curva(0, 1200, 4, 300);
  curva.acrescenta(0, 0, 0.5);
  curva.acrescenta(300, 0.5, 0.5);
  curva.acrescenta(900, 0.5, 1.5);
  std::vector<std::pair<int, double>> pontos;
  for (const auto& p : curva.pontos()) pontos.emplace_back(p.coluna, p.valor);
  EXPECT_EQ(pontos, (std::vector<std::pair<int, double>>{{0, 0}, {0, 0.5}, {3, 0.5}, {3, 1.5}}));
  std::vector<bool> falhas;
  for (const auto& v : curva.valores()) falhas.push_back(v.falha);
  EXPECT_EQ(falhas, (std::vector<bool>{false, false, true, false}));
}

TEST(Hietograma, ALongStormShowsEachBarsLargestStep) {
  // 1000 steps of 60 s into at most 200 bars: five steps a bar.
  Hietograma h(0, 60000, 60, 200);
  EXPECT_FALSE(h.um_passo_por_barra());
  ASSERT_EQ(h.barras().size(), 200u);
  double acumulado = 0;
  for (int i = 0; i < 1000; ++i) {
    const double chuva = (i % 5 == 3) ? 0.2 * (i % 7) : 0.2;
    acumulado += chuva;
    h.acrescenta(i * 60, chuva, acumulado);
  }
  for (int b = 0; b < 200; ++b) {
    double maior = 0;
    for (int i = b * 5; i < b * 5 + 5; ++i) maior = std::max(maior, (i % 5 == 3) ? 0.2 * (i % 7) : 0.2);
    EXPECT_DOUBLE_EQ(h.barras()[b], maior) << b;
  }
  EXPECT_DOUBLE_EQ(h.acumulados().back(), acumulado);

  Hietograma curto(0, 600, 60, 200);
  EXPECT_TRUE(curto.um_passo_por_barra());
  EXPECT_EQ(curto.barras().size(), 10u);
}

// Four bins of 10 s: a value at 45 s joins them two by two into bins of 20 s.
TEST(SomasNoTempo, BinsJoinWhenAValueFallsPastThemAndNoneIsLost) {
  SomasNoTempo somas(0, 10, 4);
  somas.acrescenta(5, 1);
  somas.acrescenta(35, 2);
  somas.acrescenta(45, 4);
  EXPECT_EQ(somas.largura(), 20);
  CurvaDeMassa curva(0, 80, 4, somas.largura());
  somas.acumula_em(curva, 80);
  std::vector<double> ao_fim;
  for (const CurvaDeMassa::Coluna& c : curva.valores()) ao_fim.push_back(c.ultimo);
  EXPECT_EQ(ao_fim, (std::vector<double>{1, 3, 7, 7}));
  for (const CurvaDeMassa::Coluna& c : curva.valores()) EXPECT_FALSE(c.falha);
}

}  // namespace
}  // namespace rain::desenha
