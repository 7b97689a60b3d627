// Resampling of an irregular series onto a fixed time step.
#pragma once

#include <string>

#include "common/env.h"

namespace rain::formatter {

// Reads the series `entrada` and writes under `saida` one record per slot of
// the day grid of step `intervalo` ("hh:mm:ss"), from the first slot after the
// first record to the first slot after the last one, each carrying the
// accumulated depth of the latest record at or before it. The grid and the
// day list are kept in "buffer_horas.dat" and "buffer_datas.dat" in the
// current directory and reused when their first line fits; the slots pass
// through `saida` + "~". A bad interval stops with exit code 1 and no message
// before any file is touched; other failures throw Failure with an "Erro: "
// line.
// Refuses, with exit code 1 and no message on standard output (the reason on
// standard error), a step that is not hours 0..23, minutes and seconds 0..59,
// not all zero.
void CONFERE_INTERVALO(const std::string& intervalo);

void DISCRETIZA_NO_TEMPO(Env& env, const std::string& entrada, const std::string& saida,
                         const std::string& intervalo);

}  // namespace rain::formatter
