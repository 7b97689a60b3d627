#include "resume/resumo.h"

#include <gtest/gtest.h>

#include "tests/support/expect_failure.h"

#include <cstdio>

#include "common/failure.h"

namespace rain::resume {
namespace {

struct Resultado {
  std::vector<LinhaDeEvento> eventos;
  std::vector<LinhaDeMaxima> maximas;
  TotaisDoResumo totais;
};

Resultado resume(const std::vector<std::string>& linhas, std::int64_t janela, std::int64_t passo_s = 300,
                 double limite_seco = 0, double precisao = 0.2) {
  ParametrosDoResumo p;
  p.janela = janela;
  p.precisao = precisao;
  p.passo_s = passo_s;
  p.limite_seco = limite_seco;
  Resultado r;
  Resumo resumo(
      p, [&](const LinhaDeEvento& e) { r.eventos.push_back(e); },
      [&](const LinhaDeMaxima& m) { r.maximas.push_back(m); });
  for (std::size_t i = 0; i < linhas.size(); ++i) resumo.acrescenta(le_registro(linhas[i], 2 + i));
  resumo.termina();
  r.totais = resumo.totais();
  return r;
}

// Records `passo_min` minutes apart from 10:00 on 01/02/05.
std::vector<std::string> registros(const std::vector<int>& tips, int passo_min = 5) {
  std::vector<std::string> linhas;
  for (std::size_t i = 0; i < tips.size(); ++i) {
    const std::size_t minutos = 600 + i * passo_min;
    char texto[64];
    std::snprintf(texto, sizeof texto, "%02zu:%02zu:00 %02zu/02/05 0.00 %d", minutos / 60 % 24, minutos % 60,
                  1 + minutos / 1440, tips[i]);
    linhas.emplace_back(texto);
  }
  return linhas;
}

Instante em(const char* hora, const char* data) { return *instante_da_serie(hora, data); }

TEST(Resumo, OneEventShorterThanHalfAnHourHasItsWindowsEnergyAndFlag) {
  // Tips 2, 0, 1, 4 from 10:05 to 10:20; the windows of 30 and 60 minutes
  // hold the event's records only. The deepest 15 minutes (5 tips) are
  // reached first from 10:10, a dry record: the maximum starts at 10:15.
  const Resultado r = resume(registros({0, 2, 0, 1, 4, 0, 0, 0, 0}), 3);
  ASSERT_EQ(r.eventos.size(), 1u);
  const LinhaDeEvento& e = r.eventos[0];
  EXPECT_EQ(e.evento, 1);
  EXPECT_EQ(e.inicio, em("10:05:00", "01/02/05"));
  EXPECT_EQ(e.fim, em("10:25:00", "01/02/05"));
  EXPECT_DOUBLE_EQ(e.duracao_h, 20.0 / 60);
  EXPECT_EQ(e.basculacoes, 7);
  EXPECT_FALSE(e.seco_antes_h);
  EXPECT_EQ(e.primeiro_registro, 1);
  EXPECT_EQ(e.ultimo_registro, 4);
  const double mm_h[] = {9.6, 6.0, 4.0, 2.8, 1.4};
  const char* inicio[] = {"10:20:00", "10:15:00", "10:15:00", "10:05:00", "10:05:00"};
  for (std::size_t k = 0; k < 5; ++k) {
    EXPECT_TRUE(e.intensidades[k].calculavel);
    EXPECT_NEAR(e.intensidades[k].intensidade_mm_h, mm_h[k], 1e-9) << k;
    EXPECT_EQ(e.intensidades[k].inicio, em(inicio[k], "01/02/05")) << k;
  }
  // e = 0.29 (1 - 0.72 exp(-0.082 i)) at 4.8, 2.4 and 9.6 mm/h, times 0.4, 0.2, 0.8 mm.
  EXPECT_NEAR(*e.energia_mj_ha, 0.239333, 1e-6);
  EXPECT_NEAR(*e.ei30_mj_mm_ha_h, 0.239333 * 2.8, 1e-5);
  EXPECT_FALSE(e.erosiva.value());
}

TEST(Resumo, ExactlyNDryRecordsSplitAndOneFewerDoesNot) {
  const Resultado dois = resume(registros({3, 0, 0, 0, 2}), 3);
  ASSERT_EQ(dois.eventos.size(), 2u);
  EXPECT_EQ(dois.eventos[1].evento, 2);
  EXPECT_EQ(dois.eventos[1].primeiro_registro, 4);
  EXPECT_DOUBLE_EQ(*dois.eventos[1].seco_antes_h, 0.25);  // 10:05 to 10:20
  const Resultado um = resume(registros({3, 0, 0, 2}), 3);
  ASSERT_EQ(um.eventos.size(), 1u);
  EXPECT_EQ(um.eventos[0].basculacoes, 5);
}

TEST(Resumo, AWindowHoldsItsEventsRainAndNotTheNextEvents) {
  // Five minutes without tips close an event: the 15-minute window of the
  // first event would reach the 4 tips of the second.
  const Resultado r = resume(registros({3, 0, 4, 0}), 1);
  ASSERT_EQ(r.eventos.size(), 2u);
  EXPECT_EQ(r.eventos[0].intensidades[2].basculacoes, 3);
  EXPECT_NEAR(*r.eventos[0].ei30_mj_mm_ha_h, *r.eventos[0].energia_mj_ha * 1.2, 1e-12);
  // The annual maxima run over the whole series.
  EXPECT_EQ(r.maximas[2].maximo.basculacoes, 7);
}

TEST(Resumo, ErosiveByDepthOrByFifteenMinutesAsTheTableRoundsThem) {
  // 64 tips (12.80 mm) spread thinly; 32 tips (6.40 mm) in fifteen minutes;
  // 31 tips in fifteen minutes and 63 in all are neither.
  std::vector<int> ralo(64, 0);
  for (std::size_t i = 0; i < ralo.size(); i += 2) ralo[i] = 2;
  EXPECT_TRUE(resume(registros(ralo), 3).eventos.at(0).erosiva.value());
  EXPECT_TRUE(resume(registros({10, 11, 11}), 3).eventos.at(0).erosiva.value());
  EXPECT_FALSE(resume(registros({10, 11, 10, 0, 10, 11, 10, 0, 1}), 3).eventos.at(0).erosiva.value());
  // 1269 tips of 0.005 mm: a double just under 6.345, which the table writes
  // 6.34 mm and an I15 of 25.38 mm/h.
  EXPECT_FALSE(resume(registros({1269}), 3, 300, 0, 0.005).eventos.at(0).erosiva.value());
}

TEST(Resumo, StepOfTenMinutesLeavesTheFiveAndFifteenMinuteFiguresOut) {
  const Resultado r = resume(registros({1, 3, 0, 0}, 10), 1, 600);
  ASSERT_EQ(r.eventos.size(), 1u);
  const LinhaDeEvento& e = r.eventos[0];
  EXPECT_FALSE(e.intensidades[0].calculavel);
  EXPECT_NEAR(e.intensidades[1].intensidade_mm_h, 3.6, 1e-9);
  EXPECT_FALSE(e.intensidades[2].calculavel);
  EXPECT_NEAR(e.intensidades[3].intensidade_mm_h, 1.6, 1e-9);
  EXPECT_TRUE(e.ei30_mj_mm_ha_h);
  std::vector<int> duracoes;
  for (const LinhaDeMaxima& m : r.maximas) duracoes.push_back(m.duracao_min);
  EXPECT_EQ(duracoes, (std::vector<int>{10, 30, 60, 120, 180, 360, 720, 1440}));
}

TEST(Resumo, WindowsStartingInOneYearRunIntoTheNextAndAMissingYearShows) {
  // Hourly records over the turn of the century, then a jump over 2001.
  const Resultado r = resume({"22:00:00 31/12/99 0 1", "23:00:00 31/12/99 0 2", "00:00:00 01/01/00 0 5",
                              "01:00:00 01/01/00 0 0", "00:00:00 01/01/02 0 0"},
                             1, 3600);
  ASSERT_EQ(r.maximas.size(), 4u * 6);
  auto linha = [&](int ano, int duracao) {
    for (const LinhaDeMaxima& m : r.maximas) {
      if (m.ano == ano && m.duracao_min == duracao) return m;
    }
    ADD_FAILURE() << ano << " " << duracao;
    return LinhaDeMaxima{};
  };
  EXPECT_EQ(r.maximas.front().ano, 1999);
  EXPECT_EQ(linha(1999, 60).maximo.basculacoes, 2);
  EXPECT_EQ(linha(1999, 120).maximo.basculacoes, 7);
  EXPECT_EQ(linha(1999, 120).maximo.inicio, em("23:00:00", "31/12/99"));
  EXPECT_EQ(linha(1999, 1440).maximo.basculacoes, 8);
  EXPECT_EQ(linha(1999, 60).registros, 2);
  EXPECT_EQ(linha(2000, 120).maximo.basculacoes, 5);
  EXPECT_EQ(linha(2000, 120).registros, 2);
  EXPECT_EQ(linha(2001, 60).registros, 0);
  EXPECT_FALSE(linha(2001, 60).maximo.calculavel);
  EXPECT_TRUE(linha(2002, 60).maximo.calculavel);
  EXPECT_EQ(linha(2002, 60).maximo.registro_inicio, -1);  // a dry year
}

TEST(Resumo, RecordsOutOfTimeOrderOrWithoutADateStopTheRunNamingTheLine) {
  for (const auto& linhas : {std::vector<std::string>{"10:00:00 01/02/05 0 1", "09:55:00 01/02/05 0 1"},
                             std::vector<std::string>{"10:00:00 01/02/05 0 1", "10:05:00 30/02/05 0 1"}}) {
    const Failure f = testing::ExpectFailure([&] { resume(linhas, 1); });
    EXPECT_NE(f.line().find("linha 3 "), std::string::npos) << f.line();
  }
}

TEST(Instante, TwoDigitYearsAndIsoText) {
  EXPECT_EQ(texto_iso(em("23:59:59", "31/12/69")), "2069-12-31T23:59:59");
  EXPECT_EQ(texto_iso(em("00:00:00", "01/01/70")), "1970-01-01T00:00:00");
  EXPECT_EQ(texto_iso(em("12:30:00", "29/02/2000")), "2000-02-29T12:30:00");
  EXPECT_EQ(ano_de(em("00:00:00", "01/01/99")), 1999);
  EXPECT_FALSE(instante_da_serie("24:00:00", "01/01/05"));
  EXPECT_FALSE(instante_da_serie("10:00:00", "29/02/01"));
  EXPECT_FALSE(instante_da_serie("10:00:00", "1/2/005"));
}

}  // namespace
}  // namespace rain::resume
