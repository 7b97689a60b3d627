// The search modes of Rastreia_Picos and the rules that cut a series into
// periods: where the reference hour is crossed and which dates open a period.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "common/text.h"

namespace rain::maxima {

enum class Modo { TOTAL, INTERVALO, DIARIO, MENSAL, BIMESTRAL, TRIMESTRAL, SEMESTRAL, SAZONAL };

// The mode named by the typed text, in any letter case; nothing when unknown.
std::optional<Modo> modo_de_pesquisa(std::string_view digitado);
// The same, or the refusal of an unknown mode ("Erro: modo invalido.", exit
// code 1, the accepted modes named on standard error).
Modo modo_ou_recusa(std::string_view digitado);

// DIARIO to SAZONAL: the series is cut into many periods at a reference hour.
bool modo_periodico(Modo modo);

// A date splits into day and month at "-" and "/".
const DelimiterSet& separador_data();

// Columns 4 to `ultima` of a series line split at blanks only, in one pass
// over the line: `valores` gets one entry per column, the column's whole
// number, or nothing when the field is missing or is not a whole number that
// fits 32 bits.
void valores_das_colunas(std::string_view linha, int ultima, std::vector<std::optional<std::int32_t>>& valores);

// The reference hour lies between the line taken last (date, time) and the
// next one. A change of date alone is not a crossing: the next line must also
// be at or after the reference hour.
bool cruza_hora_referencia(std::string_view data_anterior, std::string_view hora_anterior,
                           std::string_view data_atual, std::string_view hora_atual,
                           std::string_view referencia);

// The date (as it stands in the series) is one on which a period of the mode
// may begin. Days compare as text, so "1" is never day "01".
bool data_de_fronteira(Modo modo, std::string_view data);

}  // namespace rain::maxima
