// The tip counting through the work file: the series is read from one file
// and written, each record with its count, to another.
#pragma once

#include <string>

#include "common/env.h"
#include "formatter/conta_em_fluxo.h"

namespace rain::formatter {

// Copies the series `entrada` to `saida` through ContagemEmFluxo. Throws
// Failure on a file that cannot be read or written, and on a depth that is not
// a number, silently but for a note on standard error that names its line of
// `entrada` (which the stop leaves in place).
SomaDasBasculas CONTA_BASCULACOES(Env& env, const std::string& entrada, const std::string& saida,
                                  double tamanho_bascula, bool titulo_pronto = false);

}  // namespace rain::formatter
