#include "resume/idf.h"

#include <gtest/gtest.h>

#include <functional>

namespace rain::resume {
namespace {

LinhaDeMaxima maxima(int ano, int duracao_min, double intensidade, double completude = 100) {
  LinhaDeMaxima m;
  m.ano = ano;
  m.duracao_min = duracao_min;
  m.completude_pct = completude;
  m.registros_validos = 1;
  m.maximo.calculavel = true;
  m.maximo.intensidade_mm_h = intensidade;
  return m;
}

// A year's rows, one per duration of the annual maxima table.
void ano(CurvasIdf& idf, int ano, const std::function<double(int)>& intensidade) {
  for (int d : kDuracoesAnuais) idf.maxima(maxima(ano, d, intensidade(d)));
}

const LinhaIdf& linha_de(const std::vector<LinhaIdf>& linhas, int duracao_min) {
  for (const LinhaIdf& l : linhas) {
    if (l.duracao_min == duracao_min) return l;
  }
  throw std::out_of_range("no row");
}

// A year shown with 90.00 % is complete against 90; one with 89.99 %, or
// without any record (no figure), is not, even when its maximum is the
// largest.
TEST(CurvasIdf, OnlyCompleteYearsWithAFigureEnterTheFit) {
  CurvasIdf idf(900, Distribuicao::kGumbel, 90);
  const std::vector<double> completos{40, 55, 30, 62, 47};
  for (std::size_t k = 0; k < completos.size(); ++k) idf.maxima(maxima(2000 + int(k), 60, completos[k], 89.996));
  idf.maxima(maxima(2005, 60, 300, 89.99));
  LinhaDeMaxima sem_registros = maxima(2006, 60, 0);
  sem_registros.maximo.calculavel = false;
  idf.maxima(sem_registros);

  const std::vector<LinhaIdf> linhas = idf.linhas();
  // 15 minutes and up are whole numbers of 15-minute steps.
  ASSERT_EQ(linhas.size(), 8u);
  EXPECT_EQ(linhas.front().duracao_min, 15);
  const LinhaIdf& hora = linha_de(linhas, 60);
  EXPECT_EQ(hora.anos, 5);
  ASSERT_TRUE(hora.ajuste);
  const Ajuste esperado = ajusta_gumbel(momentos_l(completos));
  EXPECT_DOUBLE_EQ(hora.ajuste->posicao, esperado.posicao);
  EXPECT_DOUBLE_EQ(hora.intensidades_mm_h[5], esperado.quantil(100));
  EXPECT_EQ(linha_de(linhas, 15).anos, 0);
  EXPECT_FALSE(linha_de(linhas, 15).ajuste);

  // Against a minimum of 0 any year with a step seen counts; one wholly in
  // outages has a maximum of 0 that no storm made.
  LinhaDeMaxima em_falha = maxima(2007, 60, 0, 0);
  EXPECT_TRUE(entra_na_idf(em_falha, 0));
  em_falha.registros_validos = 0;
  EXPECT_FALSE(entra_na_idf(em_falha, 0));
}

TEST(CurvasIdf, AStepThatFitsNoDurationIsTold) {
  EXPECT_EQ(CurvasIdf(420, Distribuicao::kGumbel, 90).linhas().size(), 0u);
  EXPECT_EQ(avisos_da_idf({}, 90), std::vector<std::string>{"Aviso: sem curvas IDF: nenhuma duracao de 5 a 1440 "
                                                             "minutos e um numero inteiro de passos."});
}

// Five years are fitted, with a word that ten are recommended.
TEST(CurvasIdf, FewYearsAreFittedAndTold) {
  CurvasIdf idf(3600, Distribuicao::kGev, 90);
  for (int a = 2000; a < 2005; ++a) ano(idf, a, [&](int d) { return 1200.0 / d + a % 7; });
  EXPECT_TRUE(idf.linhas().front().ajuste);
  EXPECT_EQ(avisos_da_idf(idf.linhas(), 90),
            std::vector<std::string>{"Aviso: curvas IDF ajustadas a so 5 anos completos (ao menos 90.00% dos passos "
                                     "registrados fora de falhas); 10 ou mais sao recomendados."});
}

// The hour's maxima spread much more than the half hour's: from 25 years on
// the fitted hour is more intense than the fitted half hour from 5 years on.
TEST(CurvasIdf, CurvesThatCrossAreLeftAsFittedAndTold) {
  CurvasIdf idf(1800, Distribuicao::kGumbel, 90);
  const double meia_hora[] = {50, 52, 54, 56, 58, 60, 51, 53, 55, 57};
  const double hora[] = {10, 20, 30, 40, 50, 60, 70, 80, 90, 45};
  for (int k = 0; k < 10; ++k) {
    ano(idf, 2000 + k, [&](int d) { return d == 30 ? meia_hora[k] : d == 60 ? hora[k] : 2000.0 / d + k % 3; });
  }
  const std::vector<LinhaIdf> linhas = idf.linhas();
  const Ajuste ajuste_da_hora = ajusta_gumbel(momentos_l({hora, hora + 10}));
  EXPECT_DOUBLE_EQ(linha_de(linhas, 60).intensidades_mm_h[5], ajuste_da_hora.quantil(100));
  EXPECT_EQ(avisos_da_idf(linhas, 90),
            std::vector<std::string>{"Aviso: curvas IDF que se cruzam: a intensidade de 5 anos cresce de 57.17 mm/h "
                                     "em 30 min para 70.28 mm/h em 60 min (e em mais 4 pontos); os valores ficam "
                                     "como ajustados."});
}

}  // namespace
}  // namespace rain::resume
