// Resampling of an irregular series onto a fixed time step.
#pragma once

#include <string>

#include "common/env.h"
#include "formatter/work_files.h"

namespace rain::formatter {

// Reads the series `entrada` and writes under `saida` one record per slot of
// the day grid of step `intervalo` ("hh:mm:ss"), from the first slot after the
// first record to the first slot after the last one, each carrying the
// accumulated depth of the latest record at or before it. The grid and the
// day list are kept in "buffer_horas.dat" and "buffer_datas.dat" in the
// current directory and reused when they hold what the step or the range
// gives; the slots pass through `vagas`, by default `saida` + "~". Failures
// throw Failure with an "Erro: " line.
void DISCRETIZA_NO_TEMPO(Env& env, const std::string& entrada, const std::string& saida, const Passo& intervalo,
                         const std::string& vagas = {});

}  // namespace rain::formatter
