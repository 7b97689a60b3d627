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
  std::string grid(const std::string& intervalo) {
    PUTHORAS(default_env(), Passo::le(intervalo));
    return dir_.read(kGridFile);
  }
  std::string day_list(const char* inicio, const char* fim) {
    PUTDATAS(default_env(), date(inicio), date(fim));
    return dir_.read(kDayListFile);
  }
  static CalendarDate date(const char* text) { return *fixed_calendar_date(text); }

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

TEST_F(WorkFilesTest, DayListRunsFromTheFirstDateToTheLastAsPassed) {
  EXPECT_EQ(day_list("30/12/05", "02/01/06"),
            crlf_lines({"30/12/05 02/01/06", "30/12/05", "31/12/05", "01/01/06", "02/01/06"}));
  EXPECT_EQ(day_list("15/03/05", "15/03/05"), crlf_lines({"15/03/05 15/03/05", "15/03/05"}));
}

TEST_F(WorkFilesTest, DayListTakesLeapDaysAndTurnsFrom99To00) {
  EXPECT_EQ(day_list("28/02/00", "01/03/00"), crlf_lines({"28/02/00 01/03/00", "28/02/00", "29/02/00", "01/03/00"}));
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

TEST_F(WorkFilesTest, WorkFileThatCannotBeCreatedStopsTheRun) {
  FaultEnv env(default_env());
  env.fail_create(kGridFile);
  env.fail_create(kDayListFile);
  EXPECT_EQ(testing::ExpectFailure([&] { PUTHORAS(env, Passo::le("00:15:00")); }).line(),
            "Erro: Nao foi possivel gerar o arquivo buffer_horas.dat.");
  EXPECT_EQ(testing::ExpectFailure([&] { PUTDATAS(env, date("01/01/05"), date("02/01/05")); }).line(),
            "Erro: Nao foi possivel gerar o arquivo buffer_datas.dat.");
}

TEST_F(WorkFilesTest, WorkFileCutShortByAFailedWriteIsRemovedSoNoLaterRunTakesItForACache) {
  FaultEnv env(default_env());
  env.fail_writes_after(kGridFile, 100);
  EXPECT_EQ(testing::ExpectFailure([&] { PUTHORAS(env, Passo::le("00:01:00")); }).line(),
            "Erro: Nao foi possivel gravar o arquivo buffer_horas.dat.");
  EXPECT_FALSE(dir_.exists(kGridFile));

  FaultEnv env2(default_env());
  env2.fail_writes_after(kDayListFile, 100);
  testing::ExpectFailure([&] { PUTDATAS(env2, date("01/01/05"), date("31/12/05")); });
  EXPECT_FALSE(dir_.exists(kDayListFile));
}

TEST_F(WorkFilesTest, WorkFileThatCannotBeMovedIntoPlaceLeavesTheEarlierOneAndNoTemporary) {
  dir_.write(kGridFile, "old grid\r\n");
  FaultEnv env(default_env());
  env.fail_rename();
  EXPECT_EQ(testing::ExpectFailure([&] { PUTHORAS(env, Passo::le("00:15:00")); }).line(),
            "Erro: Nao foi possivel gerar o arquivo buffer_horas.dat.");
  EXPECT_EQ(dir_.list(), std::vector<std::string>{kGridFile});
  EXPECT_EQ(dir_.read(kGridFile), "old grid\r\n");
}

}  // namespace
}  // namespace rain::formatter
