// Fatia_Chuvadas end to end: where event files go, and what happens when one
// cannot be put there.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/e2e/events_series.h"
#include "tests/support/e2e.h"

namespace rain::testing {
namespace {

using events::evento;
using events::kExemplo;
using events::registros;
using events::serie;
using events::trecho;

const std::string kPrimeiro = "ev_Parte1_01-02-05_10h10_a_01-02-05_10h20.txt";
const std::string kSegundo = "ev_Parte2_01-02-05_10h45_a_01-02-05_10h45.txt";
const std::string kPrompts =
    "Digite o caminho e o nome do arquivo de entrada.\n>\n"
    "Digite o caminho e o nome do arquivo de saida, sem extensao.\n>\n"
    "Digite o valor do limite de tempo para uma interrupcao, no formato hh:mm:ss.\n>\n"
    "Digite seu limite minimo de chuva, em milimetros, que deve haver em um intervalo\n"
    "de tempo para ele ser considerado um evento.\n>\n"
    "Digite a precisao encontrada nos registros do arquivo de entrada.\n>\n"
    "Digite o valor do intervalo usado na discretizacao, no formato hh:mi:ss.\n>\n";

RunResult fatia(const ScratchDir& dir, const std::string& saida) {
  return run_program("Fatia_Chuvadas", {"serie.txt", saida, "00:15:00", "0", "0.2", "00:05:00"}, dir.path());
}

TEST(FatiaChuvadasFiles, EventsGoIntoTheOutputNamesDirectory) {
  ScratchDir dir;
  dir.write("serie.txt", serie(kExemplo));
  ASSERT_EQ(::mkdir(dir.file("eventos").c_str(), 0755), 0);
  RunResult r = fatia(dir, "eventos/ev");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"eventos", "serie.txt"}));
  const auto linhas = registros(kExemplo);
  EXPECT_EQ(dir.read("eventos/" + kPrimeiro), evento(trecho(linhas, 3, 5)));
  EXPECT_EQ(dir.read("eventos/" + kSegundo), evento(trecho(linhas, 10, 10)));
}

TEST(FatiaChuvadasFiles, MissingOutputDirectoryIsAnErrorAndTheEventStaysInTheWorkFile) {
  ScratchDir dir;
  dir.write("serie.txt", serie(kExemplo));
  RunResult r = fatia(dir, "nada/ev");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro: nao foi possivel mover o evento para nada/" + kPrimeiro +
                                    "; ele ficou em buffer_eventos.pvx.\n"));
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"buffer_eventos.pvx", "serie.txt"}));
  EXPECT_EQ(dir.read("buffer_eventos.pvx"), evento(trecho(registros(kExemplo), 3, 5)));
}

TEST(FatiaChuvadasFiles, SecondRunOverTheSameNamesNeverReplacesAnEventFile) {
  ScratchDir dir;
  dir.write("serie.txt", serie(kExemplo));
  ASSERT_EQ(fatia(dir, "ev").exit_code, 0);
  dir.write(kPrimeiro, "checked by hand");
  RunResult r = fatia(dir, "ev");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console,
            console_text("Erro: nao foi possivel mover o evento para " + kPrimeiro + "; ele ficou em buffer_eventos.pvx.\n"));
  EXPECT_EQ(dir.read(kPrimeiro), "checked by hand");
  EXPECT_EQ(dir.read("buffer_eventos.pvx"), evento(trecho(registros(kExemplo), 3, 5)));
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"buffer_eventos.pvx", kPrimeiro, kSegundo, "serie.txt"}));
}

TEST(FatiaChuvadasFiles, FailedMoveInTheDialogueShowsNoClosingMessage) {
  ScratchDir dir;
  dir.write("serie.txt", serie(kExemplo));
  dir.write(kPrimeiro, "older");
  RunResult r = run_program("Fatia_Chuvadas", {}, dir.path(), "serie.txt\nev\n00:15:00\n0\n0.2\n00:05:00\n");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text(kPrompts + "Erro: nao foi possivel mover o evento para " + kPrimeiro +
                                    "; ele ficou em buffer_eventos.pvx.\n"));
  EXPECT_EQ(dir.read(kPrimeiro), "older");
}

TEST(FatiaChuvadasFiles, StaleWorkFileIsWrittenOver) {
  ScratchDir dir;
  dir.write("serie.txt", serie(kExemplo));
  dir.write("buffer_eventos.pvx", std::string(5000, 'z'));
  EXPECT_EQ(fatia(dir, "ev").exit_code, 0);
  EXPECT_EQ(dir.read(kSegundo), evento(trecho(registros(kExemplo), 10, 10)));
  EXPECT_FALSE(dir.exists("buffer_eventos.pvx"));
}

TEST(FatiaChuvadasFiles, MissingSeriesIsReportedAndNothingWritten) {
  ScratchDir dir;
  RunResult r = fatia(dir, "ev");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro: nao foi possivel abrir o arquivo de entrada.\n"));
  EXPECT_TRUE(dir.list().empty());
}

}  // namespace
}  // namespace rain::testing
