// Ajusta_Leituras where a run must stop: stale work files, an output that is
// the input, a bucket of no capacity, unreadable numbers; and the tip counting
// rules seen from the outside.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/e2e/formatter_support.h"

namespace rain::testing::formatter_e2e {
namespace {

class FormatterFaults : public FormatterE2e {
 protected:
  FormatterFaults() {
    dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0.2", "01/02/05;10:05;0.2", "01/02/05;10:10;0.4"}));
  }
};

TEST_F(FormatterFaults, StaleWorkFileStopsTheRunAndIsNotReplaced) {
  dir.write("serie.txt.pvx", "left by an earlier run\r\n");
  RunResult r = run(Argumentos{});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro: o arquivo de trabalho serie.txt.pvx ja existe (sobra de uma execucao "
                                    "anterior); apague-o e execute novamente.\n"));
  EXPECT_EQ(dir.read("serie.txt.pvx"), "left by an earlier run\r\n");
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"raw.txt", "serie.txt.pvx"}));
}

TEST_F(FormatterFaults, StaleWorkFileDoesNotMatterWhenNoStageFollows) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0.2;1"}));
  dir.write("serie.txt.pvx", "left\r\n");
  Argumentos a;
  a.coluna_bascula = "4";
  a.tipo_bascula = "intervalo";
  RunResult r = run(a);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(dir.read("serie.txt"), crlf_lines({"Hora Data Acumulo Basculacoes", "10:00 01/02/05 0.20 1"}));
  EXPECT_EQ(dir.read("serie.txt.pvx"), "left\r\n");
}

TEST_F(FormatterFaults, OutputNamingTheInputIsRefusedAndTheInputKept) {
  const std::string raw = dir.read("raw.txt");
  for (const char* saida : {"raw.txt", "./raw.txt"}) {
    Argumentos a;
    a.saida = saida;
    RunResult r = run(a);
    EXPECT_EQ(r.exit_code, 1) << saida;
    EXPECT_EQ(r.console, console_text("Erro: o arquivo de saida nao pode ser o proprio arquivo de entrada.\n"));
    EXPECT_EQ(dir.read("raw.txt"), raw);
    EXPECT_EQ(dir.list(), std::vector<std::string>{"raw.txt"});
  }
}

TEST_F(FormatterFaults, ZeroCapacityIsRefusedBeforeAnyFileIsWritten) {
  dir.write("serie.txt", "previous series\r\n");
  for (const char* capacidade : {"0", "0.0", "-0"}) {
    Argumentos a;
    a.capacidade = capacidade;
    RunResult r = run(a);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.console, console_text("A capacidade da bascula deve ser diferente de zero.\n"));
  }
  EXPECT_EQ(dir.read("serie.txt"), "previous series\r\n");
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"raw.txt", "serie.txt"}));
}

TEST_F(FormatterFaults, ZeroCapacityIsFineWhenTheTipsAreCopied) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0.2;1"}));
  Argumentos a;
  a.capacidade = "0";
  a.coluna_bascula = "4";
  a.tipo_bascula = "intervalo";
  RunResult r = run(a);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(dir.read("serie.txt"), crlf_lines({"Hora Data Acumulo Basculacoes", "10:00 01/02/05 0.20 1"}));
}

TEST_F(FormatterFaults, MissingInputIsReportedAndNothingCreated) {
  Argumentos a;
  a.entrada = "nao_existe.txt";
  RunResult r = run(a);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro: nao foi possivel abrir o arquivo de entrada.\n"));
  EXPECT_EQ(dir.list(), std::vector<std::string>{"raw.txt"});
}

TEST_F(FormatterFaults, OutputInAMissingFolderIsReported) {
  Argumentos a;
  a.saida = "sem_pasta/serie.txt";
  RunResult r = run(a);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro: nao foi possivel gerar o arquivo de saida.\n"));
}

TEST_F(FormatterFaults, RainWithDecimalCommaStopsSilentlyAndKeepsTheEarlierSeries) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0.2", "01/02/05;10:05;0,2", "01/02/05;10:10;0.4"}));
  RunResult r = run(Argumentos{});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, "");
  EXPECT_EQ(dir.list(), std::vector<std::string>{"raw.txt"});
  dir.write("serie.txt", "earlier series\r\n");
  for (const char* discretizado : {"s", "n"}) {
    Argumentos a;
    a.discretizado = discretizado;
    EXPECT_EQ(run(a).exit_code, 1);
    EXPECT_EQ(dir.read("serie.txt"), "earlier series\r\n");
    EXPECT_EQ(dir.list(), (std::vector<std::string>{"raw.txt", "serie.txt"}));
  }
}

TEST_F(FormatterFaults, MissingTipFieldStopsSilently) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;3", "01/02/05;10:05"}));
  Argumentos a;
  a.coluna_acumulo = "0";
  a.coluna_bascula = "3";
  a.tipo_bascula = "total";
  RunResult r = run(a);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, "");
}

TEST_F(FormatterFaults, UnreadableRunningTotalStopsTheTipCountingAndKeepsTheWorkFile) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0.2", "01/02/05;10:05;0.4", "01/02/05;10:10;n/d"}));
  Argumentos a;
  a.tipo_acumulo = "total";
  RunResult r = run(a);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, "");
  EXPECT_FALSE(dir.exists("serie.txt"));
  EXPECT_EQ(dir.read("serie.txt.pvx"),
            crlf_lines({"Hora Data Acumulo", "10:00 01/02/05 0.2", "10:05 01/02/05 0.4", "10:10 01/02/05 n/d"}));
}

TEST_F(FormatterFaults, FallingTotalIsACounterResetAndTheDepthGoesOnFromBeforeIt) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;10.0", "01/02/05;10:05;9.95", "01/02/05;10:10;9,0",
                                   "01/02/05;10:15;9.625", "01/02/05;10:20;9.625"}));
  Argumentos a;
  a.tipo_acumulo = "total";
  a.capacidade = "0.25";
  RunResult r = run(a);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(dir.read("serie.txt"), crlf_lines({"Hora Data Acumulo Basculacao", "10:00 01/02/05 10.0 0",
                                               "10:05 01/02/05 10.00 0", "10:10 01/02/05 10.00 3",
                                               "10:15 01/02/05 10.63 0"}));
  EXPECT_NE(r.errors.find("Aviso: 2 reinicios do contador (o total caiu; a serie segue do acumulo de antes); o "
                          "primeiro na linha 2 do arquivo de entrada: 01/02/05;10:05;9.95"),
            std::string::npos)
      << r.errors;
}

TEST_F(FormatterFaults, LargeCountsAreWrittenInFull) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0", "01/02/05;10:05;25000"}));
  Argumentos a;
  a.tipo_acumulo = "total";
  a.capacidade = "0.1";
  run(a);
  EXPECT_EQ(dir.read("serie.txt"), crlf_lines({"Hora Data Acumulo Basculacao", "10:00 01/02/05 0 250000"}));
}

TEST_F(FormatterFaults, RecordOf255CharactersOrMoreGetsBlankThenCount) {
  // A running total written with many zeros makes the record longer than 255
  // characters; it is cut, and the count still follows after one blank.
  std::string total = "0.2" + std::string(300, '0');
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;" + total, "01/02/05;10:05;0.4"}));
  Argumentos a;
  a.tipo_acumulo = "total";
  RunResult r = run(a);
  EXPECT_EQ(r.exit_code, 0);
  std::string record = ("10:00 01/02/05 " + total).substr(0, 255);
  EXPECT_EQ(dir.read("serie.txt"), crlf_lines({"Hora Data Acumulo Basculacao", record + " 1"}));
}

TEST_F(FormatterFaults, SingleRecordLeavesTheHeaderAlone) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0.2"}));
  RunResult r = run(Argumentos{});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(dir.read("serie.txt"), crlf_lines({"Hora Data Acumulo Basculacao"}));
}

TEST_F(FormatterFaults, SilentStopsNameTheLineFieldAndTextOnStandardError) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0.2", "01/02/05;10:05;0,2"}));
  RunResult r = run(Argumentos{});
  EXPECT_EQ(r.console, "");
  EXPECT_NE(
      r.errors.find("Erro: linha 2 do arquivo de entrada, campo 3: \"0,2\" nao e um numero: 01/02/05;10:05;0,2"),
      std::string::npos)
      << r.errors;

  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0.2", "01/02/05;10:05;0.4", "01/02/05;10:10;n/d"}));
  std::remove(dir.file("serie.txt.pvx").c_str());
  Argumentos a;
  a.tipo_acumulo = "total";
  r = run(a);
  EXPECT_EQ(r.console, "");
  EXPECT_NE(r.errors.find("Erro: linha 4 do arquivo serie.txt.pvx, campo 3: \"n/d\" nao e um numero."),
            std::string::npos)
      << r.errors;
}

TEST_F(FormatterFaults, ImpossibleDatesKeptWithoutResamplingAreCountedOnStandardError) {
  const std::vector<std::string> raw = {"01/03/2025;10:00;0.2", "32/03/2025;10:05;0.2", "xx/03/2025;10:10;0.2",
                                        "02/03/2025;10:15;0.2"};
  dir.write("raw.txt", crlf_lines(raw));
  Argumentos a;
  a.mascara = "DD/MM/YYYY";
  RunResult r = run(a);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, "");
  EXPECT_EQ(dir.read("serie.txt"), crlf_lines({"Hora Data Acumulo Basculacao", "10:00 01/03/2025 0.20 1",
                                               "10:05 32/03/2025 0.40 1", "10:10 xx/03/2025 0.60 1"}));
  EXPECT_NE(r.errors.find("Aviso: 2 registros com data impossivel; o primeiro na linha 2 do arquivo de entrada: "
                          "32/03/2025;10:05;0.2"),
            std::string::npos)
      << r.errors;
}

}  // namespace
}  // namespace rain::testing::formatter_e2e
