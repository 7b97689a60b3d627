// Ajusta_Leituras on raw exports: header and tip variants, field picking,
// separators, date masks and the accumulated depth.
#include <gtest/gtest.h>

#include "tests/e2e/formatter_support.h"

namespace rain::testing::formatter_e2e {
namespace {

class FormatterConversion : public FormatterE2e {
 protected:
  // Runs and expects a clean exit, then the series file's bytes.
  std::string convert(const Argumentos& a) {
    RunResult r = run(a);
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.console, "");
    return dir.read(a.saida);
  }
};

// Arguments for a raw file whose columns are date, time, depth and tips.
Argumentos four_columns() {
  Argumentos a;
  a.coluna_data = std::string("1");
  a.coluna_hora = std::string("2");
  a.coluna_acumulo = std::string("3");
  a.coluna_bascula = std::string("4");
  return a;
}

TEST_F(FormatterConversion, NoHeaderDerivedTipsDropTheLastRecord) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0.2", "01/02/05;10:05;0.2", "01/02/05;10:10;0.4"}));
  Argumentos a;
  a.tipo_acumulo = "nenhum";
  EXPECT_EQ(convert(a),
            crlf_lines({"Hora Data Acumulo Basculacao", "10:00 01/02/05 0.20 1", "10:05 01/02/05 0.40 2"}));
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"raw.txt", "serie.txt"}));
}

TEST_F(FormatterConversion, NoHeaderTipsPerIntervalKeepEveryRecordAndCopyTheTips) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0.2;1", "01/02/05;10:05;0;0", "01/02/05;10:10;0.4;2"}));
  Argumentos a = four_columns();
  a.tipo_bascula = "Intervalo";
  EXPECT_EQ(convert(a), crlf_lines({"Hora Data Acumulo Basculacoes", "10:00 01/02/05 0.20 1", "10:05 01/02/05 0.20 0",
                                    "10:10 01/02/05 0.60 2"}));
}

TEST_F(FormatterConversion, RawHeaderGivesTheTitlesWithBlanksJoined) {
  dir.write("raw.txt", crlf_lines({"Estacao Vale Verde", "Data;Hora local;Chuva (mm);Basculadas",
                                   "01/02/05;10:00;0.2;1", "01/02/05;10:05;0.4;2"}));
  Argumentos a = four_columns();
  a.cabecalho = std::string("2");
  a.primeiro_dado = std::string("3");
  EXPECT_EQ(convert(a), crlf_lines({"Hora_local Data Chuva_(mm) Basculacao", "10:00 01/02/05 0.20 2"}));
  a.tipo_bascula = "intervalo";
  EXPECT_EQ(convert(a), crlf_lines({"Hora_local Data Chuva_(mm) Basculadas", "10:00 01/02/05 0.20 1",
                                    "10:05 01/02/05 0.60 2"}));
}

TEST_F(FormatterConversion, BlankSeparatedHeaderGivesOneTitlePerWord) {
  dir.write("raw.txt", crlf_lines({"Data  Hora Chuva", "01/02/05  10:00 0.2", "01/02/05 10:05   0.4"}));
  Argumentos a;
  a.separador = "space";
  a.cabecalho = std::string("1");
  a.primeiro_dado = std::string("2");
  EXPECT_EQ(convert(a), crlf_lines({"Hora Data Chuva Basculacao", "10:00 01/02/05 0.20 2"}));
}

TEST_F(FormatterConversion, TabSeparatedHeaderKeepsTitlesOfSeveralWords) {
  dir.write("raw.txt", crlf_lines({"Data\tHora local\tChuva mm", "01/02/05\t10:00\t0.2", "01/02/05\t10:05\t0.4"}));
  for (const char* separador : {"tab", "\t"}) {
    Argumentos a;
    a.separador = separador;
    a.cabecalho = std::string("1");
    a.primeiro_dado = std::string("2");
    EXPECT_EQ(convert(a), crlf_lines({"Hora_local Data Chuva_mm Basculacao", "10:00 01/02/05 0.20 2"}));
  }
}

TEST_F(FormatterConversion, HeaderNumberNotBeforeTheFirstDataLineWritesNoHeader) {
  // The tip counting then takes the first record for the header.
  dir.write("raw.txt", crlf_lines({"x", "y", "01/02/05;10:00;0.2", "01/02/05;10:05;0.2", "01/02/05;10:10;0.4"}));
  Argumentos a;
  a.cabecalho = std::string("5");
  a.primeiro_dado = std::string("3");
  EXPECT_EQ(convert(a), crlf_lines({"10:00 01/02/05 0.20 Basculacao", "10:05 01/02/05 0.40 2"}));
}

TEST_F(FormatterConversion, LinesBeforeTheFirstDataLineAreSkipped) {
  dir.write("raw.txt", crlf_lines({"logger 17", "", "01/02/05;10:00;9.9", "01/02/05;10:05;0.2", "01/02/05;10:10;0.2"}));
  Argumentos a;
  a.primeiro_dado = std::string("4");
  EXPECT_EQ(convert(a), crlf_lines({"Hora Data Acumulo Basculacao", "10:05 01/02/05 0.20 1"}));
}

TEST_F(FormatterConversion, FirstDataLineBeyondTheEndGivesHeaderOnly) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0.2"}));
  Argumentos a;
  a.primeiro_dado = std::string("9");
  a.cabecalho = std::string("7");
  EXPECT_EQ(convert(a), crlf_lines({"   Basculacao"}));
}

TEST_F(FormatterConversion, RainPerRecordIsAccumulatedWithTwoDecimals) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0.2;1", "01/02/05;10:05;0;0", "01/02/05;10:10;0.4;2",
                                   "01/02/05;10:15;-1.25;0", "01/02/05;10:20;1e2;0"}));
  Argumentos a = four_columns();
  a.tipo_bascula = "intervalo";
  // Rain below zero adds nothing.
  EXPECT_EQ(convert(a), crlf_lines({"Hora Data Acumulo Basculacoes", "10:00 01/02/05 0.20 1", "10:05 01/02/05 0.20 0",
                                    "10:10 01/02/05 0.60 2", "10:15 01/02/05 0.60 0", "10:20 01/02/05 100.60 0"}));
}

TEST_F(FormatterConversion, RunningTotalIsCopiedUnchangedEvenWithADecimalComma) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;1,5;1", "01/02/05;10:05;3.75;2"}));
  Argumentos a = four_columns();
  a.tipo_acumulo = "TOTAL";
  a.tipo_bascula = "intervalo";
  EXPECT_EQ(convert(a), crlf_lines({"Hora Data Acumulo Basculacoes", "10:00 01/02/05 1,5 1", "10:05 01/02/05 3.75 2"}));
}

TEST_F(FormatterConversion, TipsSinceTheStartGiveTheDepthThenTheCounts) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0", "01/02/05;10:05;1", "01/02/05;10:10;3"}));
  Argumentos a;
  a.coluna_acumulo = std::string("0");
  a.coluna_bascula = std::string("3");
  a.tipo_bascula = "total";
  EXPECT_EQ(convert(a),
            crlf_lines({"Hora Data Acumulo Basculacao", "10:00 01/02/05 0.00 1", "10:05 01/02/05 0.20 2"}));
}

TEST_F(FormatterConversion, TipsPerIntervalAloneAreAccumulatedAndCopied) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0", "01/02/05;10:05;1", "01/02/05;10:10;3"}));
  Argumentos a;
  a.coluna_acumulo = std::string("0");
  a.coluna_bascula = std::string("3");
  a.tipo_bascula = "intervalo";
  EXPECT_EQ(convert(a), crlf_lines({"Hora Data Acumulo Basculacoes", "10:00 01/02/05 0.00 0", "10:05 01/02/05 0.20 1",
                                    "10:10 01/02/05 0.80 3"}));
}

TEST_F(FormatterConversion, BlankAndTabOnlyLinesGiveNoRecord) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0.2", "", "   ", "\t \t", "01/02/05;10:05;0.2", "01/02/05;10:10;0"}));
  Argumentos a;
  EXPECT_EQ(convert(a),
            crlf_lines({"Hora Data Acumulo Basculacao", "10:00 01/02/05 0.20 1", "10:05 01/02/05 0.40 0"}));
}

TEST_F(FormatterConversion, EmptyFieldsAreNotCountedAndFieldsMoveForward) {
  dir.write("raw.txt", crlf_lines({"10:00;;15/03/05;0.2", ";10:05;15/03/05;;0.2;", "10:10;15/03/05;0"}));
  Argumentos a;
  a.coluna_hora = std::string("1");
  a.coluna_data = std::string("2");
  a.coluna_acumulo = std::string("3");
  EXPECT_EQ(convert(a),
            crlf_lines({"Hora Data Acumulo Basculacao", "10:00 15/03/05 0.20 1", "10:05 15/03/05 0.40 0"}));
}

TEST_F(FormatterConversion, SpaceTabAndBlankSeparatorsBehaveAlike) {
  dir.write("raw.txt", "01/02/05 \t10:00\t0.2\r\n\t01/02/05  10:05 0.4 \r\n01/02/05 10:10 0\r\n");
  const std::string expected =
      crlf_lines({"Hora Data Acumulo Basculacao", "10:00 01/02/05 0.20 2", "10:05 01/02/05 0.60 0"});
  for (const char* separador : {"tab", "Tab", "\t", "space", "SPACE", " ", ""}) {
    Argumentos a;
    a.separador = separador;
    EXPECT_EQ(convert(a), expected) << "separator '" << separador << "'";
  }
}


TEST_F(FormatterConversion, TabInsideASemicolonFieldBecomesABlankThatStays) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00\tUTC;0.2;1", "01/02/05;10:05\tUTC;0.2;1"}));
  Argumentos a = four_columns();
  a.tipo_bascula = "intervalo";
  EXPECT_EQ(convert(a), crlf_lines({"Hora Data Acumulo Basculacoes", "10:00 UTC 01/02/05 0.20 1",
                                    "10:05 UTC 01/02/05 0.40 1"}));
}

TEST_F(FormatterConversion, DateMasksReorderThePartsAsWritten) {
  dir.write("raw.txt", crlf_lines({"2005-03-15;10:00;0;0", "2005-3-5;10:05;0;0"}));
  Argumentos a = four_columns();
  a.tipo_bascula = "intervalo";
  a.mascara = "aaaa-mm-dd";
  EXPECT_EQ(convert(a), crlf_lines({"Hora Data Acumulo Basculacoes", "10:00 15/03/2005 0.00 0",
                                    "10:05 5/3/2005 0.00 0"}));
  dir.write("raw.txt", crlf_lines({"3.15.05;10:00;0;0"}));
  a.mascara = "MM/DD/YY";
  EXPECT_EQ(convert(a), crlf_lines({"Hora Data Acumulo Basculacoes", "10:00 15/3/05 0.00 0"}));
}

TEST_F(FormatterConversion, MaskThatNamesLessThanThreePartsLeavesTheDate) {
  dir.write("raw.txt", crlf_lines({"15-03-05;10:00;0;0"}));
  Argumentos a = four_columns();
  a.tipo_bascula = "intervalo";
  for (const char* mascara : {"DD-MM-XX", "D-D-Y", "DD-MM", "", "/"}) {
    a.mascara = mascara;
    EXPECT_EQ(convert(a), crlf_lines({"Hora Data Acumulo Basculacoes", "10:00 15-03-05 0.00 0"})) << mascara;
  }
}


TEST_F(FormatterConversion, ResamplingCachesAreDeletedAtTheEndOfARunThatResampled) {
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0.2", "01/02/05;10:05;0.2"}));
  dir.write("buffer_horas.dat", "old grid\r\n");
  dir.write("buffer_datas.dat", "old days\r\n");
  convert(Argumentos{});
  EXPECT_EQ(dir.read("buffer_horas.dat"), "old grid\r\n");
  EXPECT_EQ(dir.read("buffer_datas.dat"), "old days\r\n");
  Argumentos a;
  a.discretizado = "n";
  convert(a);
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"raw.txt", "serie.txt"}));
}

TEST_F(FormatterConversion, RawLinesOfAnyLengthAreRead) {
  std::string comment(100000, 'c');
  dir.write("raw.txt", crlf_lines({"01/02/05;10:00;0.2;" + comment, "01/02/05;10:05;0.2;" + comment}));
  EXPECT_EQ(convert(Argumentos{}), crlf_lines({"Hora Data Acumulo Basculacao", "10:00 01/02/05 0.20 1"}));
}

TEST_F(FormatterConversion, LastLineWithoutLineEndAndLfOnlyFilesAreRead) {
  dir.write("raw.txt", "01/02/05;10:00;0.2\n01/02/05;10:05;0.4");
  EXPECT_EQ(convert(Argumentos{}), crlf_lines({"Hora Data Acumulo Basculacao", "10:00 01/02/05 0.20 2"}));
}

}  // namespace
}  // namespace rain::testing::formatter_e2e
