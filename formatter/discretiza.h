// The resampling through the work files: the series is read from one file and
// written, one record per slot, to another.
#pragma once

#include <string>

#include "common/env.h"
#include "formatter/passo.h"

namespace rain::formatter {

// Resamples the series `entrada` through DiscretizacaoEmFluxo into `saida`.
// Before, the series' records are checked and the grid and day list caches
// made or kept (formatter/work_files.h); the slots, "hh:mm:ss dd/mm/yy" a
// line, pass through the file `vagas`, which goes when the run is done with
// it. Failures throw Failure with an "Erro: " line.
void DISCRETIZA_NO_TEMPO(Env& env, const std::string& entrada, const std::string& saida, const Passo& intervalo,
                         const std::string& vagas);

}  // namespace rain::formatter
