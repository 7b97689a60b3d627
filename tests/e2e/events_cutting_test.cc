// Fatia_Chuvadas end to end: which records make an event and what its file holds.
#include <gtest/gtest.h>

#include "tests/e2e/events_series.h"
#include "tests/support/e2e.h"

namespace rain::testing {
namespace {

using events::evento;
using events::kExemplo;
using events::kCabecalho;
using events::registros;
using events::serie;
using events::trecho;

RunResult fatia(const ScratchDir& dir, const std::string& limite, const std::string& minimo = "0",
                const std::string& precisao = "0.2", const std::string& saida = "ev") {
  return run_program("Fatia_Chuvadas", {"serie.txt", saida, limite, minimo, precisao, "00:05:00"}, dir.path());
}

TEST(FatiaChuvadasCutting, ExampleGivesTwoEventsWithExactNamesAndBytes) {
  ScratchDir dir;
  dir.write("serie.txt", serie(kExemplo));
  RunResult r = fatia(dir, "00:15:00");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, "");
  const auto linhas = registros(kExemplo);
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"ev_Parte1_01-02-05_10h10_a_01-02-05_10h20.txt",
                                                  "ev_Parte2_01-02-05_10h45_a_01-02-05_10h45.txt", "serie.txt"}));
  EXPECT_EQ(dir.read("ev_Parte1_01-02-05_10h10_a_01-02-05_10h20.txt"), evento(trecho(linhas, 3, 5)));
  EXPECT_EQ(dir.read("ev_Parte2_01-02-05_10h45_a_01-02-05_10h45.txt"), evento(trecho(linhas, 10, 10)));
}

TEST(FatiaChuvadasCutting, OneMoreDryRecordEndsTheRunInTheSearchWithTheSameFiles) {
  ScratchDir dir;
  std::vector<int> tips = kExemplo;
  tips.push_back(0);
  dir.write("serie.txt", serie(tips));
  RunResult r = fatia(dir, "00:15:00");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, "");
  const auto linhas = registros(tips);
  EXPECT_EQ(dir.read("ev_Parte1_01-02-05_10h10_a_01-02-05_10h20.txt"), evento(trecho(linhas, 3, 5)));
  EXPECT_EQ(dir.read("ev_Parte2_01-02-05_10h45_a_01-02-05_10h45.txt"), evento(trecho(linhas, 10, 10)));
  EXPECT_EQ(dir.list().size(), 3u);
}

TEST(FatiaChuvadasCutting, WindowOfOneEndsAtTheFirstDryRecord) {
  ScratchDir dir;
  const std::vector<int> tips{1, 3, 0, 2, 0};
  dir.write("serie.txt", serie(tips));
  EXPECT_EQ(fatia(dir, "00:05:00").exit_code, 0);
  const auto linhas = registros(tips);
  EXPECT_EQ(dir.read("ev_Parte1_01-02-05_10h00_a_01-02-05_10h05.txt"), evento(trecho(linhas, 1, 2)));
  EXPECT_EQ(dir.read("ev_Parte2_01-02-05_10h15_a_01-02-05_10h15.txt"), evento(trecho(linhas, 4, 4)));
  EXPECT_EQ(dir.list().size(), 3u);
}

TEST(FatiaChuvadasCutting, DrySpellOneRecordShorterThanTheLimitDoesNotSplit) {
  ScratchDir dir;
  const std::vector<int> tips{0, 2, 0, 0, 3, 0, 0, 1, 0, 0, 0};
  dir.write("serie.txt", serie(tips));
  EXPECT_EQ(fatia(dir, "00:15:00").exit_code, 0);
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"ev_Parte1_01-02-05_10h05_a_01-02-05_10h35.txt", "serie.txt"}));
  EXPECT_EQ(dir.read("ev_Parte1_01-02-05_10h05_a_01-02-05_10h35.txt"), evento(trecho(registros(tips), 2, 8)));
}

TEST(FatiaChuvadasCutting, DepthEqualToTheMinimumIsDroppedWithoutUsingANumber) {
  ScratchDir dir;
  // Events of 2, 3 and 2 tips at 0.5 mm each against a minimum of 1 mm.
  const std::vector<int> tips{2, 0, 1, 2, 0, 2, 0};
  dir.write("serie.txt", serie(tips));
  EXPECT_EQ(fatia(dir, "00:05:00", "1", "0.5").exit_code, 0);
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"ev_Parte1_01-02-05_10h10_a_01-02-05_10h15.txt", "serie.txt"}));
  EXPECT_EQ(dir.read("ev_Parte1_01-02-05_10h10_a_01-02-05_10h15.txt"), evento(trecho(registros(tips), 3, 4)));
}

TEST(FatiaChuvadasCutting, LastRecordWithTipsIsWrittenWithoutEmptyLines) {
  ScratchDir dir;
  const std::vector<int> tips{0, 1, 0, 4};
  dir.write("serie.txt", serie(tips));
  RunResult r = fatia(dir, "00:15:00");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(dir.read("ev_Parte1_01-02-05_10h05_a_01-02-05_10h15.txt"), evento(trecho(registros(tips), 2, 4)));
}

TEST(FatiaChuvadasCutting, LastLineWithoutLineEndIsStillARecord) {
  ScratchDir dir;
  const auto linhas = registros({0, 3});
  dir.write("serie.txt", kCabecalho + "\n" + linhas[0] + "\n" + linhas[1]);
  EXPECT_EQ(fatia(dir, "00:05:00").exit_code, 0);
  EXPECT_EQ(dir.read("ev_Parte1_01-02-05_10h05_a_01-02-05_10h05.txt"), evento({linhas[1]}));
}

TEST(FatiaChuvadasCutting, SeriesWithoutTipColumnIsRefusedRatherThanGivingNoEvent) {
  ScratchDir dir;
  dir.write("serie.txt", crlf_lines({kCabecalho, "10:00:00 01/02/05 0.20", "10:05:00 01/02/05 0.40"}));
  RunResult r = fatia(dir, "00:05:00");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro: serie.txt nao e uma serie: a linha 2 (\"10:00:00 01/02/05 0.20\") nao e "
                                    "um registro \"hh:mm:ss dd/mm/yy chuva basculacoes\".\n"));
  EXPECT_EQ(dir.list(), std::vector<std::string>{"serie.txt"});
}

TEST(FatiaChuvadasCutting, EmptySeriesOrHeaderOnlyGivesNoEvent) {
  for (const std::string& conteudo : {std::string(), crlf_lines({kCabecalho})}) {
    ScratchDir dir;
    dir.write("serie.txt", conteudo);
    RunResult r = fatia(dir, "00:05:00");
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(dir.list(), std::vector<std::string>{"serie.txt"});
  }
}

TEST(FatiaChuvadasCutting, TabsHideTheTipsInTheSearchButCountAsBlanksInsideAnEvent) {
  ScratchDir dir;
  const std::vector<std::string> linhas{
      "10:00:00 01/02/05 0.20 1",
      "10:05:00\t01/02/05\t0.60\t2",  // inside the event: 2 tips, keeps it open
      "10:10:00 01/02/05 0.60 0",
      "10:15:00\t01/02/05\t1.00\t2",  // in the search: no fourth word, dry
      "10:20:00 01/02/05 1.00 0",
  };
  dir.write("serie.txt", evento(linhas));
  EXPECT_EQ(fatia(dir, "00:05:00").exit_code, 0);
  // The end label comes from the tabbed line, whose only blank-separated word
  // is the whole line.
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"ev_Parte1_01-02-05_10h00_a__10h05.txt", "serie.txt"}));
  EXPECT_EQ(dir.read("ev_Parte1_01-02-05_10h00_a__10h05.txt"), evento(trecho(linhas, 1, 2)));
}

TEST(FatiaChuvadasCutting, EndOfFileMarkEndsTheSeriesInTheSearch) {
  ScratchDir dir;
  const auto linhas = registros({1, 0, 0, 7});
  dir.write("serie.txt", crlf_lines({kCabecalho, linhas[0], linhas[1], linhas[2], "\x1a" + linhas[3]}));
  RunResult r = fatia(dir, "00:05:00");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"ev_Parte1_01-02-05_10h00_a_01-02-05_10h00.txt", "serie.txt"}));
}

TEST(FatiaChuvadasCutting, EndOfFileMarkInsideAnEventIsReadAsADryLine) {
  ScratchDir dir;
  const auto linhas = registros({1, 0, 2, 0, 0});
  const std::vector<std::string> com_marca{linhas[0], "\x1a", linhas[2], linhas[3], linhas[4]};
  dir.write("serie.txt", evento(com_marca));
  EXPECT_EQ(fatia(dir, "00:10:00").exit_code, 0);
  EXPECT_EQ(dir.read("ev_Parte1_01-02-05_10h00_a_01-02-05_10h10.txt"), evento(trecho(com_marca, 1, 3)));
}

TEST(FatiaChuvadasCutting, LabelsWithoutColonAndWithFourDigitYears) {
  ScratchDir dir;
  // The first record is one of a series; the labels come from the others.
  const std::vector<std::string> linhas{"14:30:00 01/02/2005 0.00 0", "1435 01/02/2005 0.20 1",
                                        "1440 01/02/2005 0.40 1", "1445 01/02/2005 0.40 0"};
  dir.write("serie.txt", evento(linhas));
  EXPECT_EQ(fatia(dir, "00:05:00").exit_code, 0);
  EXPECT_EQ(dir.read("ev_Parte1_01-02-2005_1435h_a_01-02-2005_1440h.txt"), evento(trecho(linhas, 2, 3)));
}

TEST(FatiaChuvadasCutting, LongHeaderIsCutButLongRecordsAreKeptWhole) {
  ScratchDir dir;
  const std::string cabecalho = kCabecalho + " " + std::string(400, 'x');
  const std::string longo = "10:00:00 01/02/05 0.20 1 " + std::string(100000, 'y');
  dir.write("serie.txt", evento({longo, "10:05:00 01/02/05 0.20 0"}, cabecalho));
  EXPECT_EQ(fatia(dir, "00:05:00").exit_code, 0);
  EXPECT_EQ(dir.read("ev_Parte1_01-02-05_10h00_a_01-02-05_10h00.txt"), evento({longo}, cabecalho.substr(0, 255)));
}

TEST(FatiaChuvadasCutting, FileNameIsCutAt255Characters) {
  ScratchDir dir;
  dir.write("serie.txt", serie({2, 0}));
  const std::string saida(230, 's');
  EXPECT_EQ(fatia(dir, "00:05:00", "0", "0.2", saida).exit_code, 0);
  const std::string nome = (saida + "_Parte1_01-02-05_10h00_a_01-02-05_10h00.txt").substr(0, 255);
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"serie.txt", nome}));
  EXPECT_EQ(dir.read(nome), evento(trecho(registros({2, 0}), 1, 1)));
}

TEST(FatiaChuvadasCutting, NumbersThatAreNotWhollyNumbersOrAPrecisionOfZeroOrLessAreRefused) {
  struct Caso {
    std::string minimo, precisao, linha;
  };
  for (const Caso& c : std::vector<Caso>{
           {"abc", "0.2", "Erro: o parametro 4 (evento minimo) deve ser um numero."},
           {"1.0", "0,2", "Erro: o parametro 5 (precisao) deve ser um numero."},
           {"1.0", "0", "Erro: a precisao deve ser maior que zero."},
           {"1.0", "-0.2", "Erro: a precisao deve ser maior que zero."},
       }) {
    ScratchDir dir;
    dir.write("serie.txt", serie({1, 0, 0, 0, 2, 0}));
    RunResult r = fatia(dir, "00:05:00", c.minimo, c.precisao);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.console, console_text(c.linha + "\n"));
    EXPECT_EQ(dir.list(), std::vector<std::string>{"serie.txt"});
    EXPECT_EQ(dir.read("serie.txt"), serie({1, 0, 0, 0, 2, 0}));
  }
}

TEST(FatiaChuvadasCutting, WindowAbove32767RecordsIsCountedInFull) {
  ScratchDir dir;
  // A limit of 3000 hours over the 5-minute step is 36000 records: a dry spell
  // of 35999 keeps the event open, one of 36000 closes it.
  std::vector<int> tips(1 + 35999 + 1 + 36000 + 1, 0);
  tips[0] = 1;
  tips[36000] = 1;
  tips.back() = 1;
  dir.write("serie.txt", serie(tips));
  RunResult r = run_program("Fatia_Chuvadas", {"serie.txt", "ev", "3000:00:00", "0", "0.2", "00:05:00"}, dir.path());
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, "");
  const auto linhas = registros(tips);
  ASSERT_EQ(dir.list().size(), 3u);
  EXPECT_EQ(dir.read(dir.list()[0]), evento(trecho(linhas, 1, 36001)));
  EXPECT_EQ(dir.read(dir.list()[1]), evento({linhas.back()}));
}

}  // namespace
}  // namespace rain::testing
