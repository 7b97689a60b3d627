#include "resume/erosividade.h"

#include <gtest/gtest.h>

#include "resume/tabelas.h"

namespace rain::resume {
namespace {

Instante em(int ano, int mes, int dia) { return segundos_de(DataHora{ano, mes, dia, 0, 0, 0}); }

LinhaDeEvento evento(Instante inicio, std::optional<bool> erosiva, std::optional<double> ei30) {
  LinhaDeEvento e;
  e.inicio = inicio;
  e.erosiva = erosiva;
  e.ei30_mj_mm_ha_h = ei30;
  return e;
}

// Half-hour steps, 0.5 mm a tip: all of 2001 with its last day in an outage
// (99.73 % of its steps, complete), then ten days of 2002 (2.74 %, not).
// Rain: 10 tips on 1 January 2001, 30 on 1 July, 5 on 2 January 2002.
TEST(Erosividade, MonthsYearsAndTheMeansOfTheCompleteYearsWorkedByHand) {
  Erosividade erosividade(0.5, 1800, 90);
  for (Instante t = em(2001, 1, 1); t < em(2002, 1, 11); t += 1800) {
    const int tips = t == em(2001, 1, 1) ? 10 : t == em(2001, 7, 1) ? 30 : t == em(2002, 1, 2) ? 5 : 0;
    erosividade.registro(t, tips, t >= em(2001, 12, 31) && t < em(2002, 1, 1));
  }
  erosividade.evento(evento(em(2001, 1, 1), true, 100));
  erosividade.evento(evento(em(2001, 7, 1), true, 300));
  erosividade.evento(evento(em(2001, 7, 5), false, 5));          // not erosive: no R
  erosividade.evento(evento(em(2001, 7, 10), std::nullopt, {}));  // touches an outage: counted, no R
  erosividade.evento(evento(em(2002, 1, 2), true, 50));
  std::vector<std::string> linhas;
  for (const LinhaDeErosividade& l : erosividade.linhas()) linhas.push_back(linha_da_erosividade(l));
  ASSERT_EQ(linhas.size(), 12u + 1 + 2 + 13);
  EXPECT_EQ(linhas[0], "2001,1,1488,100.00,5.00,1,1,100.00,20.00,25.00,");
  EXPECT_EQ(linhas[1], "2001,2,1344,100.00,0.00,0,0,0.00,,0.00,");
  EXPECT_EQ(linhas[6], "2001,7,1488,100.00,15.00,3,1,300.00,20.00,75.00,");
  EXPECT_EQ(linhas[11], "2001,12,1440,96.77,0.00,0,0,0.00,,0.00,");
  EXPECT_EQ(linhas[12], "2002,1,480,32.26,2.50,1,1,50.00,20.00,100.00,");
  EXPECT_EQ(linhas[13], "2001,,17472,99.73,20.00,4,2,400.00,20.00,100.00,");
  EXPECT_EQ(linhas[14], "2002,,480,2.74,2.50,1,1,50.00,20.00,100.00,");
  EXPECT_EQ(linhas[15], "media,1,,,5.00,1.00,1.00,100.00,20.00,25.00,1");
  EXPECT_EQ(linhas[16], "media,2,,,0.00,0.00,0.00,0.00,,0.00,1");
  EXPECT_EQ(linhas[21], "media,7,,,15.00,3.00,1.00,300.00,20.00,75.00,1");
  EXPECT_EQ(linhas[27], "media,,,,20.00,4.00,2.00,400.00,20.00,100.00,1");
  // With a higher minimum no year is complete: the means are left empty.
  EXPECT_EQ(linha_da_erosividade(erosividade.medias(99.8).back()), "media,,,,,,,,,,0");
}

TEST(Completude, StepsOfLeapYearsMonthsAndStepsThatDoNotDivideTheDay) {
  EXPECT_EQ(passos_do_ano(2024, 300), 366 * 288);
  EXPECT_EQ(passos_do_mes(2023, 2, 300), 28 * 288);
  // Seven minutes: 206 steps a day, the last at 23:55.
  EXPECT_EQ(passos_do_mes(2023, 12, 420), 31 * 206);
  EXPECT_TRUE(completo(89.996, 90));
  EXPECT_FALSE(completo(89.994, 90));
}

}  // namespace
}  // namespace rain::resume
