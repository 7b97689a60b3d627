// Writes a synthetic normalized series for timing Rastreia_Picos:
//   bench_maxima_serie <file> <years> <columns 4|6>
// One record per minute from 01/01/05 00:00:00, rain in scattered showers.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/calendar.h"

namespace {

// A small fixed generator, so that every run writes the same file.
std::uint32_t proximo(std::uint64_t& estado) {
  estado = estado * 6364136223846793005ULL + 1442695040888963407ULL;
  return static_cast<std::uint32_t>(estado >> 33);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <file> <years> <columns 4|6>\n", argv[0]);
    return 2;
  }
  std::FILE* f = std::fopen(argv[1], "wb");
  if (!f) return 1;
  const int anos = std::atoi(argv[2]);
  const bool seis = std::atoi(argv[3]) == 6;
  std::fputs(seis ? "Hora Data Acumulo Basculacao Bascula_2 Bascula_3\r\n" : "Hora Data Acumulo Basculacao\r\n", f);
  std::uint64_t estado = 12345;
  std::int64_t acumulo = 0;
  int chuva_restante = 0;
  char linha[96];
  for (int ano = 2005; ano < 2005 + anos; ++ano) {
    for (int mes = 1; mes <= 12; ++mes) {
      for (int dia = 1; dia <= rain::days_in_month(mes, ano); ++dia) {
        for (int minuto = 0; minuto < 1440; ++minuto) {
          if (chuva_restante == 0 && proximo(estado) % 8000 == 0) chuva_restante = 30 + proximo(estado) % 300;
          int tips = 0;
          if (chuva_restante > 0) {
            --chuva_restante;
            // Mostly light rain, now and then a burst.
            std::uint32_t sorteio = proximo(estado) % 1000;
            tips = sorteio < 600 ? 0 : sorteio < 900 ? 1 : sorteio < 990 ? 2 + static_cast<int>(sorteio % 3)
                                                                         : 5 + static_cast<int>(sorteio % 20);
          }
          acumulo += tips * 20;
          int n = std::snprintf(linha, sizeof linha, "%02d:%02d:00 %02d/%02d/%02d %lld.%02lld %d", minuto / 60,
                                minuto % 60, dia, mes, ano % 100, static_cast<long long>(acumulo / 100),
                                static_cast<long long>(acumulo % 100), tips);
          if (seis) n += std::snprintf(linha + n, sizeof linha - n, " %d %d", tips / 2, tips * 3);
          linha[n++] = '\r';
          linha[n++] = '\n';
          std::fwrite(linha, 1, static_cast<std::size_t>(n), f);
        }
      }
    }
  }
  return std::fclose(f) == 0 ? 0 : 1;
}
