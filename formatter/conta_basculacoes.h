// Tip counting: each record of the series gets the number of bucket tips
// between it and the next record, derived from the accumulated depth.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/env.h"
#include "formatter/conta_em_fluxo.h"

namespace rain::formatter {

// Copies the series `entrada` to `saida` with " Basculacao" after the header
// (unless `titulo_pronto`: the header names the tips already) and the tip
// count after each record; the last record, which has no successor, is
// dropped. Throws Failure on an unreadable depth (a note on standard error
// names its line) and on a file that cannot be read or written.
SomaDasBasculas CONTA_BASCULACOES(Env& env, const std::string& entrada, const std::string& saida,
                                  double tamanho_bascula, bool titulo_pronto = false);

// Tips between the depths `str1` and `str2` ("." as decimal point) for a
// bucket of `capacidade` mm: rounded with halves away from zero, "-0" for a
// small fall, right-aligned in at least 5 characters. Nothing when either
// depth is not a number.
std::optional<std::string> OBTEMBASCULACAO(std::string_view str1, std::string_view str2, double capacidade);

}  // namespace rain::formatter
