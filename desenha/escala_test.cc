#include "desenha/escala.h"

#include <gtest/gtest.h>

#include "desenha/tempo.h"

namespace rain::desenha {
namespace {

std::int64_t em(int ano, int mes, int dia, int hora = 0, int minuto = 0) {
  return segundos_de(DataHora{ano, mes, dia, hora, minuto, 0});
}

std::vector<std::string> rotulos(const std::vector<MarcaDeTempo>& marcas) {
  std::vector<std::string> lista;
  for (const MarcaDeTempo& m : marcas) lista.push_back(m.rotulo + (m.rotulo_abaixo.empty() ? "" : "|" + m.rotulo_abaixo));
  return lista;
}

TEST(MarcasDeTempo, SuitTheSpanFromOneHourToThirtyYears) {
  EXPECT_EQ(rotulos(marcas_de_tempo(em(2025, 3, 3, 10, 0), em(2025, 3, 3, 11, 0))),
            (std::vector<std::string>{"10:00|03/03/2025", "10:10", "10:20", "10:30", "10:40", "10:50", "11:00"}));
  EXPECT_EQ(rotulos(marcas_de_tempo(em(2025, 3, 3, 22, 7), em(2025, 3, 4, 5, 0))),
            (std::vector<std::string>{"23:00|03/03/2025", "04/03", "01:00", "02:00", "03:00", "04:00", "05:00"}));
  EXPECT_EQ(rotulos(marcas_de_tempo(em(2025, 3, 1), em(2025, 3, 22))),
            (std::vector<std::string>{"01/03|2025", "06/03", "11/03", "16/03", "21/03"}));
  EXPECT_EQ(rotulos(marcas_de_tempo(em(2019, 12, 15), em(2020, 12, 31))),
            (std::vector<std::string>{"jan|2020", "mar", "mai", "jul", "set", "nov"}));
  EXPECT_EQ(rotulos(marcas_de_tempo(em(1995, 1, 1), em(2025, 1, 1))),
            (std::vector<std::string>{"1995", "2000", "2005", "2010", "2015", "2020", "2025"}));

  // Any span from an hour to thirty years: a few ticks, inside the span, in order.
  for (std::int64_t span : {3600LL, 7200LL, 86400LL, 5 * 86400LL, 40 * 86400LL, 200 * 86400LL, 400 * 86400LL,
                            3 * 365 * 86400LL, 12 * 365 * 86400LL, 30 * 365 * 86400LL}) {
    const std::int64_t inicio = em(2014, 5, 17, 13, 41);
    const auto marcas = marcas_de_tempo(inicio, inicio + span);
    EXPECT_GE(marcas.size(), 2u) << span;
    EXPECT_LE(marcas.size(), 9u) << span;
    for (std::size_t i = 0; i < marcas.size(); ++i) {
      EXPECT_GE(marcas[i].instante, inicio) << span;
      EXPECT_LE(marcas[i].instante, inicio + span) << span;
      if (i > 0) {
        EXPECT_LT(marcas[i - 1].instante, marcas[i].instante) << span;
      }
      EXPECT_FALSE(marcas[i].rotulo.empty()) << span;
    }
  }
}

TEST(MarcasDeValor, LinearAndLogarithmic) {
  auto valores = [](const std::vector<MarcaDeValor>& m) {
    std::vector<std::string> v;
    for (const auto& x : m) v.push_back(x.rotulo);
    return v;
  };
  EXPECT_EQ(valores(marcas_lineares(1.5)), (std::vector<std::string>{"0", "0.5", "1", "1.5"}));
  EXPECT_EQ(valores(marcas_lineares(203.4)), (std::vector<std::string>{"0", "50", "100", "150", "200", "250"}));
  EXPECT_EQ(valores(marcas_lineares(0)), (std::vector<std::string>{"0", "0.2", "0.4", "0.6", "0.8", "1"}));
  EXPECT_EQ(valores(marcas_logaritmicas(3.1, 140)),
            (std::vector<std::string>{"1", "2", "5", "10", "20", "50", "100", "200", "500", "1000"}));
  EXPECT_EQ(valores(marcas_logaritmicas(10, 100)), (std::vector<std::string>{"10", "20", "50", "100"}));
}

}  // namespace
}  // namespace rain::desenha
