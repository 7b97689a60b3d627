#include "formatter/work_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/failure.h"
#include "tests/support/e2e.h"
#include "tests/support/fault_env.h"
#include "tests/support/expect_failure.h"

namespace rain::formatter {
namespace {

using rain::testing::crlf_lines;
using rain::testing::FaultEnv;
using rain::testing::ScopedCurrentDir;
using rain::testing::ScratchDir;

class WorkFilesTest : public ::testing::Test {
 protected:
  std::vector<std::string> lines_of(const std::string& name) const {
    std::vector<std::string> lines;
    std::string text = dir_.read(name);
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
      lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "a line without CR LF at the end";
    return lines;
  }
  std::string grid(const std::string& intervalo, const std::string& partida = "00:00:00") {
    PUTHORAS(default_env(), Passo::le(intervalo), partida);
    return dir_.read(kGridFile);
  }
  std::string day_list(const std::string& inicio, const std::string& fim) {
    PUTDATAS(default_env(), inicio, fim);
    return dir_.read(kDayListFile);
  }

  ScratchDir dir_;
  ScopedCurrentDir cwd_{dir_.path()};
};

TEST_F(WorkFilesTest, GridHoldsItsKeyThenEveryStepBelowMidnight) {
  EXPECT_EQ(grid("08:00:00"), crlf_lines({"08:00:00 00:00:00", "00:00:00", "08:00:00", "16:00:00"}));
  EXPECT_EQ(grid("23:59:59"), crlf_lines({"23:59:59 00:00:00", "00:00:00", "23:59:59"}));
}

TEST_F(WorkFilesTest, GridCarriesSecondsIntoMinutesAndMinutesIntoHours) {
  grid("00:45:45");
  auto lines = lines_of(kGridFile);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[2], "00:45:45");
  EXPECT_EQ(lines[3], "01:31:30");
  EXPECT_EQ(lines.back(), "23:38:15");
}

TEST_F(WorkFilesTest, GridReadsSlashesBetweenTheFieldsOfTheStepLikeColons) {
  EXPECT_EQ(grid("08/00/00"), crlf_lines({"08/00/00 00:00:00", "00:00:00", "08:00:00", "16:00:00"}));
}

TEST_F(WorkFilesTest, GridAlwaysWritesItsStart) {
  EXPECT_EQ(grid("08:00:00", "24:00:00"), crlf_lines({"08:00:00 24:00:00", "24:00:00"}));
}

TEST_F(WorkFilesTest, DayListRunsFromTheFirstDateToTheLastAsPassed) {
  EXPECT_EQ(day_list("30/12/05", "02/01/06"),
            crlf_lines({"30/12/05 02/01/06", "30/12/05", "31/12/05", "01/01/06", "02/01/06"}));
  EXPECT_EQ(day_list("15/03/05", "15/03/05"), crlf_lines({"15/03/05 15/03/05", "15/03/05"}));
}

TEST_F(WorkFilesTest, DayListKnowsMonthLengthsAndLeapYearsOfTwoDigitYears) {
  EXPECT_EQ(day_list("28/02/04", "01/03/04"), crlf_lines({"28/02/04 01/03/04", "28/02/04", "29/02/04", "01/03/04"}));
  EXPECT_EQ(day_list("28/02/05", "01/03/05"), crlf_lines({"28/02/05 01/03/05", "28/02/05", "01/03/05"}));
  EXPECT_EQ(day_list("28/02/00", "01/03/00"), crlf_lines({"28/02/00 01/03/00", "28/02/00", "29/02/00", "01/03/00"}));
  EXPECT_EQ(day_list("30/04/05", "01/05/05"), crlf_lines({"30/04/05 01/05/05", "30/04/05", "01/05/05"}));
  EXPECT_EQ(day_list("31/05/05", "01/06/05"), crlf_lines({"31/05/05 01/06/05", "31/05/05", "01/06/05"}));
}

TEST_F(WorkFilesTest, DayListTurnsFrom99To00) {
  EXPECT_EQ(day_list("31/12/99", "01/01/00"), crlf_lines({"31/12/99 01/01/00", "31/12/99", "01/01/00"}));
}

TEST_F(WorkFilesTest, DayListReachesALastDateBeforeTheFirstThroughTheTurnOfTheCentury) {
  day_list("02/01/05", "01/01/05");
  auto lines = lines_of(kDayListFile);
  // A hundred two-digit years hold 25 leap years.
  ASSERT_EQ(lines.size(), 1u + 36525u);
  EXPECT_EQ(lines[1], "02/01/05");
  EXPECT_EQ(lines.back(), "01/01/05");
}

TEST_F(WorkFilesTest, DayListWritesTheLastDateAsPassedEvenInAnotherForm) {
  EXPECT_EQ(day_list("31/12/05", "1/1/06"), crlf_lines({"31/12/05 1/1/06", "31/12/05", "1/1/06"}));
}

TEST_F(WorkFilesTest, DayListFromADayBeyondItsMonthFallsIntoStepWithTheCalendar) {
  EXPECT_EQ(day_list("31/04/05", "02/05/05"), crlf_lines({"31/04/05 02/05/05", "31/04/05", "01/05/05", "02/05/05"}));
}

TEST_F(WorkFilesTest, DayListThatCouldNeverReachItsEndIsRefusedBeforeTheFileIsTouched) {
  struct Case {
    const char* inicio;
    const char* fim;
    const char* message;
  };
  const Case cases[] = {
      {"01/04/05", "31/04/05", "Erro: Data invalida no arquivo de entrada: 31/04/05."},
      {"01/02/05", "29/02/05", "Erro: Data invalida no arquivo de entrada: 29/02/05."},
      {"01/04/05", "01/13/05", "Erro: Data invalida no arquivo de entrada: 01/13/05."},
      {"01/04/05", "00/05/05", "Erro: Data invalida no arquivo de entrada: 00/05/05."},
      {"01/04/05", "ab/cd/ef", "Erro: Data invalida no arquivo de entrada: ab/cd/ef."},
      {"01/04/05", "01/05/105", "Erro: Data invalida no arquivo de entrada: 01/05/105."},
      {"01/13/05", "01/05/05", "Erro: Data invalida no arquivo de entrada: 01/13/05."},
      {"0/0/0", "01/05/05", "Erro: Data invalida no arquivo de entrada: 0/0/0."},
  };
  dir_.write(kDayListFile, "stale\r\n");
  for (const auto& c : cases) {
    EXPECT_EQ(testing::ExpectFailure([&] { PUTDATAS(default_env(), c.inicio, c.fim); }).line(), c.message)
        << c.inicio << " " << c.fim;
  }
  EXPECT_EQ(dir_.read(kDayListFile), "stale\r\n");
}

TEST_F(WorkFilesTest, WorkFileThatCannotBeCreatedStopsTheRun) {
  FaultEnv env(default_env());
  env.fail_create(kGridFile);
  env.fail_create(kDayListFile);
  EXPECT_EQ(testing::ExpectFailure([&] { PUTHORAS(env, Passo::le("00:15:00"), "00:00:00"); }).line(),
            "Erro: Nao foi possivel gerar o arquivo buffer_horas.dat.");
  EXPECT_EQ(testing::ExpectFailure([&] { PUTDATAS(env, "01/01/05", "02/01/05"); }).line(),
            "Erro: Nao foi possivel gerar o arquivo buffer_datas.dat.");
}

TEST_F(WorkFilesTest, WorkFileCutShortByAFailedWriteIsRemovedSoNoLaterRunTakesItForACache) {
  FaultEnv env(default_env());
  env.fail_writes_after(kGridFile, 100);
  EXPECT_EQ(testing::ExpectFailure([&] { PUTHORAS(env, Passo::le("00:01:00"), "00:00:00"); }).line(),
            "Erro: Nao foi possivel gravar o arquivo buffer_horas.dat.");
  EXPECT_FALSE(dir_.exists(kGridFile));

  FaultEnv env2(default_env());
  env2.fail_writes_after(kDayListFile, 100);
  testing::ExpectFailure([&] { PUTDATAS(env2, "01/01/05", "31/12/05"); });
  EXPECT_FALSE(dir_.exists(kDayListFile));
}

TEST_F(WorkFilesTest, WorkFileThatCannotBeMovedIntoPlaceLeavesTheEarlierOneAndNoTemporary) {
  dir_.write(kGridFile, "old grid\r\n");
  FaultEnv env(default_env());
  env.fail_rename();
  EXPECT_EQ(testing::ExpectFailure([&] { PUTHORAS(env, Passo::le("00:15:00"), "00:00:00"); }).line(),
            "Erro: Nao foi possivel gerar o arquivo buffer_horas.dat.");
  EXPECT_EQ(dir_.list(), std::vector<std::string>{kGridFile});
  EXPECT_EQ(dir_.read(kGridFile), "old grid\r\n");
}

}  // namespace
}  // namespace rain::formatter
