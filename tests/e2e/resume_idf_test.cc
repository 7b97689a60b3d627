// Resume_Chuvadas's IDF table end to end: thirty synthetic years written by
// the benchmarks' generator, a year with an outage left out of the fit, and a
// record too short to fit.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/e2e/events_series.h"
#include "tests/e2e/trinta_anos.h"
#include "tests/support/e2e.h"

namespace rain::testing {
namespace {

RunResult resume(const ScratchDir& dir, std::vector<std::string> opcoes, const std::string& passo) {
  opcoes.insert(opcoes.end(), {"serie.txt", "eventos.csv", "maximas.csv", "06:00:00", "1.0", "0.2", passo, "0"});
  return run_program("Resume_Chuvadas", opcoes, dir.path());
}

// Each row of an IDF table grows with the return period; each return period
// falls as the duration grows.
void espera_curvas_ordenadas(const std::string& tabela) {
  std::istringstream linhas(tabela.substr(tabela.find('\n') + 1));
  std::vector<double> anterior;
  for (std::string linha; std::getline(linhas, linha);) {
    std::istringstream campos(linha);
    std::vector<double> i;
    std::string campo;
    for (int k = 0; std::getline(campos, campo, ','); ++k) {
      if (k >= 6) i.push_back(std::stod(campo));
    }
    ASSERT_EQ(i.size(), 6u) << linha;
    for (std::size_t t = 0; t < 6; ++t) {
      if (t > 0) {
        EXPECT_GT(i[t], i[t - 1]) << linha;
      }
      if (!anterior.empty()) {
        EXPECT_LT(i[t], anterior[t]) << linha;
      }
    }
    anterior = i;
  }
}

// The outage list covers 73 days of 1995, 20 % of it: 1995 stays out, so 29
// years are fitted. The figures were checked
// against a fit worked out in Python's standard library from the annual
// maxima table (L-moments over all pairs and triples, in fractions).
TEST(ResumeChuvadasIdf, ThirtyYearsLessOneWithAnOutageGiveOrderedCurves) {
  ScratchDir dir;
  escreve_trinta_anos(dir, 900);
  dir.write("falhas.csv", kFalhasDe1995);
  RunResult r = resume(dir, {"--falhas", "falhas.csv", "--idf", "idf.csv"}, "00:15:00");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, "");
  EXPECT_EQ(r.errors.find("Aviso"), std::string::npos) << r.errors;
  const std::string gumbel = dir.read("idf.csv");
  EXPECT_EQ(gumbel, crlf_lines({"duracao_min,anos,distribuicao,posicao,escala,forma,i2_mm_h,i5_mm_h,i10_mm_h,i25_mm_h,"
                                "i50_mm_h,i100_mm_h",
                                "15,29,gumbel,72.7143,35.0852,,85.57,125.34,151.67,184.94,209.61,234.11",
                                "30,29,gumbel,61.3342,28.9690,,71.95,104.79,126.53,153.99,174.37,194.60",
                                "60,29,gumbel,42.1307,20.8743,,49.78,73.44,89.11,108.90,123.58,138.16",
                                "120,29,gumbel,25.2056,11.5085,,29.42,42.47,51.10,62.02,70.11,78.15",
                                "180,29,gumbel,18.0968,7.9571,,21.01,30.03,36.00,43.55,49.14,54.70",
                                "360,29,gumbel,9.8572,4.0231,,11.33,15.89,18.91,22.73,25.56,28.36",
                                "720,29,gumbel,5.2709,2.0578,,6.03,8.36,9.90,11.85,13.30,14.74",
                                "1440,29,gumbel,2.7814,1.0931,,3.18,4.42,5.24,6.28,7.05,7.81"}));
  espera_curvas_ordenadas(gumbel);
  EXPECT_NE(dir.read("maximas.csv").find("\r\n1995,15,35040,28032,80.00,"), std::string::npos);
}

// One day of 2005: with --completude-minima 0 that day stands for its year,
// one year where the fit needs five.
TEST(ResumeChuvadasIdf, FewerThanFiveYearsLeaveTheFitEmptyAndSayWhy) {
  ScratchDir dir;
  dir.write("serie.txt", events::serie({0, 2, 3, 0}));
  RunResult r = resume(dir, {"--idf", "idf.csv", "--completude-minima", "0"}, "00:05:00");
  EXPECT_EQ(r.exit_code, 0);
  std::vector<std::string> linhas{
      "duracao_min,anos,distribuicao,posicao,escala,forma,i2_mm_h,i5_mm_h,i10_mm_h,i25_mm_h,i50_mm_h,i100_mm_h"};
  for (int d : {5, 10, 15, 30, 60, 120, 180, 360, 720, 1440}) linhas.push_back(std::to_string(d) + ",1,,,,,,,,,,");
  EXPECT_EQ(dir.read("idf.csv"), crlf_lines(linhas));
  EXPECT_NE(r.errors.find("Aviso: sem curvas IDF: 1 ano completo (ao menos 0.00% dos passos registrados fora "
                          "de falhas), e o ajuste pede 5 ou mais."),
            std::string::npos)
      << r.errors;
}

}  // namespace
}  // namespace rain::testing
