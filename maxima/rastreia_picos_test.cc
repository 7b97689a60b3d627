// Rastreia_Picos run in-process over a file system that fails on purpose, and
// over a fake console.
#include "maxima/rastreia_picos.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/e2e.h"
#include "tests/support/fake_terminal.h"
#include "tests/support/fault_env.h"

namespace rain::maxima {
namespace {

using testing::FakeTerminal;
using testing::FaultEnv;
using testing::ScopedCurrentDir;
using testing::ScratchDir;

const std::vector<std::string> kArgs{"s.txt", "r.txt", "diario", "07:00:00", "0", "0", "0", "0.2"};

class MaximaInProcess : public ::testing::Test {
 protected:
  MaximaInProcess() : cwd(dir.path()) {
    std::string serie = "Hora Data Acumulo B1 B2\r\n";
    for (int dia = 10; dia < 28; ++dia) serie += "08:00:00 " + std::to_string(dia) + "/03/05 0.00 1 2\r\n";
    dir.write("s.txt", serie);
  }
  int roda(Env& env, const std::vector<std::string>& args = kArgs, const std::string& entrada = "") {
    std::istringstream in(entrada);
    Console console(in, out, terminal);
    return run_rastreia_picos(args, console, env);
  }
  void espera_falha(FaultEnv& env, const std::string& mensagem) {
    EXPECT_EQ(roda(env), 1);
    EXPECT_EQ(out.str(), mensagem + "\n");
    EXPECT_EQ(dir.list(), std::vector<std::string>{"s.txt"}) << "no work file, no partial report";
  }

  ScratchDir dir;
  ScopedCurrentDir cwd;
  std::ostringstream out;
  FakeTerminal terminal;
};

// A report that cannot be created (its folder is missing) is pinned end to
// end, with the work file gone (maxima_entry_test.cc).

TEST_F(MaximaInProcess, AFailedRunNeverRemovesAReportThatWasThereBefore) {
  dir.write("r.txt", "older report\r\n");
  FaultEnv env(default_env());
  env.fail_writes_after("r.txt", 10);
  EXPECT_EQ(roda(env), 1);
  EXPECT_EQ(out.str(), "Erro: nao foi possivel gravar o arquivo de saida.\n");
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"r.txt", "s.txt"}));
}

TEST_F(MaximaInProcess, FailedWritesToTheReportAreAnError) {
  for (std::size_t limite : {10u, 500u, 2000u}) {
    FaultEnv env(default_env());
    env.fail_writes_after("r.txt", limite);
    out.str("");
    espera_falha(env, "Erro: nao foi possivel gravar o arquivo de saida.");
  }
}

TEST_F(MaximaInProcess, FailedWritesToTheWorkFileAreAnError) {
  FaultEnv env(default_env());
  env.fail_writes_after("buffer_pesquisa.pvx", 100);
  espera_falha(env, "Erro: nao foi possivel gravar um arquivo interno do Pluvianex.");
}

TEST_F(MaximaInProcess, AWorkFileThatCannotBeReopenedIsAnError) {
  // The series is read once, into the work file; the header, the walk and the
  // re-reading of each period open the work file.
  for (int abertura : {1, 2, 3}) {
    FaultEnv env(default_env());
    env.fail_nth_open_read("buffer_pesquisa.pvx", abertura);
    out.str("");
    espera_falha(env, "Erro: nao foi possivel ler um arquivo interno do Pluvianex.");
  }
}

TEST_F(MaximaInProcess, AReadErrorIsNeverTakenForTheEndOfTheSeries) {
  for (const char* arquivo : {"s.txt", "buffer_pesquisa.pvx"}) {
    FaultEnv env(default_env());
    env.fail_reads_after(arquivo, 200);
    out.str("");
    EXPECT_EQ(roda(env), 1) << arquivo;
    EXPECT_EQ(out.str().rfind("Erro: nao foi possivel ler ", 0), 0u) << out.str();
    EXPECT_EQ(dir.list(), std::vector<std::string>{"s.txt"});
  }
}

TEST_F(MaximaInProcess, OnlyTheDialogueClearsTheConsoleAndWaitsForAKey) {
  FaultEnv env(default_env());
  ASSERT_EQ(roda(env), 0);
  EXPECT_EQ(terminal.clears, 0);
  EXPECT_EQ(terminal.key_waits, 0);

  terminal.interactive = true;
  ASSERT_EQ(roda(env, {}, "s.txt\nr.txt\ntotal\n0.2\n"), 0);
  EXPECT_EQ(terminal.clears, 1);
  EXPECT_EQ(terminal.key_waits, 1);
}

}  // namespace
}  // namespace rain::maxima
