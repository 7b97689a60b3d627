#include "events/deteccao.h"

#include <gtest/gtest.h>

#include <vector>

namespace rain::events {
namespace {

struct R {
  int indice;
  int basculacoes;
  int basculacoes_na_busca;
};

// The events as [first, last] record numbers.
struct Ouvinte {
  std::vector<std::pair<int, int>> eventos;
  int primeiro = -1;
  int ultimo = -1;
  void inicio(const R& r) { primeiro = r.indice; }
  void corpo(R&& r) { ultimo = r.indice; }
  void fim(std::int64_t, bool corpo_vazio) {
    if (!corpo_vazio) eventos.emplace_back(primeiro, ultimo);
  }
};

std::vector<std::pair<int, int>> eventos(const std::vector<int>& tips, std::int64_t n, double limite_seco) {
  Ouvinte ouvinte;
  DeteccaoDeEventos<R, Ouvinte> deteccao(n, RegraDeSeco{0.2, limite_seco}, ouvinte);
  for (int i = 0; i < static_cast<int>(tips.size()); ++i) deteccao.acrescenta(R{i, tips[i], tips[i]});
  deteccao.termina();
  return ouvinte.eventos;
}

using Eventos = std::vector<std::pair<int, int>>;

TEST(DeteccaoDeEventos, DryLimitEndsAnEventAtItsLastRecordWithTipsBeforeAThinStretch) {
  // Two records holding 1 tip (0.2 mm) count as dry against 1.27 mm: the event
  // of 5 tips ends there and the lone tip starts the next one.
  EXPECT_EQ(eventos({5, 0, 1, 0, 0}, 2, 1.27), (Eventos{{0, 0}, {2, 2}}));
  EXPECT_EQ(eventos({5, 0, 1, 0, 0}, 2, 0), (Eventos{{0, 2}}));
  // Seven tips (1.4 mm) in the stretch keep the event whole.
  EXPECT_EQ(eventos({5, 0, 7, 0, 0}, 2, 1.27), (Eventos{{0, 2}}));
  // The stretch after a record without tips does not end the event there.
  EXPECT_EQ(eventos({5, 0, 0, 0}, 2, 1.27), (Eventos{{0, 0}}));
}

TEST(DeteccaoDeEventos, DepthEqualToTheDryLimitIsNotLess) {
  // 5 tips of 0.254 mm are 1.27 mm; 4 tips are less.
  for (int meio : {5, 4}) {
    Ouvinte ouvinte;
    DeteccaoDeEventos<R, Ouvinte> deteccao(1, RegraDeSeco{0.254, 1.27}, ouvinte);
    const int tips[] = {5, meio, 5};
    for (int i = 0; i < 3; ++i) deteccao.acrescenta(R{i, tips[i], tips[i]});
    deteccao.termina();
    EXPECT_EQ(ouvinte.eventos, meio == 5 ? (Eventos{{0, 2}}) : (Eventos{{0, 0}, {1, 2}}));
  }
}

}  // namespace
}  // namespace rain::events
