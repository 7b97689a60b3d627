// Writes a normalized series of one record per minute over ten years, with
// storms that come and go like real ones, for timing Fatia_Chuvadas:
//   bench_events_series <output file> [years]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "common/calendar.h"

namespace {

// A storm starts about twice a week (more often in the wet half of the year),
// lasts from minutes to many hours, and tips at a rate that rises and falls
// through it, with dry minutes inside.
class Chuva {
 public:
  explicit Chuva(unsigned semente) : gerador_(semente) {}

  int basculacoes(int mes) {
    if (minutos_restantes_ == 0) {
      const double chance = (mes >= 10 || mes <= 3) ? 1.0 / 3000 : 1.0 / 9000;
      if (uniforme_(gerador_) >= chance) return 0;
      minutos_restantes_ = 5 + static_cast<int>(std::exponential_distribution<double>(1.0 / 150)(gerador_));
      base_ = std::gamma_distribution<double>(1.2, 0.25)(gerador_);
      variacao_ = 0;
    }
    --minutos_restantes_;
    // The rate wanders around the storm's own level instead of drifting away.
    variacao_ = 0.9 * variacao_ + std::normal_distribution<double>(0, 0.3)(gerador_);
    if (uniforme_(gerador_) < 0.2) return 0;  // a lull inside the storm
    return std::poisson_distribution<int>(base_ * std::exp(variacao_))(gerador_);
  }

 private:
  std::mt19937 gerador_;
  std::uniform_real_distribution<double> uniforme_{0, 1};
  int minutos_restantes_ = 0;
  double base_ = 0;      // mean tips per minute of the storm
  double variacao_ = 0;  // log of the rate's departure from it
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <output file> [years]\n", argv[0]);
    return 2;
  }
  const int anos = argc > 2 ? std::atoi(argv[2]) : 10;
  std::FILE* saida = std::fopen(argv[1], "wb");
  if (!saida) return 1;
  static char buffer[1 << 20];
  std::setvbuf(saida, buffer, _IOFBF, sizeof buffer);
  std::fputs("Hora Data Acumulo Basculacao\r\n", saida);
  Chuva chuva(20150101);
  long long centesimos = 0;  // accumulated depth, hundredths of a millimetre
  for (int ano = 2015; ano < 2015 + anos; ++ano) {
    for (int mes = 1; mes <= 12; ++mes) {
      for (int dia = 1; dia <= rain::days_in_month(mes, ano); ++dia) {
        for (int minuto = 0; minuto < 24 * 60; ++minuto) {
          const int tips = chuva.basculacoes(mes);
          centesimos += tips * 20;
          std::fprintf(saida, "%02d:%02d:00 %02d/%02d/%02d %lld.%02lld %d\r\n", minuto / 60, minuto % 60, dia, mes,
                       ano % 100, centesimos / 100, centesimos % 100, tips);
        }
      }
    }
  }
  return std::fclose(saida) == 0 ? 0 : 1;
}
