// Rastreia_Picos end to end: the ways to start it, the dialogue, the failure
// messages, and the refusals that protect the series.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/e2e/maxima_report.h"

namespace rain::testing::maxima {
namespace {

const std::string kSerie = serie({"10:00:00 01/02/05 0.20 1", "10:05:00 01/02/05 0.60 2"});
const Linhas kFiguras = periodo("", "", "0.60", "0.40", {"01/02/05 10:05:00"});

class MaximaEntry : public ::testing::Test {
 protected:
  MaximaEntry() { dir.write("s.txt", kSerie); }
  RunResult roda(const Linhas& args, const std::string& entrada = "") {
    return run_program("Rastreia_Picos", args, dir.path(), entrada);
  }
  ScratchDir dir;
};

TEST_F(MaximaEntry, AWrongParameterCountPrintsTheUsageAndTouchesNothing) {
  const std::string uso = console_text(
      "Utilizacao do programa com parametros por linha de comando:\n"
      "Rastreia_Picos <arquivo de entrada> <arquivo de saida> <modo>\n"
      "<hora de inicio/referencia> <hora de termino> <data de inicio>\n"
      "<data de termino> <precisao>\n"
      "\n"
      "Os caminhos dos arquivos podem ser absolutos ou relativos a pasta atual.\n");
  for (const Linhas& args : {Linhas{"s.txt", "r.txt", "total", "0", "0"},
                             Linhas{"s.txt", "r.txt", "total", "0", "0", "0", "0", "0.2", "nome", "extra"}}) {
    RunResult r = roda(args);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.console, uso);
    EXPECT_EQ(dir.list(), Linhas{"s.txt"});
  }
}

TEST_F(MaximaEntry, APrecisionWithADecimalCommaIsRefused) {
  RunResult r = roda({"s.txt", "r.txt", "total", "0", "0", "0", "0", "0,2"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro nos parametros de entrada.\n"));
  EXPECT_EQ(dir.list(), Linhas{"s.txt"});
}

TEST_F(MaximaEntry, TheNinthParameterNamesTheSeriesInTheTitle) {
  ASSERT_EQ(roda({"s.txt", "r.txt", "total", "0", "0", "0", "0", "0.2", "Posto 12"}).exit_code, 0);
  EXPECT_EQ(dir.read("r.txt"), relatorio({abertura("Posto 12", "total"), coluna(4, "Basculacao"), kFiguras}));
}

TEST_F(MaximaEntry, AnExistingReportIsReplaced) {
  dir.write("r.txt", "old report that is much longer than the new one would be, to see it truncated\r\n");
  ASSERT_EQ(roda({"s.txt", "r.txt", "total", "0", "0", "0", "0", "0.2"}).exit_code, 0);
  EXPECT_EQ(dir.read("r.txt"), relatorio({abertura("s.txt", "total"), coluna(4, "Basculacao"), kFiguras}));
}

TEST_F(MaximaEntry, EachFailureWritesItsOneLineAndLeavesNoWorkFile) {
  struct Caso {
    Linhas args;
    std::string mensagem;
  };
  const Caso casos[] = {
      {{"s.txt", "r.txt", "anual", "0", "0", "0", "0", "0.2"}, "Erro: modo invalido."},
      {{"falta.txt", "r.txt", "total", "0", "0", "0", "0", "0.2"},
       "Erro: nao foi possivel abrir o arquivo de entrada."},
      {{"s.txt", "nada/r.txt", "total", "0", "0", "0", "0", "0.2"}, "Erro: nao foi possivel criar o arquivo de saida."},
      {{"s.txt", "./s.txt", "total", "0", "0", "0", "0", "0.2"},
       "Erro: o arquivo de saida e o proprio arquivo de entrada."},
      {{"s.txt", "buffer_pesquisa.pvx", "total", "0", "0", "0", "0", "0.2"},
       "Erro: o arquivo de saida nao pode ser o arquivo interno buffer_pesquisa.pvx."},
      {{"s.txt", "../" + dir.path().substr(dir.path().rfind('/') + 1) + "/buffer_pesquisa.pvx", "total", "0", "0", "0",
        "0", "0.2"},
       "Erro: o arquivo de saida nao pode ser o arquivo interno buffer_pesquisa.pvx."},
  };
  for (const Caso& caso : casos) {
    RunResult r = roda(caso.args);
    EXPECT_EQ(r.exit_code, 1) << caso.mensagem;
    EXPECT_EQ(r.console, console_text(caso.mensagem + "\n"));
    EXPECT_EQ(dir.list(), Linhas{"s.txt"}) << caso.mensagem;
    EXPECT_EQ(dir.read("s.txt"), kSerie);
  }
}

TEST_F(MaximaEntry, ASeriesNamedLikeTheWorkFileIsNotOverwritten) {
  dir.write("buffer_pesquisa.pvx", kSerie);
  RunResult r = roda({"buffer_pesquisa.pvx", "r.txt", "total", "0", "0", "0", "0", "0.2"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console,
            console_text("Erro: o arquivo de entrada nao pode ser o arquivo interno buffer_pesquisa.pvx.\n"));
  EXPECT_EQ(dir.read("buffer_pesquisa.pvx"), kSerie);
  EXPECT_FALSE(dir.exists("r.txt"));
}

TEST_F(MaximaEntry, AWorkFileThatCannotBeCreatedStopsBeforeTheReport) {
  ASSERT_TRUE(std::filesystem::create_directory(dir.file("buffer_pesquisa.pvx")));
  RunResult r = roda({"s.txt", "r.txt", "total", "0", "0", "0", "0", "0.2"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro: nao foi possivel criar um arquivo interno do Pluvianex.\n"));
  EXPECT_FALSE(dir.exists("r.txt"));
}

const std::string kPerguntasArquivos = console_text(
    "Digite o caminho e o nome do arquivo de entrada.\n>\n"
    "Digite o caminho e o nome do arquivo de saida.\n>\n"
    "Digite o modo de pesquisa. As opcoes atuais sao: total, intervalo, diario,\n"
    "mensal, bimestral, trimestral, semestral e sazonal.\n>\n");
const std::string kPerguntaPrecisao =
    console_text("Digite a precisao encontrada nos registros do arquivo de entrada.\n>\n");
const std::string kConcluido = console_text("Processo concluido! Aperte uma tecla para sair...\n");

TEST_F(MaximaEntry, DialogueForTotalAsksOnlyFilesModeAndPrecision) {
  // No key after the answers: the key wait returns at the end of input.
  RunResult r = roda({}, "s.txt\nr.txt\nTotal\n  0.2 mm\n");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, kPerguntasArquivos + kPerguntaPrecisao + kConcluido);
  EXPECT_EQ(dir.read("r.txt"), relatorio({abertura("s.txt", "Total"), coluna(4, "Basculacao"), kFiguras}));
}

TEST_F(MaximaEntry, DialogueForAPeriodicModeAsksTheReferenceHour) {
  RunResult r = roda({}, "s.txt\nr.txt\ndiario\n07:00:00\n0.2\nx");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, kPerguntasArquivos +
                           console_text("Digite a hora de referencia a ser utilizada, no formato hh/mi/ss.\n>\n") +
                           kPerguntaPrecisao + kConcluido);
  EXPECT_EQ(dir.read("r.txt"),
            relatorio({abertura("s.txt", "diario", {"Horario de referencia: 07:00:00"}), coluna(4, "Basculacao"),
                       periodo("01/02/05 10:00:00", "01/02/05 10:05:00", "0.60", "0.40", {"01/02/05 10:05:00"})}));
}

TEST_F(MaximaEntry, DialogueForIntervaloAsksStartDateHourThenEndDateHour) {
  RunResult r = roda({}, "s.txt\nr.txt\nINTERVALO\n01/02/05\n10:05:00\n02/02/05\n00:00:00\n0.2\n");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, kPerguntasArquivos +
                           console_text("Digite a data de inicio da busca, no formato dd/mm/yy.\n>\n"
                                        "Digite a hora de inicio da busca, no formato hh/mi/ss.\n>\n"
                                        "Digite a data de termino da busca, no formato dd/mm/yy.\n>\n"
                                        "Digite a hora de termino da busca, no formato hh/mi/ss.\n>\n") +
                           kPerguntaPrecisao + kConcluido);
  EXPECT_EQ(dir.read("r.txt"),
            relatorio({abertura("s.txt", "INTERVALO", {"Inicio: 01/02/05 10:05:00", "Fim: 02/02/05 00:00:00"}),
                       coluna(4, "Basculacao"), periodo("", "", "0.40", "0.40", {"01/02/05 10:05:00"})}));
}

TEST_F(MaximaEntry, DialoguePrecisionThatIsNotANumberIsRefusedBeforeAnyFile) {
  for (const char* resposta : {"s.txt\nr.txt\ntotal\n0,2\n", "s.txt\nr.txt\ntotal\n"}) {
    RunResult r = roda({}, resposta);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.console, kPerguntasArquivos + kPerguntaPrecisao + console_text("Erro nos parametros de entrada.\n"));
    EXPECT_EQ(dir.list(), Linhas{"s.txt"});
  }
}

TEST_F(MaximaEntry, DialogueRefusesAnUnknownModeWhenItIsTyped) {
  RunResult r = roda({}, "s.txt\nr.txt\nanual\n07:00:00\n0.2\n");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, kPerguntasArquivos + console_text("Erro: modo invalido.\n"));
  EXPECT_NE(r.errors.find("\"anual\" nao e um dos modos total, intervalo, diario,"), std::string::npos);
  EXPECT_EQ(dir.list(), Linhas{"s.txt"});
}

TEST_F(MaximaEntry, DialoguePathLongerThan255CharactersIsRefusedNotCut) {
  // Cut, the answer would name this other file.
  const std::string nome(255, 'a');
  dir.write(nome, kSerie);
  RunResult r = roda({}, nome + "bbbbbbbbbb\nr.txt\ntotal\n0.2\n");
  EXPECT_EQ(r.exit_code, 1);
  const std::string linha = console_text("Erro: o caminho dado para o arquivo de entrada tem mais de 255 caracteres.\n");
  EXPECT_EQ(r.console.substr(r.console.size() - std::min(r.console.size(), linha.size())), linha);
  EXPECT_EQ(dir.list(), (Linhas{nome, "s.txt"}));
}

TEST_F(MaximaEntry, APrecisionOfZeroOrLessAndAnHourOrDateThatIsNoneAreRefusedBeforeAnyFile) {
  for (const Linhas& args : {Linhas{"s.txt", "r.txt", "total", "0", "0", "0", "0", "0"},
                             Linhas{"s.txt", "r.txt", "total", "0", "0", "0", "0", "-0.2"},
                             Linhas{"s.txt", "r.txt", "diario", "25:00", "0", "0", "0", "0.2"},
                             Linhas{"s.txt", "r.txt", "mensal", "7h", "0", "0", "0", "0.2"},
                             Linhas{"s.txt", "r.txt", "intervalo", "10:00", "0", "32/01/05", "02/02/05", "0.2"},
                             Linhas{"s.txt", "r.txt", "intervalo", "10:00", "0", "01/02/05", "0", "0.2"}}) {
    RunResult r = roda(args);
    EXPECT_EQ(r.exit_code, 1) << args[3];
    EXPECT_EQ(r.console, console_text("Erro nos parametros de entrada.\n"));
    EXPECT_EQ(dir.list(), Linhas{"s.txt"});
  }
  EXPECT_NE(roda({"s.txt", "r.txt", "diario", "25:00", "0", "0", "0", "0.2"})
                .errors.find("hora de referencia: \"25:00\" nao e uma hora"),
            std::string::npos);
}

TEST_F(MaximaEntry, TypedHoursAndDatesAreTheClockTimesAndDatesTheyMean) {
  // Three days of records at 06:00 and 08:00: with 7:00 every day is a period
  // of its own, exactly as with 07:00:00.
  dir.write("s.txt", serie({"06:00:00 01/02/05 0.20 1", "08:00:00 01/02/05 0.40 1", "06:00:00 02/02/05 0.60 1",
                            "08:00:00 02/02/05 0.80 1", "06:00:00 03/02/05 1.00 1", "08:00:00 03/02/05 1.20 1"}));
  ASSERT_EQ(roda({"s.txt", "fixo.txt", "diario", "07:00:00", "0", "0", "0", "0.2"}).exit_code, 0);
  ASSERT_EQ(roda({"s.txt", "digitado.txt", "diario", "7:00", "0", "0", "0", "0.2"}).exit_code, 0);
  std::string fixo = dir.read("fixo.txt");
  fixo.replace(fixo.find("07:00:00"), 8, "7:00");
  EXPECT_EQ(dir.read("digitado.txt"), fixo);
  std::size_t periodos = 0;
  for (std::size_t at = 0; (at = fixo.find("\nDe ", at)) != std::string::npos; ++at) ++periodos;
  EXPECT_EQ(periodos, 4u);

  ASSERT_EQ(roda({"s.txt", "r.txt", "intervalo", "8:00", "6", "1/2/2005", "3-2-05", "0.2"}).exit_code, 0);
  EXPECT_EQ(dir.read("r.txt"),
            relatorio({abertura("s.txt", "intervalo", {"Inicio: 1/2/2005 8:00", "Fim: 3-2-05 6"}),
                       coluna(4, "Basculacao"),
                       periodo("", "", "0.60", "0.20",
                               {"01/02/05 08:00:00", "02/02/05 06:00:00", "02/02/05 08:00:00"})}));
}

}  // namespace
}  // namespace rain::testing::maxima
