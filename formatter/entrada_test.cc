// In-process runs of the whole program, for what only a failing file system
// shows, and for the parameter reading on its own.
#include "formatter/entrada.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "common/failure.h"
#include "tests/support/e2e.h"
#include "tests/support/fake_terminal.h"
#include "tests/support/fault_env.h"
#include "tests/support/expect_failure.h"

namespace rain::formatter {
namespace {

using rain::testing::crlf_lines;
using rain::testing::FakeTerminal;
using rain::testing::FaultEnv;
using rain::testing::ScopedCurrentDir;
using rain::testing::ScratchDir;

struct InProcess {
  std::istringstream in;
  std::ostringstream out;
  FakeTerminal terminal;
  Console console{in, out, terminal};
};

std::vector<std::string> args_for(const std::string& tipo_bascula, const std::string& coluna_bascula) {
  return {"raw.txt", "serie.txt", "nenhum", tipo_bascula, ";", "s", "00:05:00", "0.2",
          "1",       "2",         "1",      "2",          "3", coluna_bascula, "DD/MM/YYYY"};
}

class FailingFiles : public ::testing::Test {
 protected:
  FailingFiles() : cwd_(dir_.path()), env_(default_env()) {
    dir_.write("raw.txt", crlf_lines({"Data;Hora;Chuva;Bascula", "01/02/2005;10:00;0.2;1", "01/02/2005;10:05;0.4;2",
                                      "01/02/2005;10:10;0.0;0"}));
  }
  int run(const std::vector<std::string>& args) { return run_ajusta_leituras(args, io_.console, env_); }
  std::string console() const { return io_.out.str(); }

  ScratchDir dir_;
  ScopedCurrentDir cwd_;
  FaultEnv env_;
  InProcess io_;
};

TEST_F(FailingFiles, FailedWriteOfTheFirstVersionIsReportedNotSuccess) {
  env_.fail_writes_after("serie.txt", 10);
  EXPECT_EQ(run(args_for("intervalo", "4")), 1);
  EXPECT_EQ(console(), "Erro: nao foi possivel gravar o arquivo de saida.\n");
}

TEST_F(FailingFiles, FailedWriteDuringTipCountingIsReportedAndKeepsTheWorkFile) {
  // Twenty records: the first version takes 477 bytes, the counted one 503.
  std::vector<std::string> raw = {"Data;Hora;Chuva"};
  std::vector<std::string> first = {"Hora Data Chuva"};
  for (int i = 10; i < 30; ++i) {
    raw.push_back("01/02/2005;10:" + std::to_string(i) + ";0");
    first.push_back("10:" + std::to_string(i) + " 01/02/2005 0.00");
  }
  dir_.write("raw.txt", crlf_lines(raw));
  env_.fail_writes_after("serie.txt", 490);
  EXPECT_EQ(run(args_for("nenhum", "0")), 1);
  EXPECT_EQ(console(), "Erro: nao foi possivel gravar o arquivo de saida.\n");
  EXPECT_EQ(dir_.read("serie.txt.pvx"), crlf_lines(first));
}

TEST_F(FailingFiles, RenameThatFailsWithoutAStaleFileIsReported) {
  // Read through a link, the input might not be read twice alike, so the run
  // takes the stages that move the series to its work file.
  std::filesystem::create_symlink("raw.txt", dir_.file("link.txt"));
  env_.fail_rename();
  std::vector<std::string> args = args_for("nenhum", "0");
  args[0] = "link.txt";
  EXPECT_EQ(run(args), 1);
  EXPECT_EQ(console(), "Erro: nao foi possivel renomear o arquivo de saida para serie.txt.pvx.\n");
  // A failed run leaves no series where there was none.
  EXPECT_FALSE(dir_.exists("serie.txt"));
  EXPECT_FALSE(dir_.exists("serie.txt.tmp"));
  EXPECT_FALSE(dir_.exists("serie.txt.pvx"));
}

TEST_F(FailingFiles, OutputThatCannotBeCreatedIsReported) {
  env_.fail_create("serie.txt");
  EXPECT_EQ(run(args_for("intervalo", "4")), 1);
  EXPECT_EQ(console(), "Erro: nao foi possivel gerar o arquivo de saida.\n");
}

TEST_F(FailingFiles, InputThatCannotBeOpenedIsReportedBeforeAnythingIsCreated) {
  env_.fail_open_read("raw.txt");
  EXPECT_EQ(run(args_for("intervalo", "4")), 1);
  EXPECT_EQ(console(), "Erro: nao foi possivel abrir o arquivo de entrada.\n");
  EXPECT_FALSE(dir_.exists("serie.txt"));
}

TEST(CommandLine, WholeNumbersAcceptBasePrefixesAndBlanks) {
  std::vector<std::string> args = args_for("nenhum", "0");
  args[7] = " -2.5E-1";
  args[8] = "$10";
  args[9] = "%11";
  args[10] = "&7";
  args[11] = "0x1F";
  args[12] = "\t-3";
  args[13] = "+4";
  ParametrosDoAjuste p = le_linha_de_comando(args);
  EXPECT_DOUBLE_EQ(p.CAPACIDADE_BASCULA, -0.25);
  EXPECT_EQ(p.LINHA_CABECALHO, 16);
  EXPECT_EQ(p.LINHA_PRIMEIRO_DADO, 3);
  EXPECT_EQ(p.COLUNA_DATA, 7);
  EXPECT_EQ(p.COLUNA_HORA, 31);
  EXPECT_EQ(p.COLUNA_ACUMULO, -3);
  EXPECT_EQ(p.COLUNA_BASCULA, 4);
}

TEST(CommandLine, LongTextArgumentsAreCutTo255) {
  std::vector<std::string> args = args_for("nenhum", "0");
  args[1] = std::string(300, 's');
  args[14] = std::string(300, 'D');
  ParametrosDoAjuste p = le_linha_de_comando(args);
  EXPECT_EQ(p.ENDERECO_SAIDA, std::string(255, 's'));
  EXPECT_EQ(p.MASCARA.size(), 255u);
}

TEST(CommandLine, SixteenBitLimitsAreAcceptedAndOneBeyondIsNot) {
  std::vector<std::string> args = args_for("nenhum", "0");
  args[8] = "32767";
  args[9] = "-32768";
  ParametrosDoAjuste p = le_linha_de_comando(args);
  EXPECT_EQ(p.LINHA_CABECALHO, 32767);
  EXPECT_EQ(p.LINHA_PRIMEIRO_DADO, -32768);
  args[9] = "-32769";
  testing::ExpectFailure([&] { le_linha_de_comando(args); });
}

// The line a dialogue ends with, and the number of questions it asked.
std::pair<std::string, long> dialogue_stop(const std::string& answers) {
  InProcess io;
  io.in.str(answers);
  const Failure f = testing::ExpectFailure([&] { dialogo(io.console); });
  const std::string shown = io.out.str();
  return {f.line(), std::count(shown.begin(), shown.end(), '>')};
}

TEST(Dialogue, AnAnswerThatIsNotANumberEndsTheDialogueAtOnce) {
  EXPECT_EQ(dialogue_stop("raw.txt\nserie.txt\n40000\nnot asked\n"),
            std::make_pair(std::string("Erro: o valor digitado deve estar entre -32768 e 32767."), 3L));
  EXPECT_EQ(dialogue_stop("raw.txt\nserie.txt\n0\ndois\n"),
            std::make_pair(std::string("Erro: o valor digitado nao e um numero."), 4L));
  EXPECT_EQ(dialogue_stop("raw.txt\n"), std::make_pair(std::string("Erro: fim da entrada antes da resposta."), 3L));
}

}  // namespace
}  // namespace rain::formatter
