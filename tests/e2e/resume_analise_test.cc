// Resume_Chuvadas end to end with its options: the outage list, the energy
// equations and the erosivity table, exact bytes on small series worked by
// hand, and the refusals of the options.
#include <gtest/gtest.h>

#include "tests/e2e/events_series.h"
#include "tests/support/e2e.h"

namespace rain::testing {
namespace {

using events::serie;

RunResult resume(const ScratchDir& dir, std::vector<std::string> opcoes) {
  opcoes.insert(opcoes.end(), {"serie.txt", "eventos.csv", "maximas.csv", "00:15:00", "0", "0.2", "00:05:00", "0"});
  return run_program("Resume_Chuvadas", opcoes, dir.path());
}

// Line `k` of a file written with CR LF, from 0.
std::string linha(const std::string& texto, std::size_t k) {
  std::size_t inicio = 0;
  for (; k > 0; --k) inicio = texto.find("\r\n", inicio) + 2;
  return texto.substr(inicio, texto.find("\r\n", inicio) - inicio);
}

// Five-minute steps from 10:00. The logger saw nothing from 10:35 to 10:45:
// the step of 10:45 holds the 5 tips it counted meanwhile, so the second event
// (10:45 and 10:50) has no intensity, and neither has any window of the annual
// maxima that reaches 10:35 to 10:45: the deepest hour is then 1.00 mm from
// 10:50, not 2.20 mm from 10:05.
TEST(ResumeChuvadasFalhas, EventsAndWindowsTouchingAnOutageCarryNoIntensity) {
  ScratchDir dir;
  dir.write("serie.txt", serie({0, 2, 3, 0, 0, 0, 0, 0, 0, 5, 1, 0, 0, 0, 4, 0, 0, 0}));
  dir.write("falhas.csv", "inicio,fim\r\n2005-02-01T10:35:00,2005-02-01T10:45:00\r\n");
  RunResult r = resume(dir, {"--falhas", "falhas.csv"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, "");
  EXPECT_NE(r.errors.find("3 eventos na tabela, 1 evento com falha, 3.00 mm na serie, energia rusle2."),
            std::string::npos)
      << r.errors;
  EXPECT_EQ(dir.read("eventos.csv"),
            crlf_lines({"evento,inicio,fim,duracao_h,chuva_mm,basculacoes,seco_antes_h,i5_mm_h,i5_inicio,i10_mm_h,"
                        "i10_inicio,i15_mm_h,i15_inicio,i30_mm_h,i30_inicio,i60_mm_h,i60_inicio,energia_mj_ha,"
                        "ei30_mj_mm_ha_h,erosiva,falha",
                        "1,2005-02-01T10:05:00,2005-02-01T10:15:00,0.17,1.00,5,,7.20,2005-02-01T10:10:00,6.00,"
                        "2005-02-01T10:05:00,4.00,2005-02-01T10:05:00,2.00,2005-02-01T10:05:00,1.00,"
                        "2005-02-01T10:05:00,0.164,0.33,n,n",
                        "2,2005-02-01T10:45:00,2005-02-01T10:55:00,0.17,1.20,6,0.50,,,,,,,,,,,,,,s",
                        "3,2005-02-01T11:10:00,2005-02-01T11:15:00,0.08,0.80,4,0.25,9.60,2005-02-01T11:10:00,4.80,"
                        "2005-02-01T11:10:00,3.20,2005-02-01T11:10:00,1.60,2005-02-01T11:10:00,0.80,"
                        "2005-02-01T11:10:00,0.156,0.25,n,n"}));
  // 16 of the 105120 five-minute steps of 2005 outside the outage.
  EXPECT_EQ(dir.read("maximas.csv"),
            crlf_lines({"ano,duracao_min,registros,registros_validos,completude_pct,chuva_mm,intensidade_mm_h,inicio",
                        "2005,5,18,16,0.02,0.80,9.60,2005-02-01T11:10:00",
                        "2005,10,18,16,0.02,1.00,6.00,2005-02-01T10:05:00",
                        "2005,15,18,16,0.02,1.00,4.00,2005-02-01T10:05:00",
                        "2005,30,18,16,0.02,1.00,2.00,2005-02-01T10:05:00",
                        "2005,60,18,16,0.02,1.00,1.00,2005-02-01T10:50:00",
                        "2005,120,18,16,0.02,1.00,0.50,2005-02-01T10:50:00",
                        "2005,180,18,16,0.02,1.00,0.33,2005-02-01T10:50:00",
                        "2005,360,18,16,0.02,1.00,0.17,2005-02-01T10:50:00",
                        "2005,720,18,16,0.02,1.00,0.08,2005-02-01T10:50:00",
                        "2005,1440,18,16,0.02,1.00,0.04,2005-02-01T10:50:00"}));
}

// An hour of 1.2 mm every five minutes: i = 14.4 mm/h in every step and in
// I30, so EI30 = 14.4 mm x e(14.4) x 14.4 mm/h by each equation:
// rusle2 0.29 (1 - 0.72 exp(-1.1808)) = 0.22589, bf 0.29 (1 - 0.72 exp(-0.72))
// = 0.18837, ws 0.119 + 0.0873 log10(14.4) = 0.22013.
TEST(ResumeChuvadasErosividade, AnEvenStormGivesTheHandWorkedEi30OfEachEquationAndItsTable) {
  ScratchDir dir;
  std::vector<int> tips{0, 0};
  tips.resize(14, 6);
  tips.resize(17, 0);
  dir.write("serie.txt", serie(tips));
  const std::string inicio = "1,2005-02-01T10:10:00,2005-02-01T11:10:00,1.00,14.40,72,,14.40,2005-02-01T10:10:00,14.40,"
                             "2005-02-01T10:10:00,14.40,2005-02-01T10:10:00,14.40,2005-02-01T10:10:00,14.40,"
                             "2005-02-01T10:10:00,";
  const std::vector<std::pair<std::string, std::string>> equacoes{
      {"rusle2", "3.253,46.84,s"}, {"BF", "2.712,39.06,s"}, {"ws", "3.170,45.65,s"}};
  for (const auto& [equacao, fim] : equacoes) {
    RunResult r = resume(dir, {"--energia", equacao, "--erosividade", "r.csv", "--completude-minima", "0"});
    EXPECT_EQ(r.exit_code, 0) << equacao;
    EXPECT_EQ(linha(dir.read("eventos.csv"), 1), inicio + fim) << equacao;
  }
  // February holds 17 of its 8064 steps; with a minimum of 0 the one year is
  // averaged, every other month a mean of 0.
  std::vector<std::string> medias;
  for (int mes = 1; mes <= 12; ++mes) {
    medias.push_back("media," + std::to_string(mes) +
                     (mes == 2 ? ",,,14.40,1.00,1.00,45.65,3.17,100.00,1" : ",,,0.00,0.00,0.00,0.00,,0.00,1"));
  }
  std::vector<std::string> tabela{"ano,mes,registros,completude_pct,chuva_mm,eventos,eventos_erosivos,r_mj_mm_ha_h,"
                                  "densidade_mj_ha_h,fracao_pct,anos",
                                  "2005,2,17,0.21,14.40,1,1,45.65,3.17,100.00,",
                                  "2005,,17,0.02,14.40,1,1,45.65,3.17,100.00,"};
  tabela.insert(tabela.end(), medias.begin(), medias.end());
  tabela.push_back("media,,,,14.40,1.00,1.00,45.65,3.17,100.00,1");
  EXPECT_EQ(dir.read("r.csv"), crlf_lines(tabela));
}

TEST(ResumeChuvadasErosividade, OptionRefusalsTouchNothing) {
  ScratchDir dir;
  dir.write("serie.txt", serie({0, 2, 0}));
  dir.write("falhas.csv", "inicio,fim\r\n2005-02-01T10:35:00,2005-02-01T10:25:00\r\n");
  const std::vector<std::pair<std::vector<std::string>, std::string>> casos{
      {{"--energia", "usle"}, "Erro: equacao de energia invalida: usle (rusle2, bf ou ws)."},
      {{"--completude-minima", "120"}, "Erro: completude minima invalida: 120 (um numero de 0 a 100)."},
      {{"--completude-minima", "90,5"}, "Erro: completude minima invalida: 90,5 (um numero de 0 a 100)."},
      {{"--erosividade", "maximas.csv"}, "Erro: a tabela de erosividade nao pode ser a tabela de maximas."},
      {{"--distribuicao", "weibull"}, "Erro: distribuicao invalida: weibull (gumbel ou gev)."},
      {{"--idf", "eventos.csv"}, "Erro: a tabela IDF nao pode ser a tabela de eventos."},
      {{"--erosividade", "falhas.csv", "--falhas", "falhas.csv"},
       "Erro: a tabela de erosividade nao pode ser a lista de falhas."},
      {{"--falhas", "falhas.csv"},
       "Erro: a linha 2 da lista de falhas falhas.csv nao e um intervalo inicio,fim valido: "
       "2005-02-01T10:35:00,2005-02-01T10:25:00"},
  };
  for (const auto& [opcoes, linha] : casos) {
    RunResult r = resume(dir, opcoes);
    EXPECT_EQ(r.exit_code, 1) << linha;
    EXPECT_EQ(r.console, console_text(linha + "\n"));
    EXPECT_EQ(dir.list(), (std::vector<std::string>{"falhas.csv", "serie.txt"})) << linha;
  }
}

}  // namespace
}  // namespace rain::testing
