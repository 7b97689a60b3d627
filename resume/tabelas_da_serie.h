// One pass over a series file that writes the events table and the annual
// maxima table.
#pragma once

#include <string>

#include "common/env.h"
#include "resume/resumo.h"

namespace rain::resume {

struct ArquivosDoResumo {
  std::string serie;
  std::string eventos;
  std::string maximas;
};

// Reads the series and writes both tables, each under a temporary name moved
// into place only when complete. Throws Failure when the series cannot be
// read or a table cannot be written; no table is then left half written and
// an earlier table of that name is unchanged.
TotaisDoResumo escreve_tabelas(Env& env, const ArquivosDoResumo& arquivos, const ParametrosDoResumo& parametros);

// The names a run reads and writes, each table with its temporary name.
void confere_arquivos(Env& env, const ArquivosDoResumo& arquivos);

}  // namespace rain::resume
