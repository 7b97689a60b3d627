#include "events/tempestades.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "events/deteccao.h"

namespace rain::events {
namespace {

struct R {
  int indice;
  int basculacoes;
  int basculacoes_na_busca;
};

// The events as [first, last] record numbers, with the records each one was
// handed checked to run without a hole from the first to the last.
struct Ouvinte {
  std::vector<std::pair<int, int>> eventos;
  int primeiro = -1;
  int ultimo = -1;
  void inicio(const R& r) {
    primeiro = r.indice;
    ultimo = r.indice - 1;
  }
  void corpo(R&& r) {
    EXPECT_EQ(r.indice, ultimo + 1);
    ultimo = r.indice;
  }
  void fim(std::int64_t, bool corpo_vazio) {
    if (!corpo_vazio) eventos.emplace_back(primeiro, ultimo);
  }
};

using Eventos = std::vector<std::pair<int, int>>;

Eventos tempestades(const std::vector<int>& tips, std::int64_t n, double precisao = 0.2, double limite = 1.27) {
  Ouvinte ouvinte;
  DeteccaoDeTempestades<R, Ouvinte> deteccao(n, LimiteSeco{precisao, limite}, ouvinte);
  for (int i = 0; i < static_cast<int>(tips.size()); ++i) deteccao.acrescenta(R{i, tips[i], tips[i]});
  deteccao.termina();
  return ouvinte.eventos;
}

TEST(DeteccaoDeTempestades, ATailThinnerThanTheLimitStaysInTheStorm) {
  // 1.0 mm in the three records after the storm's rain, nothing after it.
  EXPECT_EQ(tempestades({10, 0, 5, 0, 0, 0}, 3), (Eventos{{0, 2}}));
  // The tail's record need not be the last of the period.
  EXPECT_EQ(tempestades({10, 0, 2, 3, 0, 0, 0}, 3), (Eventos{{0, 3}}));
}

TEST(DeteccaoDeTempestades, ATailFollowedByTheLimitStartsTheNextStorm) {
  // The 5 tips at record 2 have 10 tips (2 mm) in the three records after them.
  EXPECT_EQ(tempestades({10, 0, 5, 0, 10, 0, 0, 0}, 3), (Eventos{{0, 0}, {2, 4}}));
}

TEST(DeteccaoDeTempestades, RainAfterTheDividingPeriodStartsTheNextStorm) {
  // A dry period, as the event separation cuts it.
  EXPECT_EQ(tempestades({10, 0, 0, 0, 1, 0, 0, 0}, 3), (Eventos{{0, 0}, {4, 4}}));
  // The tail at record 3 is followed by thin rain past the period, at record 6.
  EXPECT_EQ(tempestades({10, 0, 0, 3, 0, 0, 3, 0, 0, 0}, 3), (Eventos{{0, 3}, {6, 6}}));
  // A storm open at the end of the series closes as if dry records followed.
  EXPECT_EQ(tempestades({0, 3, 0}, 5), (Eventos{{1, 1}}));
}

TEST(DeteccaoDeTempestades, DepthEqualToTheDryLimitIsNotLess) {
  // 5 tips of 0.254 mm are 1.27 mm; 4 tips are less, and the record after
  // them, followed by 1.27 mm, starts the next storm.
  EXPECT_EQ(tempestades({5, 5, 5}, 1, 0.254), (Eventos{{0, 2}}));
  EXPECT_EQ(tempestades({5, 4, 5}, 1, 0.254), (Eventos{{0, 0}, {1, 2}}));
}

// A limit below one tip cuts the events of Fatia_Chuvadas: any rain in the N
// records after a record keeps the storm going.
TEST(DeteccaoDeTempestades, ALimitBelowOneTipCutsTheEventsOfTheEventSeparation) {
  std::mt19937 aleatorio(7);
  for (int caso = 0; caso < 200; ++caso) {
    std::vector<int> tips(1 + aleatorio() % 60);
    for (int& t : tips) t = aleatorio() % 4 == 0 ? static_cast<int>(aleatorio() % 3) + 1 : 0;
    const std::int64_t n = 1 + aleatorio() % 6;
    Ouvinte ouvinte;
    DeteccaoDeEventos<R, Ouvinte> deteccao(n, ouvinte);
    for (int i = 0; i < static_cast<int>(tips.size()); ++i) deteccao.acrescenta(R{i, tips[i], tips[i]});
    deteccao.termina();
    EXPECT_EQ(tempestades(tips, n, 0.2, 0.1), ouvinte.eventos) << caso;
  }
}

// The rule read straight off its words, over the whole series at once.
Eventos pela_regra(const std::vector<int>& tips, int n, int limite_em_basculacoes) {
  const int total = static_cast<int>(tips.size());
  auto seguida = [&](int r) {
    int soma = 0;
    for (int k = r + 1; k <= r + n && k < total; ++k) soma += tips[k];
    return soma >= limite_em_basculacoes;
  };
  Eventos eventos;
  int r = 0;
  while (r < total && tips[r] == 0) ++r;
  while (r < total) {
    const int primeiro = r;
    while (seguida(r)) {
      do ++r; while (tips[r] == 0);
    }
    int ultimo = r, proximo = total;
    for (int q = r + 1; q <= r + n && q < total; ++q) {
      if (tips[q] == 0) continue;
      if (seguida(q)) {
        proximo = q;
        break;
      }
      ultimo = q;
    }
    eventos.emplace_back(primeiro, ultimo);
    if (proximo == total) {
      proximo = r + n + 1;
      while (proximo < total && tips[proximo] == 0) ++proximo;
    }
    r = proximo;
  }
  return eventos;
}

TEST(DeteccaoDeTempestades, RecordByRecordAsTheRuleReadsOverTheWholeSeries) {
  std::mt19937 aleatorio(11);
  for (int caso = 0; caso < 500; ++caso) {
    std::vector<int> tips(1 + aleatorio() % 80);
    for (int& t : tips) t = aleatorio() % 3 == 0 ? static_cast<int>(aleatorio() % 4) + 1 : 0;
    const int n = 1 + static_cast<int>(aleatorio() % 8);
    const int limite = 1 + static_cast<int>(aleatorio() % 7);  // in tips of 0.25 mm
    EXPECT_EQ(tempestades(tips, n, 0.25, limite * 0.25), pela_regra(tips, n, limite)) << caso;
  }
}

}  // namespace
}  // namespace rain::events
