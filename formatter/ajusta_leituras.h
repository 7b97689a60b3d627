// Ajusta_Leituras' one working procedure: the raw logger export into the
// normalized series file, through the stages the parameters ask for.
#pragma once

#include <string>

#include "common/env.h"
#include "formatter/parametros.h"
#include "formatter/resumo_do_ajuste.h"

namespace rain::formatter {

// The series file's name plus ".pvx", cut to 255 characters: where each later
// stage reads from.
std::string nome_de_trabalho(const std::string& saida);

// Writes the series under p.ENDERECO_SAIDA, then resamples it and counts its
// tips when the parameters ask for it. Throws Failure on every failure; a
// series to be resampled stops at its first record that is not a calendar
// date and clock time in time order.
ResumoDoAjuste AJUSTA_LEITURAS(Env& env, const ParametrosDoAjuste& p);

}  // namespace rain::formatter
