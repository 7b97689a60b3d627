// Conversion of a raw logger export into the normalized series file, and the
// chain of later stages that rewrite the series through its work file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/env.h"
#include "formatter/parametros.h"

namespace rain::formatter {

// Where day, month and year stand in a date mask (1 to 3, 0 when not named).
struct MascaraDeData {
  int dia = 0;
  int mes = 0;
  int ano = 0;
  // Day, month and year each named exactly once.
  bool completa() const { return dia + mes + ano == 6; }
};

// Reads a mask such as "DD-MM-YY", "day/month/year", "aaaa-mm-dd": the first
// letter of each of its first three parts says what stands there.
MascaraDeData le_mascara(std::string_view formato);

// The raw date rewritten as day/month/year by the mask, each part copied as
// written; the date unchanged when the mask does not name all three.
std::string CONVERTE_FORMATO_DATA(std::string_view data, std::string_view formato);
std::string CONVERTE_FORMATO_DATA(std::string_view data, const MascaraDeData& mascara);

// The series file's name plus ".pvx": where each later stage reads from.
std::string nome_de_trabalho(const std::string& saida);

// What a run did, for its summary line, and what it has to tell beyond it:
// records kept with a date the calendar does not have (only a series that is
// not resampled keeps them).
struct ResumoDoAjuste {
  std::int64_t leituras = 0;   // data lines of the raw export turned into records
  std::int64_t registros = 0;  // records of the series written
  std::string acumulo;         // depth of the last reading, as the series writes it
  std::int64_t datas_impossiveis = 0;
  std::int64_t primeira_linha_impossivel = 0;  // line of the raw file
  std::string primeiro_texto_impossivel;       // that line, cut to 255 characters
};

// Writes the series under p.ENDERECO_SAIDA, then resamples it and counts its
// tips when the parameters ask for it. Throws Failure on every failure; a
// series to be resampled stops at its first record that is not a calendar
// date and clock time in time order.
ResumoDoAjuste AJUSTA_LEITURAS(Env& env, const ParametrosDoAjuste& p);

}  // namespace rain::formatter
