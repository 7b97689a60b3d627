// The two CSV tables of Resume_Chuvadas: header rows and the text of each row
// (RFC 4180, "," between fields, "." as decimal point, empty fields for values
// that cannot be computed). Lines come without their end; the writer adds CR LF.
#pragma once

#include <string>

#include "resume/resumo.h"

namespace rain::resume {

std::string cabecalho_dos_eventos();
std::string linha_do_evento(const LinhaDeEvento& evento);

std::string cabecalho_das_maximas();
std::string linha_da_maxima(const LinhaDeMaxima& maxima);

}  // namespace rain::resume
