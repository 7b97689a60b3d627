// Writes a long raw logger export for timing the formatter:
//   bench_gera_leituras <file> [years]
// Readings every one to nine minutes at irregular times, with rain in storms
// that come every few days, as "dd/mm/yyyy;hh:mm:ss;rain;tips;battery".
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/calendar.h"

namespace {

// A fixed-seed generator, so every run writes the same file.
struct Lcg {
  std::uint64_t state = 20250301;
  std::uint32_t next() {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::uint32_t>(state >> 33);
  }
  int between(int low, int high) { return low + static_cast<int>(next() % static_cast<std::uint32_t>(high - low + 1)); }
};

struct Clock {
  int year = 2010, month = 1, day = 1;
  int seconds = 0;
  void advance(int s) {
    seconds += s;
    while (seconds >= 86400) {
      seconds -= 86400;
      if (++day > rain::days_in_month(month, year)) {
        day = 1;
        if (++month > 12) month = 1, ++year;
      }
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <file> [years]\n", argv[0]);
    return 2;
  }
  const int years = argc > 2 ? std::atoi(argv[2]) : 10;
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) return 1;
  std::fputs("Posto de ensaio - registrador 0001 - bascula de 0,2 mm\r\n", out);
  std::fputs("Data;Hora;Chuva (mm);Basculadas;Bateria (V)\r\n", out);
  Lcg rng;
  Clock t;
  int storm_left = 0;  // seconds of rain still to come
  int dry_left = rng.between(1, 6) * 86400;
  long long lines = 0;
  while (t.year < 2010 + years) {
    int step = storm_left > 0 ? rng.between(60, 180) : rng.between(300, 540);
    int tips = storm_left > 0 ? rng.between(0, 8) : 0;
    std::fprintf(out, "%02d/%02d/%04d;%02d:%02d:%02d;%d.%d;%d;12.%02d\r\n", t.day, t.month, t.year, t.seconds / 3600,
                 t.seconds / 60 % 60, t.seconds % 60, tips * 2 / 10, tips * 2 % 10, tips, rng.between(40, 99));
    ++lines;
    t.advance(step);
    if (storm_left > 0) {
      storm_left -= step;
      if (storm_left <= 0) dry_left = rng.between(1, 6) * 86400;
    } else if ((dry_left -= step) <= 0) {
      storm_left = rng.between(1, 8) * 3600;
    }
  }
  std::fclose(out);
  std::printf("%lld readings\n", lines);
  return 0;
}
