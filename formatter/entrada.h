// Entry of Ajusta_Leituras: the fifteen run parameters, taken from the command
// line or asked one by one on the console, then handed to the conversion.
#pragma once

#include <string>
#include <vector>

#include "common/console.h"
#include "common/env.h"
#include "formatter/parametros.h"

namespace rain::formatter {

// Fifteen arguments into the parameters; throws Failure on a refused number.
ParametrosDoAjuste le_linha_de_comando(const std::vector<std::string>& args);

// The console dialogue of fifteen (or thirteen) questions; throws Failure at
// the first numeric answer that is not a number.
ParametrosDoAjuste dialogo(Console& console);

void escreve_utilizacao(Console& console);

// The whole program: returns its exit code.
int run_ajusta_leituras(const std::vector<std::string>& args, Console& console, Env& env);

}  // namespace rain::formatter
