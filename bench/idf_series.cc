// Writes a normalized series of whole calendar years whose storms change from
// year to year, for the IDF curves and for timing:
//   bench_idf_series <output file> [years] [step in seconds] [first year]
// 30 years of 15-minute steps from 1991 unless given. The series writes
// two-digit years, read as 1970 to 2069: the years must lie in that span.
#include <cstdio>
#include <cstdlib>

#include "bench/chuva_sintetica.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <output file> [years] [step in seconds] [first year]\n", argv[0]);
    return 2;
  }
  rain::bench::ChuvaSintetica chuva;
  if (argc > 2) chuva.anos = std::atoi(argv[2]);
  if (argc > 3) chuva.passo_s = std::atoi(argv[3]);
  if (argc > 4) chuva.primeiro_ano = std::atoi(argv[4]);
  if (chuva.anos < 1 || chuva.primeiro_ano < 1970 || chuva.primeiro_ano + chuva.anos > 2070 || chuva.passo_s < 1 ||
      86400 % chuva.passo_s != 0) {
    std::fprintf(stderr, "the years must lie from 1970 to 2069 and the step must divide the day\n");
    return 2;
  }
  std::FILE* saida = std::fopen(argv[1], "wb");
  if (!saida) return 1;
  static char buffer[1 << 20];
  std::setvbuf(saida, buffer, _IOFBF, sizeof buffer);
  rain::bench::escreve_chuva_sintetica(chuva, [&](std::string_view linha) {
    std::fwrite(linha.data(), 1, linha.size(), saida);
    std::fputs("\r\n", saida);
  });
  return std::fclose(saida) == 0 ? 0 : 1;
}
