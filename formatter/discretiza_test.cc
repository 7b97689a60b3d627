#include "formatter/discretiza.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "common/calendar.h"
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
      DISCRETIZA_NO_TEMPO(env, "serie.pvx", "saida.txt", Passo::le(intervalo), "saida.txt~");
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

TEST_F(DiscretizaTest, SlotFileIsGoneAfterTheRunAndTheCachesStayForTheCaller) {
  EXPECT_EQ(output(kThreeReadings, "00:15:00"),
            crlf_lines({"Hora Data Acumulo", "10:15:00 01/02/05 0.4", "10:30:00 01/02/05 0.6"}));
  EXPECT_EQ(dir_.list(), (std::vector<std::string>{"buffer_datas.dat", "buffer_horas.dat", "saida.txt", "serie.pvx"}));
  EXPECT_EQ(dir_.read(kDayListFile), crlf_lines({"01/02/05 01/02/05", "01/02/05"}));
  EXPECT_EQ(dir_.read(kGridFile).substr(0, 29), "00:15:00 00:00:00\r\n00:00:00\r\n");
}

TEST_F(DiscretizaTest, AGridIsKeptOnlyWhenItHoldsThisStepFromMidnight) {
  std::string whole = "00:15:00 00:00:00\r\n";
  std::string from_five = "00:15:00 00:05:00\r\n";
  for (int minuto = 0; minuto < 24 * 60; minuto += 15) {
    whole += two_digit_fields(minuto / 60, minuto % 60, 0, ':') + "\r\n";
    from_five += two_digit_fields((minuto + 5) / 60, (minuto + 5) % 60, 0, ':') + "\r\n";
  }
  const std::string damaged = crlf_lines({"00:15:00 00:00:00", "10:10:00", "10:40:00"});
  const std::string other_text = crlf_lines({"0:15:00 00:00:00", "10:10:00", "10:40:00"});
  for (const std::string& left : {damaged, other_text, from_five, whole}) {
    dir_.write(kGridFile, left);
    EXPECT_EQ(output(kThreeReadings, "00:15:00"),
              crlf_lines({"Hora Data Acumulo", "10:15:00 01/02/05 0.4", "10:30:00 01/02/05 0.6"}));
    EXPECT_EQ(dir_.read(kGridFile), whole);
  }
}

TEST_F(DiscretizaTest, ADayListIsKeptOnlyWhenItHoldsTheSeriesDaysInOrder) {
  const std::vector<std::string> series = {"H", "17:00:00 01/02/05 1.00", "09:00:00 03/02/05 3.00"};
  const std::string built = crlf_lines({"01/02/05 03/02/05", "01/02/05", "02/02/05", "03/02/05"});
  const std::string wider =
      crlf_lines({"31/01/05 04/02/05", "31/01/05", "01/02/05", "02/02/05", "03/02/05", "04/02/05"});
  struct Case {
    std::string left;
    std::string after;
  };
  for (const Case& c : {
           Case{wider, wider},
           Case{crlf_lines({"31/01/05 04/02/05", "31/01/05", "01/02/05", "03/02/05", "04/02/05"}), built},
           Case{crlf_lines({"02/02/05 10/02/05", "02/02/05", "10/02/05"}), built},
           Case{crlf_lines({"01/01/05 31/12/05", "01/02/05"}), built},
       }) {
    dir_.write(kDayListFile, c.left);
    EXPECT_EQ(output(series, "08:00:00"),
              crlf_lines({"H", "00:00:00 02/02/05 1.00", "08:00:00 02/02/05 1.00", "16:00:00 02/02/05 1.00",
                          "00:00:00 03/02/05 1.00", "08:00:00 03/02/05 1.00", "16:00:00 03/02/05 3.00"}));
    EXPECT_EQ(dir_.read(kDayListFile), c.after);
  }
}

TEST_F(DiscretizaTest, AStopOfTheResamplingIsItsLineAndComesBeforeAnyFileIsMade) {
  struct Case {
    std::vector<std::string> series;
    const char* line;
  };
  for (const Case& c : {
           Case{{"H", "10:00:00 30/04/05 1.00", "10:00:00 31/04/05 2.00"},
                "Erro: Data invalida no arquivo de entrada: 31/04/05."},
           Case{{"H", "10:00:00 1a/04/05 1.00"}, "Erro: Data invalida no arquivo de entrada: 1a/04/05."},
           Case{{"Hora Data Acumulo"}, "Erro: O arquivo de entrada nao tem registros."},
           Case{{"H", "", "  "}, "Erro: O arquivo de entrada nao tem registros."},
           Case{{}, "Erro: O arquivo de entrada nao tem registros."},
       }) {
    auto stop = resample(c.series, "00:15:00");
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->line, c.line);
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
