// What differs between the Linux and the Windows builds, seen through
// Rastreia_Picos: no clear codes and no key wait on a pipe, file names that
// Windows takes as the same file, and Windows paths.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/support/e2e.h"

namespace rain::testing {
namespace {

using namespace std::chrono_literals;

const char kProgram[] = "Rastreia_Picos";

std::string series() {
  return crlf_lines({"Hora Data Acumulo Basculacao", "10:00:00 01/02/05 0.20 1", "10:05:00 01/02/05 0.60 2",
                     "10:10:00 01/02/05 0.60 0"});
}

class PlatformMaxima : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.write("serie.txt", series());
  }
  ScratchDir dir_;
};

TEST_F(PlatformMaxima, InteractiveRunOnAPipeWritesNoClearCodesAndEndsAtEndOfInput) {
  // The answers and nothing more: the key wait meets the end of the input and
  // must return instead of waiting for a keyboard.
  RunResult run = run_program(kProgram, {}, dir_.path(), "serie.txt\nrelatorio.txt\ntotal\n0.2\n");
  EXPECT_EQ(run.exit_code, 0) << run.console;
  EXPECT_EQ(run.console.rfind(console_text("Digite o caminho e o nome do arquivo de entrada.\n>"), 0), 0u)
      << run.console;
  EXPECT_EQ(run.console.find('\x1b'), std::string::npos);
  EXPECT_EQ(run.console.find('\f'), std::string::npos);
  EXPECT_NE(run.console.find("Processo concluido! Aperte uma tecla para sair..."), std::string::npos);
  EXPECT_TRUE(has_platform_line_ends(run.console)) << run.console;
  EXPECT_TRUE(dir_.exists("relatorio.txt"));
  EXPECT_FALSE(dir_.exists("buffer_pesquisa.pvx"));
}

TEST_F(PlatformMaxima, OnATerminalTheDialogueClearsTheWindowAndWaitsForOneKey) {
  TerminalSession terminal(kProgram, {}, dir_.path());
  ASSERT_TRUE(terminal.wait_for_letters("Digiteocaminhoeonomedoarquivodeentrada.", 60s)) << terminal.screen();
  EXPECT_TRUE(terminal.erased_before_text()) << terminal.screen();
  terminal.type("serie.txt\rrelatorio.txt\rtotal\r0.2\r");
  ASSERT_TRUE(terminal.wait_for_letters("Processoconcluido!Aperteumateclaparasair...", 60s)) << terminal.screen();
  terminal.settle(500ms, 2s);
  EXPECT_TRUE(terminal.running()) << "ended without waiting for a key";
  terminal.type("x");  // one key, no Enter
  EXPECT_EQ(terminal.wait_exit(60s), 0) << terminal.screen();
  EXPECT_TRUE(dir_.exists("relatorio.txt"));
}

TEST_F(PlatformMaxima, ReportNamedLikeTheSeriesInCapitalsIsTheSeriesOnlyOnWindows) {
  RunResult run = run_program(kProgram, {"serie.txt", "SERIE.TXT", "total", "0", "0", "0", "0", "0.2"}, dir_.path());
  if (windows_build()) {
    // Windows names are caseless: writing the report would destroy the series.
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.console.rfind("Erro: ", 0), 0u) << run.console;
    EXPECT_EQ(dir_.list(), (std::vector<std::string>{"serie.txt"}));
  } else {
    EXPECT_EQ(run.exit_code, 0) << run.console;
    EXPECT_TRUE(dir_.exists("SERIE.TXT"));
  }
  EXPECT_EQ(dir_.read("serie.txt"), series());
}

TEST_F(PlatformMaxima, DriveLetterAndBackslashPathsNameFilesOnWindows) {
  if (!windows_build()) GTEST_SKIP() << "Windows paths";
  ASSERT_EQ(::mkdir(dir_.file("sub").c_str(), 0755), 0);
  std::vector<std::string> plain = {"serie.txt", "relatorio.txt", "total", "0", "0", "0", "0", "0.2", "Estacao"};
  std::vector<std::string> windows = plain;
  windows[0] = wine_path(dir_.file("serie.txt"));
  windows[1] = "sub\\relatorio.txt";
  ASSERT_EQ(run_program(kProgram, plain, dir_.path()).exit_code, 0);
  RunResult run = run_program(kProgram, windows, dir_.path());
  EXPECT_EQ(run.exit_code, 0) << run.console;
  EXPECT_EQ(dir_.read("sub/relatorio.txt"), dir_.read("relatorio.txt"));
}

}  // namespace
}  // namespace rain::testing
