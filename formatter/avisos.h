// What a run of Ajusta_Leituras says on standard error beyond its summary
// line: the faults of the export it met and mended, and what the series
// cannot hold.
#pragma once

#include <string>
#include <vector>

#include "formatter/resumo_do_ajuste.h"

namespace rain::formatter {

// The lines, in the order they are written.
std::vector<std::string> avisos_do_ajuste(const ResumoDoAjuste& resumo, double capacidade);

// The summary's figures after the readings and records: the last depth and,
// when tips were derived, what they hold.
std::string acumulo_do_resumo(const ResumoDoAjuste& resumo, double capacidade);

}  // namespace rain::formatter
