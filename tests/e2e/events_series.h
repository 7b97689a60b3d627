// Series files for the Fatia_Chuvadas end-to-end tests.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/e2e.h"

namespace rain::testing::events {

inline const std::string kCabecalho = "Hora Data Acumulo Basculacao";

// The example series: with a window of 15 minutes it gives two events,
// records 3 to 5 and record 10.
inline const std::vector<int> kExemplo{0, 0, 2, 0, 1, 0, 0, 0, 0, 5, 0, 0, 0};

// One record per five minutes from 10:00:00 on 01/02/05, with the given tips
// and their running depth at 0.2 mm per tip.
inline std::vector<std::string> registros(const std::vector<int>& tips) {
  std::vector<std::string> linhas;
  int acumulo = 0;
  for (std::size_t i = 0; i < tips.size(); ++i) {
    acumulo += tips[i] * 20;
    const std::size_t minutos = 10 * 60 + i * 5;
    char texto[80];
    std::snprintf(texto, sizeof texto, "%02zu:%02zu:00 %02zu/02/05 %d.%02d %d", minutos / 60 % 24, minutos % 60,
                  1 + minutos / (24 * 60), acumulo / 100, acumulo % 100, tips[i]);
    linhas.emplace_back(texto);
  }
  return linhas;
}

// Lines [first, last] of a record list, 1-based.
inline std::vector<std::string> trecho(const std::vector<std::string>& linhas, std::size_t first, std::size_t last) {
  return std::vector<std::string>(linhas.begin() + static_cast<long>(first - 1), linhas.begin() + static_cast<long>(last));
}

// An event file: the header, then the records.
inline std::string evento(const std::vector<std::string>& corpo, const std::string& cabecalho = kCabecalho) {
  std::vector<std::string> linhas{cabecalho};
  linhas.insert(linhas.end(), corpo.begin(), corpo.end());
  return crlf_lines(linhas);
}

inline std::string serie(const std::vector<int>& tips) { return evento(registros(tips)); }

}  // namespace rain::testing::events
