// Rastreia_Picos run in-process over a file system that fails on purpose, and
// over a fake console.
#include "maxima/rastreia_picos.h"

#include <gtest/gtest.h>

#include <map>
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

// A readable file that reports a read error once `limite` bytes have been read.
class LeituraFalha final : public ReadableFile {
 public:
  LeituraFalha(std::unique_ptr<ReadableFile> base, std::size_t limite) : base_(std::move(base)), resta_(limite) {}
  std::size_t read(char* buffer, std::size_t n) override {
    if (resta_ == 0) {
      falhou_ = true;
      return 0;
    }
    std::size_t lido = base_->read(buffer, std::min(n, resta_));
    resta_ -= lido;
    return lido;
  }
  bool failed() const override { return falhou_; }

 private:
  std::unique_ptr<ReadableFile> base_;
  std::size_t resta_;
  bool falhou_ = false;
};

// Adds to FaultEnv what a run needs past its first checks: the N-th opening
// of a file failing, appends failing while creation works, reads failing.
class EnvFalho : public FaultEnv {
 public:
  EnvFalho() : FaultEnv(default_env()) {}
  std::unique_ptr<ReadableFile> open_read(const std::string& path) override {
    if (++aberturas_[path] == abertura_que_falha[path]) return nullptr;
    auto file = FaultEnv::open_read(path);
    if (file && leitura_ate.count(path)) return std::make_unique<LeituraFalha>(std::move(file), leitura_ate[path]);
    return file;
  }
  std::unique_ptr<WritableFile> open_append(const std::string& path) override {
    if (path == append_falha) return nullptr;
    return FaultEnv::open_append(path);
  }

  std::map<std::string, int> abertura_que_falha;
  std::map<std::string, std::size_t> leitura_ate;
  std::string append_falha;

 private:
  std::map<std::string, int> aberturas_;
};

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
  void espera_falha(EnvFalho& env, const std::string& mensagem) {
    EXPECT_EQ(roda(env), 1);
    EXPECT_EQ(out.str(), mensagem + "\n");
    EXPECT_EQ(dir.list(), std::vector<std::string>{"s.txt"}) << "no work file, no partial report";
  }

  ScratchDir dir;
  ScopedCurrentDir cwd;
  std::ostringstream out;
  FakeTerminal terminal;
};

TEST_F(MaximaInProcess, AReportThatCannotBeCreatedLeavesNoWorkFile) {
  EnvFalho env;
  env.fail_create("r.txt");
  espera_falha(env, "Erro: nao foi possivel criar o arquivo de saida.");
}

TEST_F(MaximaInProcess, AFailedRunNeverRemovesAReportThatWasThereBefore) {
  dir.write("r.txt", "older report\r\n");
  EnvFalho env;
  env.fail_writes_after("r.txt", 10);
  EXPECT_EQ(roda(env), 1);
  EXPECT_EQ(out.str(), "Erro: nao foi possivel gravar o arquivo de saida.\n");
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"r.txt", "s.txt"}));
}

TEST_F(MaximaInProcess, AReportThatCannotBeReopenedForAppendingIsAnError) {
  EnvFalho env;
  env.append_falha = "r.txt";
  espera_falha(env, "Erro: nao foi possivel gravar o arquivo de saida.");
}

TEST_F(MaximaInProcess, FailedWritesToTheReportAreAnError) {
  for (std::size_t limite : {10u, 500u, 2000u}) {
    EnvFalho env;
    env.fail_writes_after("r.txt", limite);
    out.str("");
    espera_falha(env, "Erro: nao foi possivel gravar o arquivo de saida.");
  }
}

TEST_F(MaximaInProcess, FailedWritesToTheWorkFileAreAnError) {
  EnvFalho env;
  env.fail_writes_after("buffer_pesquisa.pvx", 100);
  espera_falha(env, "Erro: nao foi possivel gravar um arquivo interno do Pluvianex.");
}

TEST_F(MaximaInProcess, ASeriesThatCannotBeReopenedForAColumnIsAnError) {
  // Opened for the header, for the copy, then once per column.
  for (int abertura : {2, 3, 4}) {
    EnvFalho env;
    env.abertura_que_falha["s.txt"] = abertura;
    out.str("");
    espera_falha(env, "Erro: nao foi possivel ler o arquivo de entrada.");
  }
}

TEST_F(MaximaInProcess, AWorkFileThatCannotBeReopenedIsAnError) {
  EnvFalho env;
  env.abertura_que_falha["buffer_pesquisa.pvx"] = 2;
  espera_falha(env, "Erro: nao foi possivel ler um arquivo interno do Pluvianex.");
}

TEST_F(MaximaInProcess, AReadErrorIsNeverTakenForTheEndOfTheSeries) {
  for (const char* arquivo : {"s.txt", "buffer_pesquisa.pvx"}) {
    EnvFalho env;
    env.leitura_ate[arquivo] = 200;
    out.str("");
    EXPECT_EQ(roda(env), 1) << arquivo;
    EXPECT_EQ(out.str().rfind("Erro: nao foi possivel ler ", 0), 0u) << out.str();
    EXPECT_EQ(dir.list(), std::vector<std::string>{"s.txt"});
  }
}

TEST_F(MaximaInProcess, OnlyTheDialogueClearsTheConsoleAndWaitsForAKey) {
  EnvFalho env;
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
