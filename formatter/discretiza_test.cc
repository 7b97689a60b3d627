#include "formatter/discretiza.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "common/failure.h"
#include "formatter/work_files.h"
#include "tests/support/e2e.h"
#include "tests/support/fault_env.h"

namespace rain::formatter {
namespace {

using rain::testing::crlf_lines;
using rain::testing::FaultEnv;
using rain::testing::ScopedCurrentDir;
using rain::testing::ScratchDir;

struct Stop {
  std::string line;
  bool has_line = false;
  int exit_code = 0;
};

class DiscretizaTest : public ::testing::Test {
 protected:
  // Resamples `series` (written to serie.pvx) into saida.txt; the stop, if any.
  std::optional<Stop> resample(const std::vector<std::string>& series, const std::string& intervalo, Env& env) {
    dir_.write("serie.pvx", crlf_lines(series));
    try {
      DISCRETIZA_NO_TEMPO(env, "serie.pvx", "saida.txt", Passo::le(intervalo));
    } catch (const Failure& f) {
      return Stop{f.line(), f.has_line(), f.exit_code()};
    }
    return std::nullopt;
  }
  std::optional<Stop> resample(const std::vector<std::string>& series, const std::string& intervalo) {
    return resample(series, intervalo, default_env());
  }
  // The output of a run that must succeed.
  std::string output(const std::vector<std::string>& series, const std::string& intervalo) {
    auto stop = resample(series, intervalo);
    EXPECT_FALSE(stop) << stop->line;
    return dir_.exists("saida.txt") ? dir_.read("saida.txt") : "";
  }

  ScratchDir dir_;
  ScopedCurrentDir cwd_{dir_.path()};
};

const std::vector<std::string> kThreeReadings = {
    "Hora Data Acumulo",
    "10:02:00 01/02/05 0.2",
    "10:07:00 01/02/05 0.4",
    "10:20:00 01/02/05 0.6",
};

TEST_F(DiscretizaTest, EachSlotCarriesTheDepthOfTheLatestReadingAtOrBeforeIt) {
  EXPECT_EQ(output(kThreeReadings, "00:15:00"),
            crlf_lines({"Hora Data Acumulo", "10:15:00 01/02/05 0.4", "10:30:00 01/02/05 0.6"}));
}

TEST_F(DiscretizaTest, ReadingExactlyOnAGridTimeCountsForThatSlot) {
  EXPECT_EQ(output({"H", "10:00:00 01/02/05 0.00", "10:15:00 01/02/05 0.20", "10:40:00 01/02/05 0.40"}, "00:15:00"),
            crlf_lines({"H", "10:15:00 01/02/05 0.20", "10:30:00 01/02/05 0.20", "10:45:00 01/02/05 0.40"}));
}

TEST_F(DiscretizaTest, LastOfTwoReadingsBetweenTheSameGridTimesSetsTheLastSlot) {
  EXPECT_EQ(output({"H", "10:01:00 01/02/05 0.00", "10:20:00 01/02/05 0.20", "10:25:00 01/02/05 0.40"}, "00:15:00"),
            crlf_lines({"H", "10:15:00 01/02/05 0.00", "10:30:00 01/02/05 0.40"}));
}

TEST_F(DiscretizaTest, RawTimesAndDatesAreReadInTheirFixedForms) {
  EXPECT_EQ(output({"H", "9:5 1/2/2005 0,5 3", "9:20 1/2/2005 1,5 2"}, "00:15:00"),
            crlf_lines({"H", "09:15:00 01/02/05 0.5", "09:30:00 01/02/05 1.5"}));
}

TEST_F(DiscretizaTest, SeriesOverSeveralDaysRunsEveryDayFromMidnightOnTheGrid) {
  EXPECT_EQ(output({"H", "17:00:00 01/02/05 1.00", "03:00:00 03/02/05 2.00", "09:00:00 03/02/05 3.00"}, "08:00:00"),
            crlf_lines({"H",
                        "00:00:00 02/02/05 1.00",
                        "08:00:00 02/02/05 1.00",
                        "16:00:00 02/02/05 1.00",
                        "00:00:00 03/02/05 1.00",
                        "08:00:00 03/02/05 2.00",
                        "16:00:00 03/02/05 3.00"}));
}

TEST_F(DiscretizaTest, DayListCrossesMonthYearAndLeapDay) {
  EXPECT_EQ(output({"H", "20:00:00 28/02/04 1.00", "01:00:00 01/03/04 2.00"}, "12:00:00"),
            crlf_lines({"H", "00:00:00 29/02/04 1.00", "12:00:00 29/02/04 1.00", "00:00:00 01/03/04 1.00",
                        "12:00:00 01/03/04 2.00"}));
  EXPECT_EQ(output({"H", "20:00:00 28/02/05 1.00", "01:00:00 01/03/05 2.00"}, "12:00:00"),
            crlf_lines({"H", "00:00:00 01/03/05 1.00", "12:00:00 01/03/05 2.00"}));
  EXPECT_EQ(output({"H", "20:00:00 31/12/05 1.00", "01:00:00 01/01/06 2.00"}, "12:00:00"),
            crlf_lines({"H", "00:00:00 01/01/06 1.00", "12:00:00 01/01/06 2.00"}));
}

TEST_F(DiscretizaTest, LastReadingAfterTheLastGridTimeEndsTheSlotsAtThatTime) {
  EXPECT_EQ(output({"H", "23:00:00 01/02/05 1.00", "23:50:00 01/02/05 2.00"}, "00:15:00"),
            crlf_lines({"H", "23:15:00 01/02/05 1.00", "23:30:00 01/02/05 1.00", "23:45:00 01/02/05 1.00"}));
}

TEST_F(DiscretizaTest, FirstReadingAfterTheLastGridTimeStartsTheSlotsAtTheNextMidnight) {
  EXPECT_EQ(output({"H", "23:50:00 01/02/05 1.00", "00:20:00 02/02/05 2.00"}, "00:15:00"),
            crlf_lines({"H", "00:00:00 02/02/05 1.00", "00:15:00 02/02/05 1.00", "00:30:00 02/02/05 2.00"}));
  EXPECT_EQ(output({"H", "23:45:00 01/02/05 1.00", "00:00:00 02/02/05 2.00"}, "00:15:00"),
            crlf_lines({"H", "00:00:00 02/02/05 2.00", "00:15:00 02/02/05 2.00"}));
}

TEST_F(DiscretizaTest, SingleDayStartingAfterTheLastGridTimeGivesTheHeaderOnly) {
  EXPECT_EQ(output({"H", "23:50:00 01/02/05 1.00", "23:55:00 01/02/05 2.00"}, "00:15:00"), crlf_lines({"H"}));
}

TEST_F(DiscretizaTest, SingleReadingGivesOneSlot) {
  EXPECT_EQ(output({"H", "10:02:00 01/02/05 1.00"}, "00:15:00"), crlf_lines({"H", "10:15:00 01/02/05 1.00"}));
}

TEST_F(DiscretizaTest, BlankLinesAreSkippedAndFieldsAfterTheDepthDropped) {
  EXPECT_EQ(output({"Hora Data Acumulo Basculacoes", "", "10:02:00 01/02/05 0.20 1", "  ", "10:20:00 01/02/05 0.40 1",
                    "\t"},
                   "00:15:00"),
            crlf_lines({"Hora Data Acumulo Basculacoes", "10:15:00 01/02/05 0.20", "10:30:00 01/02/05 0.40"}));
}

TEST_F(DiscretizaTest, SlotFileIsGoneAfterTheRunAndTheWorkFilesStayForTheCaller) {
  output(kThreeReadings, "00:15:00");
  EXPECT_EQ(dir_.list(), (std::vector<std::string>{"buffer_datas.dat", "buffer_horas.dat", "saida.txt", "serie.pvx"}));
  EXPECT_EQ(dir_.read(kDayListFile), crlf_lines({"01/02/05 01/02/05", "01/02/05"}));
  EXPECT_EQ(dir_.read(kGridFile).substr(0, 29), "00:15:00 00:00:00\r\n00:00:00\r\n");
}

TEST_F(DiscretizaTest, GridLeftForTheSameIntervalTextButDamagedIsBuiltAnew) {
  // Its first line names the step; the times after it are not that step's.
  dir_.write(kGridFile, crlf_lines({"00:15:00 00:00:00", "10:10:00", "10:40:00"}));
  EXPECT_EQ(output(kThreeReadings, "00:15:00"), crlf_lines({"Hora Data Acumulo", "10:15:00 01/02/05 0.4",
                                                            "10:30:00 01/02/05 0.6"}));
  EXPECT_EQ(dir_.read(kGridFile).size(), 19u + 96u * 10u);
}

TEST_F(DiscretizaTest, GridLeftForAnotherIntervalTextIsBuiltAnew) {
  dir_.write(kGridFile, crlf_lines({"0:15:00 00:00:00", "10:10:00", "10:40:00"}));
  EXPECT_EQ(output(kThreeReadings, "00:15:00"),
            crlf_lines({"Hora Data Acumulo", "10:15:00 01/02/05 0.4", "10:30:00 01/02/05 0.6"}));
  EXPECT_EQ(dir_.read(kGridFile).substr(0, 19), "00:15:00 00:00:00\r\n");
}

TEST_F(DiscretizaTest, DayListCoveringAWiderRangeIsReusedOnlyWhenItHoldsEveryDay) {
  const auto whole = crlf_lines({"31/01/05 04/02/05", "31/01/05", "01/02/05", "02/02/05", "03/02/05", "04/02/05"});
  const std::string series_out =
      crlf_lines({"H", "00:00:00 02/02/05 1.00", "08:00:00 02/02/05 1.00", "16:00:00 02/02/05 1.00",
                  "00:00:00 03/02/05 1.00", "08:00:00 03/02/05 1.00", "16:00:00 03/02/05 3.00"});
  dir_.write(kDayListFile, whole);
  EXPECT_EQ(output({"H", "17:00:00 01/02/05 1.00", "09:00:00 03/02/05 3.00"}, "08:00:00"), series_out);
  EXPECT_EQ(dir_.read(kDayListFile), whole);
  // One that skips 02/02/05 is built anew.
  dir_.write(kDayListFile, crlf_lines({"31/01/05 04/02/05", "31/01/05", "01/02/05", "03/02/05", "04/02/05"}));
  EXPECT_EQ(output({"H", "17:00:00 01/02/05 1.00", "09:00:00 03/02/05 3.00"}, "08:00:00"), series_out);
  EXPECT_EQ(dir_.read(kDayListFile), crlf_lines({"01/02/05 03/02/05", "01/02/05", "02/02/05", "03/02/05"}));
}

TEST_F(DiscretizaTest, DayListNotCoveringTheSeriesIsBuiltAnew) {
  dir_.write(kDayListFile, crlf_lines({"02/02/05 10/02/05", "02/02/05", "10/02/05"}));
  EXPECT_EQ(output({"H", "17:00:00 01/02/05 1.00", "09:00:00 02/02/05 3.00"}, "08:00:00"),
            crlf_lines({"H", "00:00:00 02/02/05 1.00", "08:00:00 02/02/05 1.00", "16:00:00 02/02/05 3.00"}));
  EXPECT_EQ(dir_.read(kDayListFile), crlf_lines({"01/02/05 02/02/05", "01/02/05", "02/02/05"}));
}

TEST_F(DiscretizaTest, DayListWhoseKeyCoversButWhichLacksTheSeriesDaysIsBuiltAnew) {
  dir_.write(kDayListFile, crlf_lines({"01/01/05 31/12/05", "01/01/05"}));
  EXPECT_EQ(output({"H", "17:00:00 01/02/05 1.00", "09:00:00 02/02/05 3.00"}, "08:00:00"),
            crlf_lines({"H", "00:00:00 02/02/05 1.00", "08:00:00 02/02/05 1.00", "16:00:00 02/02/05 3.00"}));
  dir_.write(kDayListFile, crlf_lines({"01/01/05 31/12/05", "01/02/05"}));
  EXPECT_EQ(output({"H", "17:00:00 01/02/05 1.00", "09:00:00 02/02/05 3.00"}, "08:00:00"),
            crlf_lines({"H", "00:00:00 02/02/05 1.00", "08:00:00 02/02/05 1.00", "16:00:00 02/02/05 3.00"}));
}

TEST_F(DiscretizaTest, UnreachableLastDateStopsWithAMessageInsteadOfAnEndlessDayList) {
  auto stop = resample({"H", "10:00:00 30/04/05 1.00", "10:00:00 31/04/05 2.00"}, "00:15:00");
  ASSERT_TRUE(stop);
  EXPECT_EQ(stop->line, "Erro: Data invalida no arquivo de entrada: 31/04/05.");
  EXPECT_EQ(stop->exit_code, 1);
  EXPECT_FALSE(dir_.exists("saida.txt"));
  EXPECT_FALSE(dir_.exists(kDayListFile));

  stop = resample({"H", "10:00:00 1a/04/05 1.00", "10:00:00 02/04/05 2.00"}, "00:15:00");
  ASSERT_TRUE(stop);
  EXPECT_EQ(stop->line, "Erro: Data invalida no arquivo de entrada: 1a/04/05.");
  EXPECT_FALSE(dir_.exists("saida.txt"));
  EXPECT_FALSE(dir_.exists("saida.txt~"));
}

TEST_F(DiscretizaTest, SeriesWithoutRecordsStopsWithAMessage) {
  for (auto series : {std::vector<std::string>{"Hora Data Acumulo"}, std::vector<std::string>{"H", "", "  "},
                      std::vector<std::string>{}}) {
    auto stop = resample(series, "00:15:00");
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->line, "Erro: O arquivo de entrada nao tem registros.");
    EXPECT_EQ(stop->exit_code, 1);
    EXPECT_EQ(dir_.list(), std::vector<std::string>{"serie.pvx"});
  }
}

TEST_F(DiscretizaTest, InputThatCannotBeOpenedStopsWithAMessage) {
  FaultEnv env(default_env());
  env.fail_open_read("serie.pvx");
  auto stop = resample(kThreeReadings, "00:15:00", env);
  ASSERT_TRUE(stop);
  EXPECT_EQ(stop->line, "Erro: Nao foi possivel abrir o arquivo de entrada.");
  EXPECT_EQ(stop->exit_code, 1);
}

TEST_F(DiscretizaTest, FilesThatCannotBeCreatedOrWrittenStopWithAMessage) {
  struct Case {
    const char* file;
    bool on_create;
    const char* message;
  };
  const Case cases[] = {
      {"buffer_horas.dat", true, "Erro: Nao foi possivel gerar o arquivo buffer_horas.dat."},
      {"buffer_datas.dat", true, "Erro: Nao foi possivel gerar o arquivo buffer_datas.dat."},
      {"saida.txt~", true, "Erro: Nao foi possivel gerar o arquivo saida.txt~."},
      {"saida.txt~", false, "Erro: Nao foi possivel gravar o arquivo saida.txt~."},
      {"saida.txt", true, "Erro: Nao foi possivel gerar o arquivo de saida."},
      {"saida.txt", false, "Erro: Nao foi possivel gravar o arquivo de saida."},
      {"buffer_horas.dat", false, "Erro: Nao foi possivel gravar o arquivo buffer_horas.dat."},
      {"buffer_datas.dat", false, "Erro: Nao foi possivel gravar o arquivo buffer_datas.dat."},
  };
  for (const auto& c : cases) {
    for (const char* name : {"buffer_horas.dat", "buffer_datas.dat", "saida.txt"}) std::remove(dir_.file(name).c_str());
    FaultEnv env(default_env());
    if (c.on_create) {
      env.fail_create(c.file);
    } else {
      env.fail_writes_after(c.file, 10);
    }
    auto stop = resample(kThreeReadings, "00:01:00", env);
    ASSERT_TRUE(stop) << c.file;
    EXPECT_EQ(stop->line, c.message);
    EXPECT_EQ(stop->exit_code, 1);
    EXPECT_FALSE(dir_.exists("saida.txt~")) << c.file;
  }
}

}  // namespace
}  // namespace rain::formatter
