#include "common/series_check.h"

#include <gtest/gtest.h>

#include "tests/support/expect_failure.h"

namespace rain {
namespace {

using testing::ExpectFailure;

TEST(CheckFirstRecord, TakesTheRecordsOfASeriesInTheFormsTheyAreWritten) {
  for (const char* linha : {"10:15:00 01/02/05 0.20 1", "10:15 1/2/2005 12,40 0", "10:15:00\t01/02/05\t0.20\t1 7"}) {
    check_first_record("s.txt", 2, linha, true);
  }
  check_first_record("s.txt", 2, "10:15:00 01/02/05 0.20", false);
}

TEST(CheckFirstRecord, RefusesAnythingElseNamingTheFileTheLineAndItsText) {
  auto recusa = [](std::string_view linha, bool com_basculas) {
    return ExpectFailure([&] { check_first_record("s.txt", 3, linha, com_basculas); }).line();
  };
  EXPECT_EQ(recusa("01/02/2005;10:15:00;0.2;1", true),
            "Erro: s.txt nao e uma serie: a linha 3 (\"01/02/2005;10:15:00;0.2;1\") nao e um registro \"hh:mm:ss "
            "dd/mm/yy chuva basculacoes\".");
  for (const char* linha : {"10:15:00 01/02/05 0.20", "25:00:00 01/02/05 0.20 1", "10:15:00 30/02/05 0.20 1", "10:15:00 01/02/05 mm 1",
                            "10:15:00 01/02/05 0.20 1.5"}) {
    EXPECT_NE(recusa(linha, true), "") << linha;
  }
  // A long or binary line is shown short and printable.
  EXPECT_EQ(recusa(std::string(100, 'x') + "\x01", false),
            "Erro: s.txt nao e uma serie: a linha 3 (\"" + std::string(60, 'x') +
                "...\") nao e um registro \"hh:mm:ss dd/mm/yy chuva\".");
}

StepCensus census_of(std::initializer_list<Instante> times) {
  StepCensus census;
  for (Instante t : times) census.add(t);
  return census;
}

TEST(StepCensus, TheStepIsTheMostCommonDifference) {
  // Four differences of 300 s, a gap of 900 s and a clock set back.
  const StepCensus census = census_of({0, 300, 600, 1500, 1800, 2100, 2000});
  EXPECT_EQ(census.differences(), 6);
  EXPECT_EQ(census.step(), 300);
  EXPECT_EQ(census.count_of(300), 4);
  census.check(300, false);
  EXPECT_EQ(ExpectFailure([&] { census.check(60, false); }).line(),
            "Erro: a serie tem passo de 00:05:00, mas o intervalo de discretizacao dado e 00:01:00.");
  // Fewer than two records: nothing to check.
  census_of({}).check(60, true);
  census_of({500}).check(60, true);
}

TEST(StepCensus, FewerThanNineInTenDifferencesOnTheStepIsRefusedNamingTheShare) {
  // Ten differences, nine or eight of them of one minute.
  StepCensus nove = census_of({0, 60, 120, 180, 240, 300, 360, 420, 480, 540, 570});
  nove.check(60, true);
  StepCensus oito = census_of({0, 60, 120, 180, 240, 300, 360, 420, 480, 510, 511});
  oito.check(60, false);
  EXPECT_EQ(ExpectFailure([&] { oito.check(60, true); }).line(),
            "Erro: so 80.0% das diferencas entre registros seguidos sao de 00:01:00: a serie nao tem um passo fixo. "
            "Reamostre-a com Ajusta_Leituras (parametro 6 = n).");
}

}  // namespace
}  // namespace rain
