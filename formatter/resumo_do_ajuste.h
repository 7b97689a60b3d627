// What a run of Ajusta_Leituras did, gathered by its stages for the summary
// line and the notes on standard error.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formatter/conta_em_fluxo.h"

namespace rain::formatter {

// A fault of the export met on some of its lines: how many, and the first.
struct Ocorrencia {
  std::int64_t vezes = 0;
  long linha = 0;     // line of the raw file
  std::string texto;  // that line, cut to 255 characters
};

// What a run did, for its summary line, and what it has to tell beyond it.
struct ResumoDoAjuste {
  std::int64_t leituras = 0;   // data lines of the raw export turned into records
  std::int64_t registros = 0;  // records of the series written
  std::string acumulo;         // depth of the last reading, as the series writes it
  // Records kept with a date the calendar does not have (only a series that
  // is not resampled keeps them).
  Ocorrencia datas_impossiveis;
  Ocorrencia reinicios;   // a running total that went down
  Ocorrencia negativos;   // rain or tips of a reading below zero
  Ocorrencia repetidas;   // a data line the same as the one before
  // The depth before the first reading: 0, or the first running total.
  std::optional<double> acumulo_inicial;
  bool discretizada = false;
  bool basculas_derivadas = false;
  SomaDasBasculas basculas;  // when derived
  // Lines for standard error about outages and long gaps, in order.
  std::vector<std::string> avisos;
};

}  // namespace rain::formatter
