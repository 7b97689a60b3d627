// One pass over a series file that writes the events table, the annual
// maxima table and, when asked, the erosivity table and the IDF table.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/env.h"
#include "resume/distribuicoes.h"
#include "resume/resumo.h"

namespace rain::resume {

struct ArquivosDoResumo {
  std::string serie;
  std::string eventos;
  std::string maximas;
  std::optional<std::string> falhas;       // the outage list, read
  std::optional<std::string> erosividade;  // the erosivity table, written
  std::optional<std::string> idf;          // the IDF table, written
};

struct ResultadoDasTabelas {
  TotaisDoResumo totais;
  // Lines for standard error about the figures (the IDF table's warnings).
  std::vector<std::string> avisos;
};

// Reads the outage list when one is named, then the series, and writes the
// tables, each under a temporary name moved into place only when all are
// complete. Throws Failure when the list or the series cannot be read or a
// table cannot be written; no table is then left half written and an earlier
// table of that name is unchanged. The outage list fills parametros.falhas;
// the IDF curves are of `distribuicao`.
ResultadoDasTabelas escreve_tabelas(Env& env, const ArquivosDoResumo& arquivos, ParametrosDoResumo parametros,
                                    Distribuicao distribuicao = Distribuicao::kGumbel);

// The names a run reads and writes, each table with its temporary name.
// Throws Failure on a clash.
void confere_arquivos(Env& env, const ArquivosDoResumo& arquivos);

}  // namespace rain::resume
