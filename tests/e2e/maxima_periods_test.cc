// Rastreia_Picos end to end: how each mode cuts a series into periods, and the
// exact bytes of the report it writes.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "tests/e2e/maxima_report.h"

namespace rain::testing::maxima {
namespace {

class MaximaPeriods : public ::testing::Test {
 protected:
  // Runs the search on `conteudo` saved as s.txt and returns the report r.txt.
  std::string pesquisa(const std::string& conteudo, const std::string& modo, const std::string& hora,
                       const std::string& precisao = "0.2", const Linhas& intervalo = {"0", "0", "0"}) {
    dir.write("s.txt", conteudo);
    RunResult r = run_program("Rastreia_Picos",
                              {"s.txt", "r.txt", modo, hora, intervalo[0], intervalo[1], intervalo[2], precisao},
                              dir.path());
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.console, "");
    EXPECT_EQ(dir.list(), (Linhas{"r.txt", "s.txt"})) << "the work file must be gone";
    return dir.read("r.txt");
  }

  ScratchDir dir;
};

TEST_F(MaximaPeriods, DiarioClosesAtTheFirstLineAtOrAfterTheReferenceHour) {
  std::string r = pesquisa(serie({"06:55:00 05/03/05 0.20 1", "07:00:00 05/03/05 0.80 3", "07:05:00 05/03/05 1.00 1",
                                  "06:59:00 06/03/05 1.60 3", "07:00:00 06/03/05 1.80 1"}),
                           "diario", "07:00:00");
  // Spelled out once in full, to pin the layout.
  EXPECT_EQ(r, crlf_lines({
                   kLarga, "", "Relatorio do arquivo s.txt:", "Modo utilizado: diario",
                   "Horario de referencia: 07:00:00", "", kLarga, "",
                   kLarga, "Informacoes sobre a coluna 4 (Basculacao):", "",
                   "********************", "De 05/03/05 06:55:00", "A  05/03/05 06:55:00", "",
                   "Acumulo total:        0.20 mm", "Valor maximo:         0.20 mm, registrado nas datas:", "",
                   "05/03/05 06:55:00", kLarga, "",
                   "********************", "De 05/03/05 07:00:00", "A  06/03/05 06:59:00", "",
                   "Acumulo total:        1.40 mm", "Valor maximo:         0.60 mm, registrado nas datas:", "",
                   "05/03/05 07:00:00", "06/03/05 06:59:00", kLarga, "",
                   "********************", "De 06/03/05 07:00:00", "A  06/03/05 07:00:00", "",
                   "Acumulo total:        0.20 mm", "Valor maximo:         0.20 mm, registrado nas datas:", "",
                   "06/03/05 07:00:00", kLarga, "",
               }));
}

TEST_F(MaximaPeriods, MensalStartsMidMonthAndTheLastLineMakesItsOwnPeriod) {
  std::string r = pesquisa(serie({"23:50:00 15/03/05 0.20 1", "23:55:00 31/03/05 0.60 2", "00:00:00 01/04/05 0.80 1",
                                  "00:05:00 01/04/05 1.60 4", "10:00:00 02/04/05 1.60 0", "00:00:00 01/05/05 2.00 2"}),
                           "mensal", "00:00:00");
  EXPECT_EQ(r, relatorio({abertura("s.txt", "mensal", {"Horario de referencia: 00:00:00"}),
                          coluna(4, "Basculacao"),
                          periodo("15/03/05 23:50:00", "31/03/05 23:55:00", "0.60", "0.40", {"31/03/05 23:55:00"}),
                          periodo("01/04/05 00:00:00", "02/04/05 10:00:00", "1.00", "0.80", {"01/04/05 00:05:00"}),
                          periodo("01/05/05 00:00:00", "01/05/05 00:00:00", "0.40", "0.40", {"01/05/05 00:00:00"})}));
}

TEST_F(MaximaPeriods, MensalWithAMorningReferenceClosesOnDayOneAtThatHour) {
  std::string r = pesquisa(serie({"23:00:00 31/03/05 0.20 1", "06:00:00 01/04/05 0.60 2", "07:00:00 01/04/05 1.20 3",
                                  "08:00:00 02/04/05 1.40 1"}),
                           "MENSAL", "07:00:00");
  EXPECT_EQ(r, relatorio({abertura("s.txt", "MENSAL", {"Horario de referencia: 07:00:00"}),
                          coluna(4, "Basculacao"),
                          periodo("31/03/05 23:00:00", "01/04/05 06:00:00", "0.60", "0.40", {"01/04/05 06:00:00"}),
                          periodo("01/04/05 07:00:00", "02/04/05 08:00:00", "0.80", "0.60", {"01/04/05 07:00:00"})}));
}

TEST_F(MaximaPeriods, AGapOverDayOneMergesTwoMonths) {
  std::string r = pesquisa(serie({"10:00:00 30/04/05 0.20 1", "10:00:00 02/05/05 0.60 2", "10:00:00 01/06/05 0.80 1",
                                  "10:00:00 02/06/05 0.80 0"}),
                           "mensal", "00:00:00");
  EXPECT_EQ(r, relatorio({abertura("s.txt", "mensal", {"Horario de referencia: 00:00:00"}),
                          coluna(4, "Basculacao"),
                          periodo("30/04/05 10:00:00", "02/05/05 10:00:00", "0.60", "0.40", {"02/05/05 10:00:00"}),
                          periodo("01/06/05 10:00:00", "02/06/05 10:00:00", "0.20", "0.20", {"01/06/05 10:00:00"})}));
}

TEST_F(MaximaPeriods, OneDigitDaysNeverOpenAMonth) {
  std::string r = pesquisa(serie({"10:00:00 31/3/05 0.20 1", "10:00:00 1/4/05 0.60 2", "10:00:00 2/4/05 0.80 1"}),
                           "mensal", "00:00:00");
  EXPECT_EQ(r, relatorio({abertura("s.txt", "mensal", {"Horario de referencia: 00:00:00"}),
                          coluna(4, "Basculacao"),
                          periodo("31/3/05 10:00:00", "2/4/05 10:00:00", "0.80", "0.40", {"1/4/05 10:00:00"})}));
}

// One record on day 01 of every month of 2005 holding the month's number,
// between 15/12/04 (5) and 15/12/05 (1); precision 1.
TEST_F(MaximaPeriods, LongerModesOpenOnDayOneOfTheirFirstMonths) {
  Linhas registros{"10:00:00 15/12/04 0.00 5"};
  std::vector<int> valores{5};
  Linhas datas{"15/12/04 10:00:00"};
  for (int mes = 1; mes <= 12; ++mes) {
    std::string mm = std::to_string(100 + mes).substr(1);
    registros.push_back("10:00:00 01/" + mm + "/05 0.00 " + std::to_string(mes));
    datas.push_back("01/" + mm + "/05 10:00:00");
    valores.push_back(mes);
  }
  registros.push_back("10:00:00 15/12/05 0.00 1");
  datas.push_back("15/12/05 10:00:00");
  valores.push_back(1);

  struct Caso {
    std::string modo;
    std::vector<std::size_t> inicios;  // indices of the records opening a period
  };
  for (const Caso& caso : {Caso{"bimestral", {0, 1, 3, 5, 7, 9, 11}}, Caso{"trimestral", {0, 1, 4, 7, 10}},
                           Caso{"semestral", {0, 1, 7}}}) {
    Linhas esperado = abertura("s.txt", caso.modo, {"Horario de referencia: 00:00:00"});
    junta(esperado, coluna(4, "Basculacao"));
    for (std::size_t i = 0; i < caso.inicios.size(); ++i) {
      std::size_t de = caso.inicios[i];
      std::size_t ate = i + 1 < caso.inicios.size() ? caso.inicios[i + 1] - 1 : registros.size() - 1;
      int total = 0, maximo = 0;
      std::size_t onde = de;
      for (std::size_t k = de; k <= ate; ++k) {
        total += valores[k];
        if (valores[k] > maximo) maximo = valores[k], onde = k;
      }
      junta(esperado, periodo(datas[de], datas[ate], std::to_string(total) + ".00", std::to_string(maximo) + ".00",
                              {datas[onde]}));
    }
    EXPECT_EQ(pesquisa(serie(registros), caso.modo, "00:00:00", "1"), crlf_lines(esperado)) << caso.modo;
  }
}

TEST_F(MaximaPeriods, SeasonsChangeOn20March21June22September21December) {
  std::string r = pesquisa(serie({"10:00:00 19/03/05 0 1", "10:00:00 20/03/05 0 2", "10:00:00 21/03/05 0 3",
                                  "10:00:00 20/06/05 0 1", "10:00:00 21/06/05 0 2", "10:00:00 21/09/05 0 1",
                                  "10:00:00 22/09/05 0 4", "10:00:00 20/12/05 0 1", "10:00:00 21/12/05 0 5",
                                  "10:00:00 22/12/05 0 1"}),
                           "Sazonal", "00:00:00", "1");
  EXPECT_EQ(r, relatorio({abertura("s.txt", "Sazonal", {"Horario de referencia: 00:00:00"}),
                          coluna(4, "Basculacao"),
                          periodo("19/03/05 10:00:00", "19/03/05 10:00:00", "1.00", "1.00", {"19/03/05 10:00:00"}),
                          periodo("20/03/05 10:00:00", "20/06/05 10:00:00", "6.00", "3.00", {"21/03/05 10:00:00"}),
                          periodo("21/06/05 10:00:00", "21/09/05 10:00:00", "3.00", "2.00", {"21/06/05 10:00:00"}),
                          periodo("22/09/05 10:00:00", "20/12/05 10:00:00", "5.00", "4.00", {"22/09/05 10:00:00"}),
                          periodo("21/12/05 10:00:00", "22/12/05 10:00:00", "6.00", "5.00", {"21/12/05 10:00:00"})}));
}

// A repeated line closes the period; a value that is not a whole number adds
// nothing but still counts as a line, or the dates listed would shift.
TEST_F(MaximaPeriods, RepeatedLinesCloseAPeriodAndUnreadableValuesStillCount) {
  std::string r = pesquisa(serie({"08:00:00 05/03/05 0.20 1", "08:00:00 05/03/05 0.20 1", "08:30:00 05/03/05 0.20 abc",
                                  "08:40:00 05/03/05 0.20 3.0", "09:00:00 05/03/05 0.40 2",
                                  "09:00:00 05/03/05 0.40 2"}),
                           "diario", "07:00:00", "1");
  EXPECT_EQ(r, relatorio({abertura("s.txt", "diario", {"Horario de referencia: 07:00:00"}),
                          coluna(4, "Basculacao"),
                          periodo("05/03/05 08:00:00", "05/03/05 08:00:00", "1.00", "1.00", {"05/03/05 08:00:00"}),
                          periodo("05/03/05 08:00:00", "05/03/05 09:00:00", "3.00", "2.00", {"05/03/05 09:00:00"}),
                          periodo("05/03/05 09:00:00", "05/03/05 09:00:00", "2.00", "2.00", {"05/03/05 09:00:00"})}));
}

TEST_F(MaximaPeriods, TotalSearchesEveryColumnOfASixFieldSeries) {
  std::string r = pesquisa(serie({"10:00:00 01/02/05 0.20 1 0 2", "10:05:00 01/02/05 0.80 3 0 -1",
                                  "10:10:00 01/02/05 1.40 3 0 2"},
                                 "Hora Data Acumulo Bsc_A Bsc_B Bsc_C"),
                           "total", "0");
  EXPECT_EQ(r, relatorio({abertura("s.txt", "total"), coluna(4, "Bsc_A"),
                          periodo("", "", "1.40", "0.60", {"01/02/05 10:05:00", "01/02/05 10:10:00"}),
                          coluna(5, "Bsc_B"), coluna(6, "Bsc_C"),
                          periodo("", "", "", "0.40", {"01/02/05 10:00:00", "01/02/05 10:10:00"})}));
}

TEST_F(MaximaPeriods, TiesAndANegativeTotalAreReported) {
  std::string r = pesquisa(serie({"10:00:00 01/02/05 0 1", "10:05:00 01/02/05 0 -5", "10:10:00 01/02/05 0 1"}),
                           "TOTAL", "0");
  EXPECT_EQ(r, relatorio({abertura("s.txt", "TOTAL"), coluna(4, "Basculacao"),
                          periodo("", "", "-0.60", "0.20", {"01/02/05 10:00:00", "01/02/05 10:10:00"})}));
}

TEST_F(MaximaPeriods, TotalsPast16BitsStayRight) {
  std::string r = pesquisa(serie({"10:00:00 01/02/05 0 20000", "10:05:00 01/02/05 0 20000",
                                  "10:10:00 01/02/05 0 5000000000"}),
                           "total", "0");
  EXPECT_EQ(r, relatorio({abertura("s.txt", "total"), coluna(4, "Basculacao"),
                          periodo("", "", "8000.00", "4000.00", {"01/02/05 10:00:00", "01/02/05 10:05:00"})}));
}

TEST_F(MaximaPeriods, RecordsOfThousandsOfColumnsAreSearchedInOneWalk) {
  // 80 records of 10 000 count columns, column c of record r holding
  // (r + c) % 3: read once per column, such a series took minutes.
  constexpr int kRegistros = 80, kColunas = 10000;
  auto titulo = [](int c) {
    char texto[16];
    std::snprintf(texto, sizeof texto, "B%d", c);
    return std::string(texto);
  };
  std::string cabecalho = "Hora Data Acumulo";
  for (int c = 4; c < 4 + kColunas; ++c) cabecalho.append(" ").append(titulo(c));
  Linhas registros;
  for (int r = 0; r < kRegistros; ++r) {
    char inicio[32];
    std::snprintf(inicio, sizeof inicio, "%02d:%02d:00 01/02/05 0", 10 + r * 5 / 60, r * 5 % 60);
    std::string linha = inicio;
    for (int c = 4; c < 4 + kColunas; ++c) linha.append(" ").push_back(static_cast<char>('0' + (r + c) % 3));
    registros.push_back(linha);
  }
  Linhas esperado = abertura("s.txt", "total");
  for (int c = 4; c < 4 + kColunas; ++c) {
    int total = 0;
    Linhas datas;
    for (int r = 0; r < kRegistros; ++r) {
      total += (r + c) % 3;
      const std::string& registro = registros[static_cast<std::size_t>(r)];
      if ((r + c) % 3 == 2) datas.push_back(registro.substr(9, 8) + " " + registro.substr(0, 8));
    }
    char acumulo[32];
    std::snprintf(acumulo, sizeof acumulo, "%.2f", total * 0.2);
    junta(esperado, coluna(c, titulo(c)));
    junta(esperado, periodo("", "", c == 4 ? acumulo : "", "0.40", datas));
  }
  const auto antes = std::chrono::steady_clock::now();
  EXPECT_EQ(pesquisa(serie(registros, cabecalho), "total", "0"), crlf_lines(esperado));
  EXPECT_LT(std::chrono::steady_clock::now() - antes, std::chrono::seconds(15));
}

TEST_F(MaximaPeriods, SeriesWithoutValueColumnsGiveOnlyTheOpeningBlock) {
  std::string so_abertura = relatorio({abertura("s.txt", "mensal", {"Horario de referencia: 00:00:00"})});
  EXPECT_EQ(pesquisa(serie({"10:00:00 01/02/05 0.20", "10:05:00 01/02/05 0.40"}), "mensal", "00:00:00"), so_abertura);
  EXPECT_EQ(pesquisa(serie({}), "mensal", "00:00:00"), so_abertura);
}

class MaximaIntervalo : public MaximaPeriods {
 protected:
  const std::string conteudo = serie({"23:00:00 04/03/05 0 5", "06:59:00 05/03/05 0 5", "07:00:00 05/03/05 0 1",
                                      "12:00:00 05/03/05 0 2", "06:59:00 06/03/05 0 2", "07:00:00 06/03/05 0 5"});
  Linhas inicio_e_fim(const std::string& fim) {
    Linhas l = abertura("s.txt", "intervalo", {"Inicio: 05/03/05 07:00:00", "Fim: " + fim});
    junta(l, coluna(4, "Basculacao"));
    return l;
  }
};

TEST_F(MaximaIntervalo, TakesFromTheStartIncludedToTheEndExcluded) {
  std::string r = pesquisa(conteudo, "intervalo", "07:00:00", "1", {"07:00:00", "05/03/05", "06/03/05"});
  EXPECT_EQ(r, relatorio({inicio_e_fim("06/03/05 07:00:00"),
                          periodo("", "", "5.00", "2.00", {"05/03/05 12:00:00", "06/03/05 06:59:00"})}));
}

TEST_F(MaximaIntervalo, AnEndAfterTheLastLineIncludesIt) {
  std::string r = pesquisa(conteudo, "intervalo", "07:00:00", "1", {"00:00:00", "05/03/05", "07/03/05"});
  EXPECT_EQ(r, relatorio({inicio_e_fim("07/03/05 00:00:00"),
                          periodo("", "", "10.00", "5.00", {"06/03/05 07:00:00"})}));
}

TEST_F(MaximaIntervalo, AStartAfterTheLastLineReportsNoPeriod) {
  std::string r = pesquisa(conteudo, "intervalo", "07:00:00", "1", {"00:00:00", "10/03/05", "12/03/05"});
  Linhas l = abertura("s.txt", "intervalo", {"Inicio: 10/03/05 07:00:00", "Fim: 12/03/05 00:00:00"});
  junta(l, coluna(4, "Basculacao"));
  EXPECT_EQ(r, crlf_lines(l));
}

}  // namespace
}  // namespace rain::testing::maxima
