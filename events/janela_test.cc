#include "events/janela.h"

#include <gtest/gtest.h>

#include "tests/support/expect_failure.h"

#include "common/failure.h"

namespace rain::events {
namespace {

std::string mensagem_de(std::string_view limite, std::string_view intervalo) {
  return testing::ExpectFailure([&] { CALCULA_JANELA(limite, intervalo); }).line();
}

TEST(CalculaJanela, LimitThatIsAWholeMultipleGivesTheRecordCount) {
  EXPECT_EQ(CALCULA_JANELA("00:15:00", "00:05:00"), 3);
  EXPECT_EQ(CALCULA_JANELA("00:05:00", "00:05:00"), 1);
  EXPECT_EQ(CALCULA_JANELA("06:00:00", "00:01:00"), 360);
}

TEST(CalculaJanela, LettersUnderscoresAndBlanksSeparateTheParts) {
  EXPECT_EQ(segundos_da_duracao("01:30:00"), 5400);
  EXPECT_EQ(segundos_da_duracao("01 30 00"), 5400);
  EXPECT_EQ(segundos_da_duracao("1h30m00s"), 5400);
  EXPECT_EQ(segundos_da_duracao("01h30"), 5400);
  EXPECT_EQ(segundos_da_duracao("00_00_30"), 30);
}

TEST(CalculaJanela, MissingPartsCountFromTheHours) {
  EXPECT_EQ(segundos_da_duracao("1:30"), 5400);
  EXPECT_EQ(segundos_da_duracao("90"), 90 * 3600);
  EXPECT_EQ(segundos_da_duracao("::30"), 30 * 3600);
  EXPECT_EQ(segundos_da_duracao("00:90:00"), 5400);
  EXPECT_EQ(segundos_da_duracao("01:00:00:99"), 3600);
}

TEST(CalculaJanela, PartThatIsNotAWhole16BitNumberAddsNothing) {
  EXPECT_EQ(segundos_da_duracao("1.5:30:00"), 1800);
  EXPECT_EQ(segundos_da_duracao("00:40000:10"), 10);
  EXPECT_EQ(segundos_da_duracao(""), 0);
}

// The zero, empty, shorter and not-a-multiple durations are pinned end to end
// (events_entry_test.cc), before the series is opened; these are the
// refusals it does not show.
TEST(CalculaJanela, WordlessIntervalIsRefusedBeforeTheLimit) {
  EXPECT_EQ(mensagem_de("00:15:00", "abc"), "Erro: intervalo invalido.");
  EXPECT_EQ(mensagem_de("garbage", "00:00:00"), "Erro: intervalo invalido.");
}

TEST(CalculaJanela, NegativeIntervalOrLimitIsRefusedInsteadOfAWindowThatNeverCloses) {
  EXPECT_EQ(mensagem_de("00:15:00", "00:-15:00"), "Erro: intervalo invalido.");
  EXPECT_EQ(mensagem_de("-00:15:00", "00:-15:00"), "Erro: intervalo invalido.");
  EXPECT_EQ(mensagem_de("-01:00:00", "00:05:00"), "Erro: periodo invalido para o intervalo utilizado.");
}

// 10 hours over 1 second (36000 records) is pinned end to end by where the
// event closes (events_cutting_test.cc).
TEST(CalculaJanela, WindowAbove16BitsIsCountedNotWrapped) {
  EXPECT_EQ(CALCULA_JANELA("32767:00:00", "00:00:01"), 32767LL * 3600);
}

}  // namespace
}  // namespace rain::events
