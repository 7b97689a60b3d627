// The four parameters that cut a series into events (interruption limit,
// minimum event depth, precision, step), read from the command line or the
// dialogue in one way by every program that cuts events.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "common/console.h"

namespace rain::events {

struct ParametrosDeCorte {
  std::int64_t janela = 1;   // N: records of the stretch that closes an event
  double minimo = 0;         // mm; an event is kept only when deeper
  double precisao = 0;       // mm per bucket tip
  std::int64_t passo_s = 0;  // the step of the series, seconds
};

// From the command line, in this order. The two durations are tested first
// (CALCULA_JANELA); the minimum must be wholly a number and the precision a
// number above 0, or the run stops before any file is touched. `posicao` is the
// minimum's place on the program's command line, named in the refusal.
ParametrosDeCorte le_parametros_de_corte(const std::string& limite, const std::string& minimo,
                                         const std::string& precisao, const std::string& intervalo,
                                         int posicao_do_minimo = 4);

// The four questions of the dialogue, then the window length.
ParametrosDeCorte pergunta_parametros_de_corte(Console& console);

// A question answered with a number; anything else ends the dialogue at once.
double pergunta_numero(Console& console, std::initializer_list<std::string_view> pergunta);

}  // namespace rain::events
