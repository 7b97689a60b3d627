// Thirty synthetic years for the IDF curves end to end, written by the
// benchmarks' generator: 1991 to 2020 (on 15-minute steps, about a million
// records), and an outage list that leaves 1995 incomplete.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string_view>

#include "bench/chuva_sintetica.h"
#include "tests/support/e2e.h"

namespace rain::testing {

// Writes serie.txt.
inline void escreve_trinta_anos(const ScratchDir& dir, std::int64_t passo_s) {
  std::FILE* serie = std::fopen(dir.file("serie.txt").c_str(), "wb");
  ASSERT_NE(serie, nullptr);
  bench::escreve_chuva_sintetica({1991, 30, passo_s, 1}, [&](std::string_view linha) {
    std::fwrite(linha.data(), 1, linha.size(), serie);
    std::fputs("\r\n", serie);
  });
  ASSERT_EQ(std::fclose(serie), 0);
}

// 73 days of 1995, 20 % of it: the year keeps 80.00 % of its steps.
inline const std::string kFalhasDe1995 = "inicio,fim\r\n1995-03-01T00:00:00,1995-05-13T00:00:00\r\n";

}  // namespace rain::testing
