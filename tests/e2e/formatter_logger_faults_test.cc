// Ajusta_Leituras on exports with the faults real loggers have: tips per
// reading resampled, counter resets, repeated lines, negative readings,
// outages, long gaps, rounding losses, clock jumps and mistyped keywords.
// Each fault beside the same export without it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/formatter_support.h"

namespace rain::testing::formatter_e2e {
namespace {

class LoggerFaults : public FormatterE2e {
 protected:
  static bool says(const RunResult& r, const std::string& words) { return r.errors.find(words) != std::string::npos; }
  static Argumentos resampled(const std::string& intervalo = "00:15:00") {
    Argumentos a;
    a.discretizado = "n";
    a.intervalo = intervalo;
    return a;
  }
};

TEST_F(LoggerFaults, TipsPerReadingResampledAreDerivedUnderTheExportsTitles) {
  dir.write("raw.txt", crlf_lines({"Data;Hora;Chuva;Basc", "01/02/05;10:02;0.2;1", "01/02/05;10:07;0.2;1",
                                   "01/02/05;10:20;0.2;1", "01/02/05;10:50;0.4;2"}));
  Argumentos a = resampled();
  a.tipo_bascula = "intervalo";
  a.coluna_bascula = "4";
  a.cabecalho = "1";
  a.primeiro_dado = "2";
  RunResult r = run(a);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(dir.read("serie.txt"), crlf_lines({"Hora Data Chuva Basc", "10:15:00 01/02/05 0.40 1",
                                               "10:30:00 01/02/05 0.60 0", "10:45:00 01/02/05 0.60 2"}));
  // Not resampled, the logger's tips are still copied.
  a.discretizado = "s";
  EXPECT_EQ(run(a).exit_code, 0);
  EXPECT_EQ(dir.read("serie.txt"), crlf_lines({"Hora Data Chuva Basc", "10:02 01/02/05 0.20 1", "10:07 01/02/05 0.40 1",
                                               "10:20 01/02/05 0.60 1", "10:50 01/02/05 1.00 2"}));
}

TEST_F(LoggerFaults, TipCounterResetGoesOnFromTheDepthBeforeIt) {
  Argumentos a;
  a.coluna_acumulo = "0";
  a.coluna_bascula = "3";
  a.tipo_bascula = "total";
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;10", "01/02/05;10:05;11", "01/02/05;10:10;12"}));
  RunResult r = run(a);
  EXPECT_EQ(dir.read("serie.txt"), crlf_lines({"Hora Data Acumulo Basculacao", "10:00 01/02/05 2.00 1",
                                               "10:05 01/02/05 2.20 1"}));
  EXPECT_FALSE(says(r, "reinicio"));
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;10", "01/02/05;10:05;11", "01/02/05;10:10;0", "01/02/05;10:15;2"}));
  r = run(a);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(dir.read("serie.txt"), crlf_lines({"Hora Data Acumulo Basculacao", "10:00 01/02/05 2.00 1",
                                               "10:05 01/02/05 2.20 0", "10:10 01/02/05 2.20 2"}));
  EXPECT_TRUE(says(r, "Aviso: 1 reinicio do contador (o total caiu; a serie segue do acumulo de antes); o primeiro "
                      "na linha 3 do arquivo de entrada: 01/02/05;10:10;0"))
      << r.errors;
}

TEST_F(LoggerFaults, CounterFoundPastZeroAfterAResetKeepsTheTipsItCounted) {
  Argumentos a;
  a.coluna_acumulo = "0";
  a.coluna_bascula = "3";
  a.tipo_bascula = "total";
  // 247 tips, then the counter started again and had counted 1 by the next
  // reading: that tip fell, and is kept.
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;246", "01/02/05;10:05;247", "01/02/05;10:10;1",
                                   "01/02/05;10:15;2"}));
  EXPECT_EQ(run(a).exit_code, 0);
  EXPECT_EQ(dir.read("serie.txt"), crlf_lines({"Hora Data Acumulo Basculacao", "10:00 01/02/05 49.20 1",
                                               "10:05 01/02/05 49.40 1", "10:10 01/02/05 49.60 1"}));
}

TEST_F(LoggerFaults, LineWrittenTwiceIsCountedOnce) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0.2", "01/02/05;10:05;0.4", "01/02/05;10:05;0.4",
                                   "01/02/05;10:10;0.2"}));
  RunResult r = run(Argumentos{});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(dir.read("serie.txt"), crlf_lines({"Hora Data Acumulo Basculacao", "10:00 01/02/05 0.20 2",
                                               "10:05 01/02/05 0.60 1"}));
  EXPECT_TRUE(says(r, "Aviso: 1 linha repetida, contada uma so vez; a primeira na linha 3 do arquivo de entrada: "
                      "01/02/05;10:05;0.4"))
      << r.errors;
}

// The line before is the data line before: blank lines between do not part
// two copies, and a tab reads as the blank it becomes.
TEST_F(LoggerFaults, LineWrittenTwiceIsToldAcrossBlankLinesAndTabs) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0.2", "01/02/05;10:05; 0.4", "", " \t", "01/02/05;10:05; 0.4",
                                   "01/02/05;10:05;\t0.4", "01/02/05;10:05; 0.4", "01/02/05;10:10;0.2"}));
  RunResult r = run(Argumentos{});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(dir.read("serie.txt"), crlf_lines({"Hora Data Acumulo Basculacao", "10:00 01/02/05 0.20 2",
                                               "10:05 01/02/05 0.60 1"}));
  EXPECT_TRUE(says(r, "Aviso: 3 linhas repetidas, contadas uma so vez; a primeira na linha 5")) << r.errors;
}

TEST_F(LoggerFaults, TipsBelowZeroAddNothingAndAreNotCopied) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;1", "01/02/05;10:05;-3", "01/02/05;10:10;2"}));
  Argumentos a;
  a.coluna_acumulo = "0";
  a.coluna_bascula = "3";
  a.tipo_bascula = "intervalo";
  RunResult r = run(a);
  EXPECT_EQ(dir.read("serie.txt"), crlf_lines({"Hora Data Acumulo Basculacoes", "10:00 01/02/05 0.20 1",
                                               "10:05 01/02/05 0.20 0", "10:10 01/02/05 0.60 2"}));
  EXPECT_TRUE(says(r, "Aviso: 1 leitura negativa, que nada soma; a primeira na linha 2")) << r.errors;
}

// Readings every five minutes, then nothing for two days while the counter
// went on: 3.0 mm come with the first reading after the outage.
const std::vector<std::string> kOutage = {"01/02/05;23:50;0", "01/02/05;23:55;0.2", "04/02/05;00:05;3.0",
                                          "04/02/05;00:10;0"};

TEST_F(LoggerFaults, OutageIsListedAsTheStepsBetweenTheReadings) {
  dir.write("raw.txt", crlf_lines(kOutage));
  std::vector<std::string> args = {"--falha-apos", "01:00:00", "--falhas", "falhas.csv"};
  for (const std::string& arg : resampled("00:05:00").lista()) args.push_back(arg);
  RunResult r = run_args(args);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(dir.read("falhas.csv"), crlf_lines({"inicio,fim,duracao_h,chuva_mm",
                                                "2005-02-01T23:55:00,2005-02-04T00:00:00,48.08,3.00"}));
  EXPECT_TRUE(says(r, "Aviso: 1 falha do registrador (leituras mais de 01:00:00 distantes), 2.00 dias ao todo; a "
                      "primeira de 2005-02-01T23:55:00 a 2005-02-04T00:00:00, com 3.00 mm no passo seguinte; lista "
                      "em falhas.csv."))
      << r.errors;
  const std::string serie = dir.read("serie.txt");
  EXPECT_NE(serie.find("\r\n00:00:00 04/02/05 0.20 15\r\n00:05:00 04/02/05 3.20 0\r\n"), std::string::npos);

  // Not resampled, the outage spans the two readings; without --falhas the
  // count is told and nothing is listed.
  std::remove(dir.file("falhas.csv").c_str());
  args = {"--falha-apos", "72:00:00"};
  for (const std::string& arg : Argumentos{}.lista()) args.push_back(arg);
  r = run_args(args);
  EXPECT_TRUE(says(r, "Nenhuma falha do registrador (leituras mais de 72:00:00 distantes).")) << r.errors;
  args[1] = "24:00:00";
  r = run_args(args);
  EXPECT_TRUE(says(r, "Aviso: 1 falha do registrador (leituras mais de 24:00:00 distantes), 2.01 dias ao todo; a "
                      "primeira de 2005-02-01T23:55:00 a 2005-02-04T00:05:00, com 3.00 mm no passo seguinte; "
                      "--falhas <arquivo> as lista."))
      << r.errors;
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"raw.txt", "serie.txt"}));
}

TEST_F(LoggerFaults, LongGapWithRainIsToldWithoutOptionsAndTheSeriesIsUnchanged) {
  dir.write("raw.txt", crlf_lines(kOutage));
  RunResult r = run(resampled("00:05:00"));
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_TRUE(says(r, "Aviso: 1 intervalo de mais de um dia sem leituras em que o contador subiu mais de uma "
                      "basculada; o primeiro de 2005-02-01T23:55:00 a 2005-02-04T00:05:00 (2.01 dias), 3.00 mm"))
      << r.errors;
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"raw.txt", "serie.txt"}));
}

TEST_F(LoggerFaults, WrongOutageLimitOrListNamingTheInputIsRefusedBeforeAnythingIsWritten) {
  dir.write("raw.txt", crlf_lines(kOutage));
  for (const char* limite : {"00:00:00", "1h", "01:60:00", ""}) {
    std::vector<std::string> args = {"--falha-apos", limite};
    for (const std::string& arg : Argumentos{}.lista()) args.push_back(arg);
    RunResult r = run_args(args);
    EXPECT_EQ(r.exit_code, 1) << limite;
    EXPECT_EQ(r.console, console_text("Erro: a opcao --falha-apos pede uma duracao hh:mm:ss maior que zero, e nao \"" +
                                      std::string(limite) + "\".\n"));
  }
  std::vector<std::string> args = {"--falhas", "raw.txt"};
  for (const std::string& arg : Argumentos{}.lista()) args.push_back(arg);
  EXPECT_EQ(run_args(args).exit_code, 1);
  // In the dialogue the limit is refused before any question.
  RunResult r = run_args({"--falha-apos", "0"}, "raw.txt\n");
  EXPECT_EQ(r.console, console_text("Erro: a opcao --falha-apos pede uma duracao hh:mm:ss maior que zero, e nao "
                                    "\"0\".\n"));
  EXPECT_EQ(dir.list(), std::vector<std::string>{"raw.txt"});
}

TEST_F(LoggerFaults, TipsThatLoseRainInTheRoundingAndRainBeforeTheFirstStepAreTold) {
  // 0.009 in per reading on a 0.01 in bucket: each reading rounds to one tip.
  dir.write("raw.txt", crlf_lines({"01/02/05;10:02;0.009", "01/02/05;10:07;0.027", "01/02/05;10:20;0.009"}));
  Argumentos a = resampled("00:05:00");
  a.capacidade = "0.01";
  RunResult r = run(a);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_TRUE(says(r, "Aviso: 0.01 mm de chuva antes do primeiro passo da serie, que nenhum registro guarda")) << r.errors;
  dir.write("raw.txt", crlf_lines({"01/02/05;10:02;0", "01/02/05;10:07;0.2", "01/02/05;10:20;0.2"}));
  r = run(resampled("00:05:00"));
  EXPECT_EQ(r.errors.find("Aviso"), std::string::npos) << r.errors;
  EXPECT_TRUE(says(r, "acumulo final 0.40 mm, 2 basculadas = 0.40 mm.")) << r.errors;
}

TEST_F(LoggerFaults, RoundingThatLosesMoreThanATipIsTold) {
  // Each reading holds less than half a tip: every step rounds to none.
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0", "01/02/05;10:05;0.09", "01/02/05;10:10;0.09",
                                   "01/02/05;10:15;0.09", "01/02/05;10:20;0.09", "01/02/05;10:25;0"}));
  RunResult r = run(Argumentos{});
  EXPECT_TRUE(says(r, "Aviso: as basculadas guardam 0.00 mm e a serie 0.36 mm (0.36 mm a menos); confira a capacidade "
                      "da bascula e as casas decimais da chuva."))
      << r.errors;
}

TEST_F(LoggerFaults, ClockThatStepsBackOrJumpsAYearIsRefusedAtItsOwnLine) {
  Argumentos a = resampled();
  a.mascara = "DD/MM/YYYY";
  dir.write("raw.txt", crlf_lines({"31/12/2025;23:50;0", "01/01/2000;00:05;0.2", "01/01/2026;00:10;0"}));
  RunResult r = run(a);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro: registro anterior ao registro precedente na linha 2 do arquivo de entrada: "
                                    "01/01/2000;00:05;0.2\n"));
  dir.write("raw.txt", crlf_lines({"31/12/2025;23:50;0", "01/02/2027;00:05;0.2"}));
  r = run(a);
  EXPECT_EQ(r.console, console_text("Erro: salto do relogio de mais de 366 dias na linha 2 do arquivo de entrada: "
                                    "01/02/2027;00:05;0.2\n"));
  EXPECT_EQ(dir.list(), std::vector<std::string>{"raw.txt"});
}

TEST_F(LoggerFaults, MistypedKeywordsAreRefusedNamingTheParameterAndItsWords) {
  dir.write("raw.txt", crlf_lines(kOutage));
  struct Caso {
    std::string Argumentos::*campo;
    std::string valor;
    std::string linha;
  };
  const std::vector<Caso> casos = {
      {&Argumentos::discretizado, "nao", "Erro: o parametro 6 (discretizado) deve ser \"s\" ou \"n\", e nao \"nao\"."},
      {&Argumentos::tipo_acumulo, "totla",
       "Erro: o parametro 3 (tipo de acumulo) deve ser \"nenhum\", \"total\" ou \"intervalo\", e nao \"totla\"."},
      {&Argumentos::separador, "virgula",
       "Erro: o parametro 5 (separador) deve ser \"space\", \"tab\" ou o proprio caractere separador, e nao "
       "\"virgula\"."},
  };
  for (const Caso& c : casos) {
    Argumentos a;
    a.*c.campo = c.valor;
    RunResult r = run(a);
    EXPECT_EQ(r.exit_code, 1) << c.valor;
    EXPECT_EQ(r.console, console_text(c.linha + "\n"));
  }
  // The dialogue refuses the answer as soon as it is given.
  RunResult r = run_args({}, "raw.txt\nserie.txt\n0\n1\nDD/MM/YY\n1\n2\n3\n0\nnenhum\n;\nN\n00:05:00\n0.2\n");
  EXPECT_EQ(r.exit_code, 0);
  r = run_args({}, "raw.txt\nserie.txt\n0\n1\nDD/MM/YY\n1\n2\n3\n0\nnenhum\n;\nnao\n00:05:00\n0.2\n");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_NE(r.console.find("Erro: o parametro 6 (discretizado) deve ser \"s\" ou \"n\", e nao \"nao\"."),
            std::string::npos);
  EXPECT_EQ(r.console.find("capacidade"), std::string::npos);
}

TEST_F(LoggerFaults, TemporaryFileOfAKilledRunIsReplaced) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0.2", "01/02/05;10:05;0.4"}));
  dir.write("serie.txt.tmp", "cut by a run that was killed");
  RunResult r = run(Argumentos{});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(dir.read("serie.txt"), crlf_lines({"Hora Data Acumulo Basculacao", "10:00 01/02/05 0.20 2"}));
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"raw.txt", "serie.txt"}));
}

}  // namespace
}  // namespace rain::testing::formatter_e2e
