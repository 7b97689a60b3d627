// Fatia_Chuvadas end to end: the usage text, the durations and the dialogue.
#include <gtest/gtest.h>

#include "tests/e2e/events_series.h"
#include "tests/support/e2e.h"

namespace rain::testing {
namespace {

using events::evento;
using events::kExemplo;
using events::registros;
using events::serie;
using events::trecho;

const std::string kUtilizacao =
    "Utilizacao do programa com parametros por linha de comando:\n"
    "Fatia_Chuvadas <arquivo de entrada> <arquivo de saida> <intervalo para\n"
    "interrupcao> <evento minimo> <precisao> <intervalo de discretizacao>\n"
    "\n"
    "Os caminhos dos arquivos podem ser absolutos ou relativos a pasta atual.\n"
    "Por favor, nao insira a extensao no nome de seu arquivo.\n";

const std::string kPerguntaEntrada = "Digite o caminho e o nome do arquivo de entrada.\n>\n";
const std::string kPerguntaSaida = "Digite o caminho e o nome do arquivo de saida, sem extensao.\n>\n";
const std::string kPerguntaLimite = "Digite o valor do limite de tempo para uma interrupcao, no formato hh:mm:ss.\n>\n";
const std::string kPerguntaMinimo =
    "Digite seu limite minimo de chuva, em milimetros, que deve haver em um intervalo\n"
    "de tempo para ele ser considerado um evento.\n>\n";
const std::string kPerguntaPrecisao = "Digite a precisao encontrada nos registros do arquivo de entrada.\n>\n";
const std::string kPerguntaIntervalo = "Digite o valor do intervalo usado na discretizacao, no formato hh:mi:ss.\n>\n";
const std::string kPerguntas =
    kPerguntaEntrada + kPerguntaSaida + kPerguntaLimite + kPerguntaMinimo + kPerguntaPrecisao + kPerguntaIntervalo;
const std::string kConclusao = "Processo concluido! Aperte uma tecla para sair...\n";

RunResult fatia(const ScratchDir& dir, const std::vector<std::string>& args, const std::string& entrada = "") {
  return run_program("Fatia_Chuvadas", args, dir.path(), entrada);
}

TEST(FatiaChuvadasEntry, WrongNumberOfParametersShowsTheUsageAndTouchesNothing) {
  for (std::size_t n : {1u, 5u, 7u}) {
    ScratchDir dir;
    dir.write("serie.txt", serie(kExemplo));
    std::vector<std::string> args{"serie.txt", "ev", "00:15:00", "0", "0.2", "00:05:00", "x"};
    args.resize(n);
    RunResult r = fatia(dir, args);
    EXPECT_EQ(r.exit_code, 1) << n;
    EXPECT_EQ(r.console, console_text(kUtilizacao)) << n;
    EXPECT_EQ(dir.list(), std::vector<std::string>{"serie.txt"}) << n;
  }
}

TEST(FatiaChuvadasEntry, DurationsAreCheckedBeforeTheSeriesIsOpened) {
  struct Caso {
    std::string limite, intervalo, mensagem;
  };
  const std::vector<Caso> casos{
      {"00:15:00", "00:00:00", "Erro: intervalo invalido.\n"},
      {"00:15:00", "", "Erro: intervalo invalido.\n"},
      {"00:15:00", "cinco", "Erro: intervalo invalido.\n"},
      {"00:20:00", "00:-15:00", "Erro: intervalo invalido.\n"},
      {"xx", "00:00:00", "Erro: intervalo invalido.\n"},
      {"00:20:00", "00:15:00", "Erro: periodo invalido para o intervalo utilizado.\n"},
      {"00:05:00", "00:15:00", "Erro: periodo invalido para o intervalo utilizado.\n"},
      {"00:00:00", "00:05:00", "Erro: periodo invalido para o intervalo utilizado.\n"},
  };
  for (const Caso& c : casos) {
    ScratchDir dir;  // no series: the durations fail first
    RunResult r = fatia(dir, {"serie.txt", "ev", c.limite, "0", "0.2", c.intervalo});
    EXPECT_EQ(r.exit_code, 1) << c.limite << " " << c.intervalo;
    EXPECT_EQ(r.console, console_text(c.mensagem)) << c.limite << " " << c.intervalo;
  }
}

TEST(FatiaChuvadasEntry, DurationsInOtherWritingsGiveTheSameWindow) {
  // 1h30 over the series' 5 minutes: a window of 18 records, whatever the
  // writing.
  for (const char* limite : {"01:30:00", "1h30m00s", "01 30 00", "1:30", "00:90:00"}) {
    ScratchDir dir;
    dir.write("serie.txt", serie({1, 0, 0, 1, 0, 0, 0}));
    RunResult r = fatia(dir, {"serie.txt", "ev", limite, "0", "0.2", "0h05m"});
    EXPECT_EQ(r.exit_code, 0) << limite;
    EXPECT_EQ(dir.list(), (std::vector<std::string>{"ev_Parte1_01-02-05_10h00_a_01-02-05_10h15.txt", "serie.txt"}))
        << limite;
  }
}

TEST(FatiaChuvadasEntry, DialogueAsksSixQuestionsThenClosesWhenTheSeriesEndsAfterAnEvent) {
  ScratchDir dir;
  dir.write("serie.txt", serie(kExemplo));
  RunResult r = fatia(dir, {}, "serie.txt\nev\n00:15:00\n0\n0.2\n00:05:00\n");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, console_text(kPerguntas + kConclusao));
  // The files, byte for byte, are those of the command line (events_cutting_test.cc).
  EXPECT_EQ(dir.list().size(), 3u);
}

TEST(FatiaChuvadasEntry, DialogueEndsWithoutClosingWhenTheSeriesEndsDuringTheSearch) {
  ScratchDir dir;
  std::vector<int> tips = kExemplo;
  tips.push_back(0);
  dir.write("serie.txt", serie(tips));
  RunResult r = fatia(dir, {}, "serie.txt\nev\n00:15:00\n0\n0.2\n00:05:00\n");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, console_text(kPerguntas));
  EXPECT_EQ(dir.list().size(), 3u);
}

TEST(FatiaChuvadasEntry, DialogueClosesAfterAnEmptySeriesAndAfterAnEndOfFileMark) {
  for (const std::string& conteudo :
       {std::string(), serie({0}).substr(0, 30), serie({1, 0}) + "\x1a" + "10:10:00 01/02/05 0.40 1\r\n"}) {
    ScratchDir dir;
    dir.write("serie.txt", conteudo);
    RunResult r = fatia(dir, {}, "serie.txt\nev\n00:05:00\n0\n0.2\n00:05:00\n");
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.console, console_text(kPerguntas + kConclusao));
    EXPECT_LE(dir.list().size(), 2u);
  }
}

TEST(FatiaChuvadasEntry, NumberAnswersSkipBlankLinesAndDropTheRestOfTheLine) {
  ScratchDir dir;
  dir.write("serie.txt", serie({2, 0, 3, 0}));
  // Minimum 0.5 mm at 0.25 mm per tip: only the 3-tip event is kept.
  RunResult r = fatia(dir, {}, "serie.txt\nev\n00:05:00\n\n   \n 0.5 mm\n0.25 por basculada\n00:05:00\n");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, console_text(kPerguntas + kConclusao));
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"ev_Parte1_01-02-05_10h10_a_01-02-05_10h10.txt", "serie.txt"}));
}

TEST(FatiaChuvadasEntry, DialogueNumberThatIsNotANumberStopsWithoutFurtherQuestions) {
  ScratchDir dir;
  dir.write("serie.txt", serie(kExemplo));
  RunResult r = fatia(dir, {}, "serie.txt\nev\n00:15:00\n0,5\n0.2\n00:05:00\n");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text(kPerguntaEntrada + kPerguntaSaida + kPerguntaLimite + kPerguntaMinimo +
                                    "Erro: o valor digitado nao e um numero.\n"));
  EXPECT_EQ(dir.list(), std::vector<std::string>{"serie.txt"});
}

TEST(FatiaChuvadasEntry, DialoguePrecisionOfZeroOrLessStops) {
  ScratchDir dir;
  dir.write("serie.txt", serie(kExemplo));
  RunResult r = fatia(dir, {}, "serie.txt\nev\n00:15:00\n0\n-0.2\n00:05:00\n");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text(kPerguntaEntrada + kPerguntaSaida + kPerguntaLimite + kPerguntaMinimo +
                                    kPerguntaPrecisao + "Erro: a precisao deve ser maior que zero.\n"));
  EXPECT_EQ(dir.list(), std::vector<std::string>{"serie.txt"});
}

TEST(FatiaChuvadasEntry, DialogueInputEndingBeforeANumberStops) {
  ScratchDir dir;
  dir.write("serie.txt", serie(kExemplo));
  RunResult r = fatia(dir, {}, "serie.txt\nev\n00:15:00\n0\n");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text(kPerguntaEntrada + kPerguntaSaida + kPerguntaLimite + kPerguntaMinimo +
                                    kPerguntaPrecisao + "Erro: fim da entrada antes da resposta.\n"));
  EXPECT_EQ(dir.list(), std::vector<std::string>{"serie.txt"});
}

TEST(FatiaChuvadasEntry, DialogueDurationsAreCheckedAfterTheLastQuestion) {
  ScratchDir dir;
  dir.write("serie.txt", serie(kExemplo));
  RunResult r = fatia(dir, {}, "serie.txt\nev\n00:20:00\n0\n0.2\n00:15:00\n");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text(kPerguntas + "Erro: periodo invalido para o intervalo utilizado.\n"));
  EXPECT_EQ(dir.list(), std::vector<std::string>{"serie.txt"});
}

}  // namespace
}  // namespace rain::testing
