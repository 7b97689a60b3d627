// Ajusta_Leituras from the outside: argument count, refused numbers and the
// console dialogue.
#include <gtest/gtest.h>

#include "tests/e2e/formatter_support.h"

namespace rain::testing::formatter_e2e {
namespace {

const char* const kUsage =
    "Utilizacao do programa com parametros por linha de comando:\n"
    "Ajusta_Leituras <endereco de entrada> <endereco de saida>\n"
    "<tipo de acumulo> <tipo de bascula> <tipo de separador>\n"
    "<discretizado(S/N)?> <intervalo de discretizacao> <capacidade da bascula>\n"
    "<linha de cabecalho> <linha do primeiro dado> <coluna da data>\n"
    "<coluna da hora> <coluna do acumulo> <coluna da bascula> <mascara da data>\n"
    "\n"
    "Os caminhos dos arquivos podem ser absolutos ou relativos a pasta atual.\n"
    "\n"
    "Os parametros de 8 a 14 devem ser valores numericos\n"
    "\n"
    "A mascara da data deve seguir o modelo DD-MM-YY ou day/month/year\n";

const char* const kNotReal = "O parametro 8 deve ser numero real.\n";
const char* const kNotWhole = "Os parametros de 9 a 14 devem ser numeros inteiros.\n";
const char* const kOutOfRange = "Os parametros de 9 a 14 devem estar entre -32768 e 32767.\n";

class FormatterEntry : public FormatterE2e {
 protected:
  FormatterEntry() { dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0.2", "01/02/05;10:05;0.4"})); }
  // Nothing but the raw file: no series, no work file.
  void expect_nothing_written() { EXPECT_EQ(dir.list(), std::vector<std::string>{"raw.txt"}); }
};

TEST_F(FormatterEntry, WrongArgumentCountPrintsUsageAndConvertsNothing) {
  Argumentos a;
  std::vector<std::string> fourteen = a.lista();
  fourteen.pop_back();
  std::vector<std::string> sixteen = a.lista();
  sixteen.push_back("extra");
  for (const auto& args : {fourteen, sixteen, std::vector<std::string>{"raw.txt"}}) {
    RunResult r = run_args(args);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.console, console_text(kUsage));
  }
  expect_nothing_written();
}

TEST_F(FormatterEntry, CapacityWithDecimalCommaOrEmptyIsRefused) {
  for (const char* text : {"0,2", "", "0.2mm", "."}) {
    Argumentos a;
    a.capacidade = text;
    RunResult r = run(a);
    EXPECT_EQ(r.exit_code, 1) << text;
    EXPECT_EQ(r.console, console_text(kNotReal)) << text;
  }
  expect_nothing_written();
}

TEST_F(FormatterEntry, OnlyTheFirstInvalidWholeNumberIsReported) {
  Argumentos a;
  a.cabecalho = "1.0";
  a.coluna_data = std::string("x");
  RunResult r = run(a);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text(kNotWhole));
  expect_nothing_written();
}

TEST_F(FormatterEntry, WholeNumberBeyondSixteenBitsStopsBeforeConverting) {
  Argumentos a;
  a.cabecalho = "40000";
  RunResult r = run(a);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text(kOutOfRange));
  a.cabecalho = std::string("0");
  a.coluna_bascula = "-32769";
  r = run(a);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text(kOutOfRange));
  expect_nothing_written();
}

TEST_F(FormatterEntry, WholeNumberBeyondThirtyTwoBitsCountsAsNotANumber) {
  Argumentos a;
  a.primeiro_dado = "5000000000";
  RunResult r = run(a);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text(kNotWhole));
  expect_nothing_written();
}

TEST_F(FormatterEntry, SameDepthAndTipColumnIsRefusedWithOneLine) {
  Argumentos a;
  a.coluna_acumulo = std::string("0");
  a.coluna_bascula = std::string("0");
  RunResult r = run(a);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro: informe a coluna do acumulo ou a coluna da bascula.\n"));
  a.coluna_acumulo = std::string("3");
  a.coluna_bascula = std::string("3");
  r = run(a);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro: a coluna do acumulo e a coluna da bascula devem ser diferentes.\n"));
  expect_nothing_written();
}

TEST_F(FormatterEntry, NegativeCapacityIsRefusedWhereItMakesDepthsOrTips) {
  Argumentos a;
  a.capacidade = "-0.2";
  RunResult r = run(a);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("A capacidade da bascula deve ser maior que zero.\n"));
  // Tips copied but no rain column: the capacity makes the depths.
  a.coluna_acumulo = "0";
  a.coluna_bascula = "3";
  a.tipo_bascula = "intervalo";
  a.capacidade = "0";
  r = run(a);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("A capacidade da bascula deve ser diferente de zero.\n"));
  expect_nothing_written();
}

// The questions of the dialogue, in order, each followed by ">".
std::string question(int step) {
  switch (step) {
    case 1: return "Digite o caminho do arquivo de entrada.\n>";
    case 2: return "Digite o caminho do arquivo de saida.\n>";
    case 3:
      return "Digite em que linha se encontra o cabecalho do arquivo, se houver.\n"
             "Em caso desta nao existir, digite \"0\".\n>";
    case 4: return "Digite em que linha se encontra o primeiro dado de chuva do arquivo.\n>";
    case 5: return "Digite a mascara da data que esta sendo entrada.\n>";
    case 6: return "Digite em que coluna se encontram as datas no arquivo.\n>";
    case 7: return "Digite em que coluna se encontram as horas no arquivo.\n>";
    case 8: return "Digite em que coluna se encontram os acumulos no arquivo.\nEm caso desta nao existir, digite \"0\".\n>";
    case 9:
      return "Digite em que coluna se encontram as basculacoes no arquivo.\n"
             "Em caso desta nao existir, digite \"0\".\n>";
    case 10:
      return "Digite o tipo do acumulo no arquivo de entrada.\n"
             "As opcoes atuais sao \"nenhum\", \"total\" e \"intervalo\".\n>";
    case 11:
      return "Digite o tipo do basculacao no arquivo de entrada.\n"
             "As opcoes atuais sao \"nenhum\", \"total\" e \"intervalo\".\n>";
    case 12:
      return "Digite o caracter usado como separador de campos no arquivo.\n"
             "Esperamos como separadores \"space\", \"tab\", \";\" ou \",\".\n>";
    case 13: return "Digite \"s\" se o arquivo e discretizado ou \"n\" para nao discretizado.\n>";
    case 14:
      return "Digite o intervalo de discretizacao usado ou a ser aplicado no arquivo.\n"
             "Esse intervalo deve seguir o seguinte formato \"hh:mm:ss\". O default e \"00:01:00\".\n>";
    case 15: return "Digite a capacidade da bascula em mm de chuva.\n>";
  }
  return "";
}

std::string questions(std::initializer_list<int> steps) {
  std::string text;
  for (int step : steps) text += question(step);
  return text;
}

TEST_F(FormatterEntry, DialogueOfFifteenStepsConverts) {
  dir.write("raw.txt", crlf_lines({"Data;Hora;Chuva;Bascula", "01/02/2005;10:00;0.2;1", "01/02/2005;10:05;0.4;2"}));
  std::string answers =
      "raw.txt\nserie.txt\n1\n2\nDD/MM/YYYY\n1\n2\n3\n4\nnenhum\nINTERVALO\n;\ns\n00:05:00\n0.2\n";
  RunResult r = run_args({}, answers);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, console_text(questions({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15})));
  EXPECT_EQ(dir.read("serie.txt"),
            crlf_lines({"Hora Data Chuva Bascula", "10:00 01/02/2005 0.20 1", "10:05 01/02/2005 0.60 2"}));
}

TEST_F(FormatterEntry, DialogueWithoutDepthAndTipColumnsHasThirteenStepsAndIsRefused) {
  std::string answers = "raw.txt\nserie.txt\n0\n1\nDD/MM/YY\n1\n2\n0\n0\n;\ns\n00:05:00\n0.2\n";
  RunResult r = run_args({}, answers);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text(questions({1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 13, 14, 15}) +
                                    "Erro: informe a coluna do acumulo ou a coluna da bascula.\n"));
  expect_nothing_written();
}

TEST_F(FormatterEntry, DialogueAsksNoDepthTypeWhenThereIsNoDepthColumn) {
  dir.write("raw.txt", crlf_lines({"01/02/05 10:00 0", "01/02/05 10:05 1", "01/02/05 10:10 3"}));
  std::string answers = "raw.txt\nserie.txt\n0\n1\nDD/MM/YY\n1\n2\n0\n3\ntotal\nspace\ns\n00:05:00\n0.2\n";
  RunResult r = run_args({}, answers);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, console_text(questions({1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15})));
  EXPECT_EQ(dir.read("serie.txt"),
            crlf_lines({"Hora Data Acumulo Basculacao", "10:00 01/02/05 0.00 1", "10:05 01/02/05 0.20 2"}));
}

TEST_F(FormatterEntry, DialogueNumbersSkipBlankLinesAndDropTheRestOfTheLine) {
  std::string answers =
      "raw.txt\nserie.txt\n\n   0 (sem cabecalho)\n1\nDD/MM/YY\n\n\n1\n2 horas\n3\n0\nnenhum\n;\ns\n00:05:00\n  0.2 mm\n";
  RunResult r = run_args({}, answers);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, console_text(questions({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15})));
  EXPECT_EQ(dir.read("serie.txt"), crlf_lines({"Hora Data Acumulo Basculacao", "10:00 01/02/05 0.20 2"}));
}

TEST_F(FormatterEntry, DialogueAnswerThatIsNotANumberEndsTheDialogueAtOnceWithOneLine) {
  struct Caso {
    std::string answers;
    std::vector<int> asked;
    std::string line;
  };
  const std::string not_a_number = "Erro: o valor digitado nao e um numero.\n";
  for (const Caso& c : std::vector<Caso>{
           {"raw.txt\nserie.txt\n0\n1\nDD/MM/YY\n1\n2\n3\nquatro\nnenhum\n", {1, 2, 3, 4, 5, 6, 7, 8, 9}, not_a_number},
           {"raw.txt\nserie.txt\n0\ndois\n", {1, 2, 3, 4}, not_a_number},
           {"raw.txt\nserie.txt\n0\n1\nDD/MM/YY\n1\n2\n3\n0\nnenhum\n;\ns\n00:05:00\n0,2\n",
            {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15}, not_a_number},
           {"raw.txt\nserie.txt\n0\n1\nDD/MM/YY\n1\n2\n40000\n", {1, 2, 3, 4, 5, 6, 7, 8},
            "Erro: o valor digitado deve estar entre -32768 e 32767.\n"},
           {"raw.txt\n", {1, 2, 3}, "Erro: fim da entrada antes da resposta.\n"},
       }) {
    std::string shown;
    for (int step : c.asked) shown += question(step);
    RunResult r = run_args({}, c.answers);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.console, console_text(shown + c.line));
    expect_nothing_written();
  }
  EXPECT_NE(run_args({}, "raw.txt\nserie.txt\n0\ndois\n").errors.find("linha do primeiro dado: \"dois\""),
            std::string::npos);
}

}  // namespace
}  // namespace rain::testing::formatter_e2e
