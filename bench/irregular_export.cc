// Writes a raw logger export of irregular readings for the resampling
// benchmark: irregular_export <file> [years]. One ";" line per reading,
// "dd/mm/yy;hh:mm:ss;rain", a reading every 1 to 10 minutes and at every tip
// in between, from 01/01/05 on.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

int days_in_month(int month, int year) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && year % 4 == 0) return 29;
  return kDays[month - 1];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <file> [years]\n", argv[0]);
    return 2;
  }
  const int years = argc > 2 ? std::atoi(argv[2]) : 10;
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) return 1;
  std::mt19937 random(20050101);
  std::uniform_int_distribution<int> gap(60, 600);
  std::uniform_int_distribution<int> percent(0, 99);
  long lines = 0;
  for (int year = 5; year < 5 + years; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= days_in_month(month, year); ++day) {
        bool raining = percent(random) < 15;
        for (int second = gap(random) % 300; second < 86400; second += raining ? gap(random) / 4 : gap(random)) {
          const char* rain = raining && percent(random) < 60 ? "0.2" : "0";
          std::fprintf(out, "%02d/%02d/%02d;%02d:%02d:%02d;%s\r\n", day, month, year % 100, second / 3600,
                       second / 60 % 60, second % 60, rain);
          ++lines;
        }
      }
    }
  }
  std::fclose(out);
  std::fprintf(stderr, "%ld readings\n", lines);
  return 0;
}
