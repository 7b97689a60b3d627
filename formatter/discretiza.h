// Resampling of an irregular series onto a fixed time step.
#pragma once

#include <string>

#include "common/env.h"

namespace rain::formatter {

// Reads the series `entrada` and writes under `saida` one record per slot of
// the day grid of step `intervalo` ("hh:mm:ss"), each carrying the accumulated
// depth of the latest record at or before it. Throws Failure on a refusal.
void DISCRETIZA_NO_TEMPO(Env& env, const std::string& entrada, const std::string& saida,
                         const std::string& intervalo);

}  // namespace rain::formatter
