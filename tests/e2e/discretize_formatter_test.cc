// Ajusta_Leituras resampling an irregular export onto a fixed time step
// ("n" as argument 6): the grid, the day list, the cached work files and the
// refusals, seen from the command line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/formatter_support.h"

namespace rain::testing::formatter_e2e {
namespace {

// One reading of the raw ";" export: date, time and value.
struct Leitura {
  std::string data;
  std::string hora;
  std::string valor;
};

class DiscretizeE2e : public FormatterE2e {
 protected:
  void write_raw(const std::vector<Leitura>& leituras, const std::string& header = "") {
    std::vector<std::string> lines;
    if (!header.empty()) lines.push_back(header);
    for (const auto& l : leituras) lines.push_back(l.data + ";" + l.hora + ";" + l.valor);
    dir.write("raw.txt", crlf_lines(lines));
  }
  // The logger counts the tips of each reading: the resampled series takes
  // the depth of each slot, and the tips of each step are derived from it.
  RunResult run_tips_per_reading(const std::string& intervalo) {
    Argumentos a = resampled(intervalo);
    a.tipo_bascula = "intervalo";
    a.coluna_acumulo = "0";
    a.coluna_bascula = "3";
    return run(a);
  }
  // The logger gives the rain of each reading: the tips of every step are
  // derived after the resampling.
  RunResult run_rain_per_reading(const std::string& intervalo, const std::string& tipo_acumulo = "nenhum",
                                 const std::string& cabecalho = "0", const std::string& primeiro = "1") {
    Argumentos a = resampled(intervalo);
    a.tipo_acumulo = tipo_acumulo;
    a.cabecalho = cabecalho;
    a.primeiro_dado = primeiro;
    return run(a);
  }
  // A run that must succeed, leaving the raw file and the series only.
  std::string series_of(const RunResult& r) {
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.console, "");
    EXPECT_EQ(dir.list(), (std::vector<std::string>{"raw.txt", "serie.txt"}));
    return dir.exists("serie.txt") ? dir.read("serie.txt") : "";
  }
  static std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
      lines.push_back(text.substr(start, end - start));
    }
    return lines;
  }

  // The series for the slots `slots` (header first) hold: the tips of each
  // step counted from their depths at 0.2 mm a tip; the last slot, with no
  // step after it, dropped.
  static std::string with_derived_tips(const std::vector<std::string>& slots) {
    std::vector<std::string> lines{slots[0]};
    auto depth = [](const std::string& slot) { return std::stod(slot.substr(slot.rfind(' ') + 1)); };
    for (std::size_t i = 1; i + 1 < slots.size(); ++i) {
      lines.push_back(slots[i] + " " + std::to_string(std::lround((depth(slots[i + 1]) - depth(slots[i])) / 0.2)));
    }
    return crlf_lines(lines);
  }

  static Argumentos resampled(const std::string& intervalo) {
    Argumentos a;
    a.discretizado = "n";
    a.intervalo = intervalo;
    return a;
  }
};

const char* const kTipsHeader = "Hora Data Acumulo Basculacoes";

const std::vector<Leitura> kThreeReadings = {
    {"01/02/05", "10:02", "1"},
    {"01/02/05", "10:07", "1"},
    {"01/02/05", "10:20", "1"},
};

TEST_F(DiscretizeE2e, FifteenMinuteStepGivesTheDepthOfTheLatestReadingAtEachSlot) {
  write_raw(kThreeReadings);
  EXPECT_EQ(series_of(run_tips_per_reading("00:15:00")),
            with_derived_tips({kTipsHeader, "10:15:00 01/02/05 0.40", "10:30:00 01/02/05 0.60"}));
}

TEST_F(DiscretizeE2e, DerivedTipsCountTheRiseOfEachStepAndTheLastSlotIsDropped) {
  write_raw({{"01/02/05", "10:02", "0.2"}, {"01/02/05", "10:07", "0.2"}, {"01/02/05", "10:20", "0.2"},
             {"01/02/05", "10:50", "0.4"}},
            "Data;Hora;Chuva (mm)");
  EXPECT_EQ(series_of(run_rain_per_reading("00:15:00", "nenhum", "1", "2")),
            crlf_lines({"Hora Data Chuva_(mm) Basculacao", "10:15:00 01/02/05 0.40 1", "10:30:00 01/02/05 0.60 0",
                        "10:45:00 01/02/05 0.60 2"}));
}

TEST_F(DiscretizeE2e, RunningTotalWithADecimalCommaComesOutWithAPoint) {
  write_raw({{"01/02/05", "10:02", "1,5"}, {"01/02/05", "10:20", "2,5"}, {"01/02/05", "10:40", "2,9"}});
  EXPECT_EQ(series_of(run_rain_per_reading("00:15:00", "total")),
            crlf_lines({"Hora Data Acumulo Basculacao", "10:15:00 01/02/05 1.5 5", "10:30:00 01/02/05 2.5 2"}));
}

TEST_F(DiscretizeE2e, RawTimesWithoutSecondsAndFourDigitYearsComeOutInFixedForms) {
  write_raw({{"1/2/2005", "9:5", "1"}, {"1/2/2005", "9:20", "2"}});
  EXPECT_EQ(series_of(run_tips_per_reading("00:15:00")),
            with_derived_tips({kTipsHeader, "09:15:00 01/02/05 0.20", "09:30:00 01/02/05 0.60"}));
}

TEST_F(DiscretizeE2e, ReadingsExactlyOnGridTimesCountForThoseSlots) {
  write_raw({{"01/02/05", "10:00:00", "0"}, {"01/02/05", "10:15:00", "1"}, {"01/02/05", "10:30:00", "2"}});
  EXPECT_EQ(series_of(run_tips_per_reading("00:15:00")),
            with_derived_tips({kTipsHeader, "10:15:00 01/02/05 0.20", "10:30:00 01/02/05 0.60", "10:45:00 01/02/05 0.60"}));
}

TEST_F(DiscretizeE2e, SeveralDaysRunFromMidnightToTheLastGridTimeOfEachDay) {
  write_raw({{"01/02/05", "22:50", "1"}, {"03/02/05", "00:40", "1"}});
  std::vector<std::string> expected = {kTipsHeader, "23:00:00 01/02/05 0.20", "23:30:00 01/02/05 0.20"};
  for (int hora = 0; hora < 24; ++hora) {
    std::string hh = std::to_string(hora);
    if (hh.size() < 2) hh.insert(hh.begin(), '0');
    for (const char* minuto : {"00", "30"}) expected.push_back(hh + ":" + minuto + ":00 02/02/05 0.20");
  }
  expected.insert(expected.end(), {"00:00:00 03/02/05 0.20", "00:30:00 03/02/05 0.20", "01:00:00 03/02/05 0.40"});
  EXPECT_EQ(series_of(run_tips_per_reading("00:30:00")), with_derived_tips(expected));
}

TEST_F(DiscretizeE2e, DaysFollowTheCalendarOverMonthYearAndLeapDays) {
  write_raw({{"28/02/04", "20:00", "1"}, {"01/03/04", "01:00", "1"}});
  EXPECT_EQ(series_of(run_tips_per_reading("12:00:00")),
            with_derived_tips({kTipsHeader, "00:00:00 29/02/04 0.20", "12:00:00 29/02/04 0.20", "00:00:00 01/03/04 0.20",
                        "12:00:00 01/03/04 0.40"}));
  write_raw({{"28/02/05", "20:00", "1"}, {"01/03/05", "01:00", "1"}});
  EXPECT_EQ(series_of(run_tips_per_reading("12:00:00")),
            with_derived_tips({kTipsHeader, "00:00:00 01/03/05 0.20", "12:00:00 01/03/05 0.40"}));
  write_raw({{"30/04/05", "20:00", "1"}, {"01/05/05", "01:00", "1"}});
  EXPECT_EQ(series_of(run_tips_per_reading("12:00:00")),
            with_derived_tips({kTipsHeader, "00:00:00 01/05/05 0.20", "12:00:00 01/05/05 0.40"}));
  write_raw({{"31/12/05", "20:00", "1"}, {"01/01/06", "01:00", "1"}});
  EXPECT_EQ(series_of(run_tips_per_reading("12:00:00")),
            with_derived_tips({kTipsHeader, "00:00:00 01/01/06 0.20", "12:00:00 01/01/06 0.40"}));
}

TEST_F(DiscretizeE2e, SeriesRunsOnFrom1999Into2000) {
  write_raw({{"31/12/99", "22:00", "1"}, {"31/12/99", "23:50", "1"}, {"01/01/00", "00:20", "1"}});
  EXPECT_EQ(series_of(run_tips_per_reading("00:30:00")),
            with_derived_tips({kTipsHeader, "22:30:00 31/12/99 0.20", "23:00:00 31/12/99 0.20", "23:30:00 31/12/99 0.20",
                        "00:00:00 01/01/00 0.40", "00:30:00 01/01/00 0.60"}));
}

TEST_F(DiscretizeE2e, SevenMinuteStepEndsEachDayAt2355AndStartsTheNextAtMidnight) {
  write_raw({{"01/02/05", "00:00", "1"}, {"02/02/05", "00:00", "1"}});
  auto lines = lines_of(series_of(run_tips_per_reading("00:07:00")));
  // 205 slots after the first reading, then 00:00:00 and 00:07:00 of the next
  // day, which has no step after it.
  ASSERT_EQ(lines.size(), 1u + 205u + 1u);
  EXPECT_EQ(lines[1], "00:07:00 01/02/05 0.20 0");
  EXPECT_EQ(lines[8], "00:56:00 01/02/05 0.20 0");
  EXPECT_EQ(lines[9], "01:03:00 01/02/05 0.20 0");
  EXPECT_EQ(lines[205], "23:55:00 01/02/05 0.20 1");
  EXPECT_EQ(lines[206], "00:00:00 02/02/05 0.40 0");
}

TEST_F(DiscretizeE2e, EightHourAndLongestStepsGiveTheirFewSlotsADay) {
  write_raw({{"01/02/05", "07:00", "1"}, {"02/02/05", "09:00", "1"}});
  EXPECT_EQ(series_of(run_tips_per_reading("08:00:00")),
            with_derived_tips({kTipsHeader, "08:00:00 01/02/05 0.20", "16:00:00 01/02/05 0.20", "00:00:00 02/02/05 0.20",
                        "08:00:00 02/02/05 0.20", "16:00:00 02/02/05 0.40"}));
  EXPECT_EQ(series_of(run_tips_per_reading("23:59:59")),
            with_derived_tips({kTipsHeader, "23:59:59 01/02/05 0.20", "00:00:00 02/02/05 0.20", "23:59:59 02/02/05 0.40"}));
}

TEST_F(DiscretizeE2e, BadIntervalStopsSilentlyBeforeAnyFileIsMadeAndSaysWhyOnStandardError) {
  write_raw(kThreeReadings);
  dir.write("serie.txt", "previous series\r\n");
  for (const char* intervalo : {"0:0:0", "00:00:00", "000:00:00", "0:00:0", "24:00:00", "00:60:00", "00:00:60",
                                "00:15", "", "aa:15:00", "-1:00:00", "00:15:00 ", "99999:00:00", "00:00:40000", "5",
                                "00:05"}) {
    RunResult r = run_tips_per_reading(intervalo);
    EXPECT_EQ(r.exit_code, 1) << intervalo;
    EXPECT_EQ(r.console, "") << intervalo;
    EXPECT_NE(r.errors.find("parametro 7 (intervalo de discretizacao): \"" + std::string(intervalo) + "\""),
              std::string::npos)
        << r.errors;
    EXPECT_EQ(dir.list(), (std::vector<std::string>{"raw.txt", "serie.txt"})) << intervalo;
    EXPECT_EQ(dir.read("serie.txt"), "previous series\r\n");
  }
}

TEST_F(DiscretizeE2e, IntervalWrittenWithSlashesIsTheSameStepAsWithColons) {
  write_raw(kThreeReadings);
  EXPECT_EQ(series_of(run_tips_per_reading("00/15/00")),
            with_derived_tips({kTipsHeader, "10:15:00 01/02/05 0.40", "10:30:00 01/02/05 0.60"}));
}

TEST_F(DiscretizeE2e, DamagedGridLeftForTheSameIntervalIsBuiltAnewAndRemovedAtTheEnd) {
  write_raw(kThreeReadings);
  // Its first line names the step, but it holds two times where the step gives 96.
  dir.write("buffer_horas.dat", crlf_lines({"00:15:00 00:00:00", "10:10:00", "10:40:00"}));
  EXPECT_EQ(series_of(run_tips_per_reading("00:15:00")),
            with_derived_tips({kTipsHeader, "10:15:00 01/02/05 0.40", "10:30:00 01/02/05 0.60"}));
}

TEST_F(DiscretizeE2e, GridLeftForAnotherIntervalTextIsBuiltAnew) {
  write_raw(kThreeReadings);
  dir.write("buffer_horas.dat", crlf_lines({"0:15:00 00:00:00", "10:10:00", "10:40:00"}));
  EXPECT_EQ(series_of(run_tips_per_reading("00:15:00")),
            with_derived_tips({kTipsHeader, "10:15:00 01/02/05 0.40", "10:30:00 01/02/05 0.60"}));
}

TEST_F(DiscretizeE2e, DayListLackingDaysOrNotCoveringTheSeriesIsBuiltAnew) {
  const std::vector<Leitura> two_days = {{"01/02/05", "17:00", "1"}, {"03/02/05", "09:00", "1"}};
  const std::string expected =
      with_derived_tips({kTipsHeader, "00:00:00 02/02/05 0.20", "08:00:00 02/02/05 0.20", "16:00:00 02/02/05 0.20",
                         "00:00:00 03/02/05 0.20", "08:00:00 03/02/05 0.20", "16:00:00 03/02/05 0.40"});
  // Its range covers the series, but 02/02/05 is missing.
  write_raw(two_days);
  dir.write("buffer_datas.dat", crlf_lines({"30/01/05 10/02/05", "30/01/05", "31/01/05", "01/02/05", "03/02/05",
                                            "10/02/05"}));
  EXPECT_EQ(series_of(run_tips_per_reading("08:00:00")), expected);

  write_raw(two_days);
  dir.write("buffer_datas.dat", crlf_lines({"02/02/05 10/02/05", "02/02/05", "10/02/05"}));
  EXPECT_EQ(series_of(run_tips_per_reading("08:00:00")), expected);
}

TEST_F(DiscretizeE2e, DayListWhoseRangeCoversButWhichLacksTheDaysIsBuiltAnew) {
  write_raw({{"01/02/05", "17:00", "1"}, {"02/02/05", "09:00", "1"}});
  dir.write("buffer_datas.dat", crlf_lines({"01/01/05 31/12/05", "01/01/05"}));
  EXPECT_EQ(series_of(run_tips_per_reading("08:00:00")),
            with_derived_tips({kTipsHeader, "00:00:00 02/02/05 0.20", "08:00:00 02/02/05 0.20", "16:00:00 02/02/05 0.40"}));
}

TEST_F(DiscretizeE2e, FirstReadingAfterTheLastGridTimeStartsAtTheNextMidnight) {
  write_raw({{"01/02/05", "23:50", "1"}, {"02/02/05", "00:20", "1"}});
  EXPECT_EQ(series_of(run_tips_per_reading("00:15:00")),
            with_derived_tips({kTipsHeader, "00:00:00 02/02/05 0.20", "00:15:00 02/02/05 0.20", "00:30:00 02/02/05 0.40"}));
  write_raw({{"01/02/05", "23:45", "1"}, {"02/02/05", "00:00", "1"}});
  EXPECT_EQ(series_of(run_tips_per_reading("00:15:00")),
            with_derived_tips({kTipsHeader, "00:00:00 02/02/05 0.40", "00:15:00 02/02/05 0.40"}));
}

TEST_F(DiscretizeE2e, SingleDayAfterTheLastGridTimeGivesTheHeaderOnly) {
  write_raw({{"01/02/05", "23:50", "1"}, {"01/02/05", "23:55", "1"}});
  EXPECT_EQ(series_of(run_tips_per_reading("00:15:00")), with_derived_tips({kTipsHeader}));
}

TEST_F(DiscretizeE2e, RecordThatIsNotARealMomentInTimeOrderStopsNamingItsLine) {
  struct Caso {
    std::vector<Leitura> leituras;
    std::string linha;
  };
  for (const Caso& c : std::vector<Caso>{
           {{{"30/04/05", "10:00", "1"}, {"31/04/05", "10:00", "1"}},
            "Erro: data invalida na linha 3 do arquivo de entrada: 31/04/05;10:00;1"},
           {{{"01/13/05", "10:00", "1"}, {"02/13/05", "10:00", "1"}},
            "Erro: data invalida na linha 2 do arquivo de entrada: 01/13/05;10:00;1"},
           {{{"01/03/2025", "10:00", "1"}, {"xx/03/2025", "10:05", "1"}},
            "Erro: data invalida na linha 3 do arquivo de entrada: xx/03/2025;10:05;1"},
           {{{"01/03/25", "10:00", "1"}, {"01/03/25", "10:60", "1"}},
            "Erro: hora invalida na linha 3 do arquivo de entrada: 01/03/25;10:60;1"},
           {{{"01/03/25", "10:00", "1"}, {"01/03/25", "09:59", "1"}},
            "Erro: registro anterior ao registro precedente na linha 3 do arquivo de entrada: 01/03/25;09:59;1"},
       }) {
    write_raw(c.leituras, "Data;Hora;Chuva");
    RunResult r = run_rain_per_reading("00:15:00", "nenhum", "1", "2");
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.console, console_text(c.linha + "\n"));
    EXPECT_FALSE(dir.exists("serie.txt.pvx"));
    EXPECT_FALSE(dir.exists("buffer_datas.dat"));
    std::remove(dir.file("serie.txt").c_str());
  }
}

TEST_F(DiscretizeE2e, OneImpossibleDateInTheShippedExampleStopsTheResamplingNamingIt) {
  std::string raw = read_file(std::string(RAIN_SOURCE_DIR) + "/examples/pluviografo_marco_2025.csv");
  const std::string linha = "19/03/2025;14:47:44;0.0;0;12.17";
  ASSERT_NE(raw.find(linha), std::string::npos);
  raw.replace(raw.find(linha), 2, "32");
  dir.write("raw.txt", raw);
  Argumentos a = resampled("00:05:00");
  a.cabecalho = "2";
  a.primeiro_dado = "3";
  a.mascara = "DD/MM/YYYY";
  RunResult r = run(a);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro: data invalida na linha 3000 do arquivo de entrada: "
                                    "32/03/2025;14:47:44;0.0;0;12.17\n"));
}

TEST_F(DiscretizeE2e, PublicExportWithTheMonthFirstIsRefusedWhenReadDayFirst) {
  const std::string path = std::string(RAIN_SOURCE_DIR) + "/tests/data/cumulative_tips_2024.csv";
  std::string raw = read_file(path);
  for (char& c : raw) c = c == ',' ? ' ' : c;
  dir.write("raw.txt", raw);
  Argumentos a = resampled("00:05:00");
  a.separador = "space";
  a.cabecalho = "1";
  a.primeiro_dado = "2";
  a.tipo_bascula = "total";
  a.coluna_acumulo = "0";
  a.coluna_bascula = "3";
  a.mascara = "DD/MM/YY";
  RunResult r = run(a);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro: data invalida na linha 2 do arquivo de entrada: 06/26/24 13:59:36 0 \n"));
  a.mascara = "MM/DD/YY";
  r = run(a);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, "");
}

TEST_F(DiscretizeE2e, TheCenturyTurnAndRepeatedMomentsAreInOrder) {
  write_raw({{"31/12/99", "23:50", "1"}, {"31/12/99", "23:50", "2"}, {"01/01/00", "00:10", "1"}});
  EXPECT_EQ(series_of(run_tips_per_reading("00:15:00")),
            with_derived_tips({kTipsHeader, "00:00:00 01/01/00 0.60", "00:15:00 01/01/00 0.80"}));
}

TEST_F(DiscretizeE2e, ExportWithoutReadingsStopsWithAMessage) {
  dir.write("raw.txt", crlf_lines({"Data;Hora;Chuva"}));
  RunResult r = run_rain_per_reading("00:15:00", "nenhum", "1", "2");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro: O arquivo de entrada nao tem registros.\n"));
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"raw.txt", "serie.txt.pvx"}));
}

TEST_F(DiscretizeE2e, SlotFileThatCannotBeCreatedStopsWithAMessage) {
  write_raw(kThreeReadings);
  ASSERT_EQ(::mkdir(dir.file("serie.txt~").c_str(), 0755), 0);
  RunResult r = run_tips_per_reading("00:15:00");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro: Nao foi possivel gerar o arquivo serie.txt~.\n"));
}

TEST_F(DiscretizeE2e, GridThatCannotBeCreatedStopsWithAMessage) {
  write_raw(kThreeReadings);
  ASSERT_EQ(::mkdir(dir.file("buffer_horas.dat").c_str(), 0755), 0);
  RunResult r = run_tips_per_reading("00:15:00");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro: Nao foi possivel gerar o arquivo buffer_horas.dat.\n"));
}

}  // namespace
}  // namespace rain::testing::formatter_e2e
