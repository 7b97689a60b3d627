#include "events/fatia_chuvadas.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/e2e.h"
#include "tests/support/fake_terminal.h"

namespace rain::events {
namespace {

using testing::crlf_lines;
using testing::FakeTerminal;
using testing::ScopedCurrentDir;
using testing::ScratchDir;

// The dialogue in-process, to see the console clear and the key wait that a
// pipe cannot show.
class DialogoTest : public ::testing::Test {
 protected:
  DialogoTest() : cwd_(dir_.path()) { terminal_.interactive = true; }

  int roda(const std::string& respostas) {
    std::istringstream in(respostas);
    Console console(in, out_, terminal_);
    return run_fatia_chuvadas({}, console, default_env());
  }

  ScratchDir dir_;
  ScopedCurrentDir cwd_;
  FakeTerminal terminal_;
  std::ostringstream out_;
};

const std::string kSerieQueTerminaNoFechamento =
    crlf_lines({"Hora Data Acumulo Basculacao", "10:00:00 01/02/05 0.20 1", "10:05:00 01/02/05 0.20 0"});

TEST_F(DialogoTest, RunThatReturnsClearsOnceThenClosesWithAKeyWait) {
  dir_.write("serie.txt", kSerieQueTerminaNoFechamento);
  EXPECT_EQ(roda("serie.txt\nev\n00:05:00\n0\n0.2\n00:05:00\n"), 0);
  EXPECT_EQ(terminal_.clears, 1);
  EXPECT_EQ(terminal_.key_waits, 1);
  EXPECT_NE(out_.str().find("Processo concluido! Aperte uma tecla para sair...\n"), std::string::npos);
}

TEST_F(DialogoTest, SeriesEndingDuringTheSearchSkipsTheClosingAndTheKeyWait) {
  dir_.write("serie.txt", kSerieQueTerminaNoFechamento + crlf_lines({"10:10:00 01/02/05 0.20 0"}));
  EXPECT_EQ(roda("serie.txt\nev\n00:05:00\n0\n0.2\n00:05:00\n"), 0);
  EXPECT_EQ(terminal_.key_waits, 0);
  EXPECT_EQ(out_.str().find("Processo concluido!"), std::string::npos);
  EXPECT_TRUE(dir_.exists("ev_Parte1_01-02-05_10h00_a_01-02-05_10h00.txt"));
}

TEST_F(DialogoTest, FailedMoveEndsWithoutClosingOrKeyWait) {
  dir_.write("serie.txt", kSerieQueTerminaNoFechamento);
  dir_.write("ev_Parte1_01-02-05_10h00_a_01-02-05_10h00.txt", "older");
  EXPECT_EQ(roda("serie.txt\nev\n00:05:00\n0\n0.2\n00:05:00\n"), 1);
  EXPECT_EQ(terminal_.key_waits, 0);
  EXPECT_EQ(out_.str().find("Processo concluido!"), std::string::npos);
  EXPECT_EQ(dir_.read("ev_Parte1_01-02-05_10h00_a_01-02-05_10h00.txt"), "older");
}

}  // namespace
}  // namespace rain::events
