// The search run of Rastreia_Picos: checks the mode, copies the series to its
// work file kSearchWorkFile (the one reading of the series), writes the report column by
// column under a temporary name, moves it into place and deletes the work
// file.
#pragma once

#include <cstdint>
#include <string>

#include "common/env.h"
#include "common/file_names.h"

namespace rain::maxima {

struct ParametrosPesquisa {
  std::string ARQUIVO_ENTRADA;
  std::string ARQUIVO_SAIDA;
  std::string MODO_PESQUISA;
  std::string HORA_INICIO;
  std::string HORA_TERMINO;
  std::string DATA_INICIO;
  std::string DATA_TERMINO;
  double PRECISAO = 0;
  // "0" shows ARQUIVO_ENTRADA in the report title.
  std::string NOME_RELATORIO = "0";
};

// What a search did, for its summary line.
struct ResumoPesquisa {
  std::int64_t registros = 0;  // records of the series
  std::int64_t periodos = 0;   // periods in the report, every column counted
};

// Writes the maxima report. Returns when the report is complete; throws a
// Failure (one console line, exit code 1) otherwise, leaving neither a work
// file that this run created nor a partial report, and the report that was
// there before as it was. Paths longer than 255 characters, a report or work
// file that is the series or each other, a report that is a device and a file
// whose first record is no series record are refused before any file is
// written.
ResumoPesquisa PESQUISA_PERIODOS(Env& env, const ParametrosPesquisa& parametros);

// Number of blank-separated fields of a line, a tab counting as a blank.
int CONTA_CAMPOS(std::string_view linha);

}  // namespace rain::maxima
