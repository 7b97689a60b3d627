#include "events/recorta.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "common/failure.h"
#include "tests/support/e2e.h"
#include "tests/support/fault_env.h"
#include "tests/support/expect_failure.h"

namespace rain::events {
namespace {

using testing::crlf_lines;
using testing::FaultEnv;
using testing::ScopedCurrentDir;
using testing::ScratchDir;

const std::string kCabecalho = "Hora Data Acumulo Basculacao";

// Records five minutes apart from 10:00 on 01/02/05 with the given tips.
std::vector<std::string> registros(const std::vector<int>& tips) {
  std::vector<std::string> linhas;
  for (std::size_t i = 0; i < tips.size(); ++i) {
    char texto[64];
    std::snprintf(texto, sizeof texto, "%02zu:%02zu:00 01/02/05 0.00 %d", 10 + i * 5 / 60, i * 5 % 60, tips[i]);
    linhas.emplace_back(texto);
  }
  return linhas;
}

std::string serie(const std::vector<int>& tips) {
  std::vector<std::string> linhas{kCabecalho};
  for (auto& r : registros(tips)) linhas.push_back(r);
  return crlf_lines(linhas);
}

class RecortaEventosTest : public ::testing::Test {
 protected:
  RecortaEventosTest() : cwd_(dir_.path()), env_(default_env()) {}

  FimDoRecorte recorta(std::int64_t janela, double minimo = 0, double precisao = 0.2) {
    ParametrosDoRecorte p{"serie.txt", "ev", janela, minimo, precisao};
    return RECORTA_EVENTOS(env_, p);
  }

  std::string falha(std::int64_t janela) {
    return testing::ExpectFailure([&] { recorta(janela); }).line();
  }

  ScratchDir dir_;
  ScopedCurrentDir cwd_;
  FaultEnv env_;
};

// Whether the series ends right after a closing spell or during the search
// is pinned end to end by the dialogue's closing line (events_entry_test.cc).

// The run must not end as if the series were empty or complete.
TEST_F(RecortaEventosTest, ReadErrorIsNotTakenForTheEndOfTheSeries) {
  dir_.write("serie.txt", serie({0, 0, 2, 0, 1, 0, 0, 0, 0, 5, 0, 0, 0, 0}));
  for (std::size_t bytes : {0u, 60u}) {
    env_.fail_reads_after("serie.txt", bytes);
    EXPECT_EQ(falha(3), "Erro: falha na leitura do arquivo de entrada.") << bytes;
  }
}

TEST_F(RecortaEventosTest, WindowBelowOneIsRefusedInsteadOfReadingForever) {
  dir_.write("serie.txt", serie({1}));
  EXPECT_EQ(falha(0), "Erro: periodo invalido para o intervalo utilizado.");
  EXPECT_EQ(falha(-3), "Erro: periodo invalido para o intervalo utilizado.");
}

TEST_F(RecortaEventosTest, EventClosedWithEmptyBodyWritesNothingAndUsesNoNumber) {
  // With N = 2 the window 3, -3 sums to 0 before any record left it.
  dir_.write("serie.txt", serie({3, -3, 0, 0, 0, 2, 0, 0}));
  recorta(2);
  EXPECT_EQ(dir_.list(), (std::vector<std::string>{"ev_Parte1_01-02-05_10h25_a_01-02-05_10h25.txt", "serie.txt"}));
}

TEST_F(RecortaEventosTest, NegativeCountsEnterTheDepth) {
  // 2 + 1 - 1 tips give 0.4 mm: not above a minimum of 0.5.
  dir_.write("serie.txt", serie({2, 1, -1, 0, 0}));
  recorta(2, 0.5);
  EXPECT_EQ(dir_.list(), std::vector<std::string>{"serie.txt"});
}

TEST_F(RecortaEventosTest, WindowFarBeyond16BitsClosesAtTheEndWithoutHoldingEmptyLines) {
  dir_.write("serie.txt", serie({0, 4}));
  EXPECT_EQ(recorta(20'000'000), FimDoRecorte::kRetornou);
  EXPECT_EQ(dir_.read("ev_Parte1_01-02-05_10h05_a_01-02-05_10h05.txt"), crlf_lines({kCabecalho, registros({0, 4})[1]}));
}

TEST_F(RecortaEventosTest, WorkFileThatCannotBeCreatedKeepsEarlierEvents) {
  dir_.write("serie.txt", serie({1, 0, 1}));
  env_.fail_create(kEventWorkFile);
  EXPECT_EQ(falha(1), "Erro: nao foi possivel criar o arquivo de saida.");
  EXPECT_EQ(dir_.list(), std::vector<std::string>{"serie.txt"});
}

TEST_F(RecortaEventosTest, FailedWriteIsNotReportedAsSuccess) {
  dir_.write("serie.txt", serie({1, 1, 1, 0}));
  env_.fail_writes_after(kEventWorkFile, 40);
  EXPECT_EQ(falha(1), "Erro: nao foi possivel gravar o arquivo de saida.");
  // No event file, and no incomplete work file that could pass for an event.
  EXPECT_EQ(dir_.list(), std::vector<std::string>{"serie.txt"});
}

TEST_F(RecortaEventosTest, FailedMoveStopsTheRunAndKeepsTheEventInTheWorkFile) {
  dir_.write("serie.txt", serie({1, 0, 2, 0, 3}));
  dir_.write("ev_Parte2_01-02-05_10h10_a_01-02-05_10h10.txt", "older");
  EXPECT_EQ(falha(1),
            "Erro: nao foi possivel mover o evento para ev_Parte2_01-02-05_10h10_a_01-02-05_10h10.txt; ele ficou em "
            "buffer_eventos.pvx.");
  EXPECT_EQ(dir_.read("ev_Parte2_01-02-05_10h10_a_01-02-05_10h10.txt"), "older");
  EXPECT_EQ(dir_.read(kEventWorkFile), crlf_lines({kCabecalho, registros({1, 0, 2})[2]}));
  EXPECT_TRUE(dir_.exists("ev_Parte1_01-02-05_10h00_a_01-02-05_10h00.txt"));
  // The run stopped: the third event was not written.
  EXPECT_EQ(dir_.list().size(), 4u);
}

TEST_F(RecortaEventosTest, MoveRefusedByTheFileSystemIsReported) {
  dir_.write("serie.txt", serie({1}));
  env_.fail_rename();
  EXPECT_EQ(falha(1).rfind("Erro: nao foi possivel mover o evento para ", 0), 0u);
  EXPECT_TRUE(dir_.exists(kEventWorkFile));
}

}  // namespace
}  // namespace rain::events
