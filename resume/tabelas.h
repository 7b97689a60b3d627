// The CSV tables of Resume_Chuvadas: header rows and the text of each row
// (RFC 4180, "," between fields, "." as decimal point, empty fields for values
// that cannot be computed). Lines come without their end; the writer adds CR LF.
// The columns about outages are written only when an outage list was given
// (`com_falhas`), so tables of a run without one keep their columns.
#pragma once

#include <string>

#include "resume/erosividade.h"
#include "resume/idf.h"
#include "resume/resumo.h"

namespace rain::resume {

std::string cabecalho_dos_eventos(bool com_falhas = false);
std::string linha_do_evento(const LinhaDeEvento& evento, bool com_falhas = false);

std::string cabecalho_das_maximas(bool com_falhas = false);
std::string linha_da_maxima(const LinhaDeMaxima& maxima, bool com_falhas = false);

std::string cabecalho_da_erosividade();
std::string linha_da_erosividade(const LinhaDeErosividade& linha);

// A row without a fit has its duration and years, the other fields empty.
std::string cabecalho_da_idf();
std::string linha_da_idf(const LinhaIdf& linha);

}  // namespace rain::resume
