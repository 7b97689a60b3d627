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
struct MASCARA_DATA {
  int DIA = 0;
  int MES = 0;
  int ANO = 0;
  // Day, month and year each named exactly once.
  bool completa() const { return DIA + MES + ANO == 6; }
};

// Reads a mask such as "DD-MM-YY", "day/month/year", "aaaa-mm-dd": the first
// letter of each of its first three parts says what stands there.
MASCARA_DATA LE_MASCARA(std::string_view formato);

// The raw date rewritten as day/month/year by the mask, each part copied as
// written; the date unchanged when the mask does not name all three.
std::string CONVERTE_FORMATO_DATA(std::string_view data, std::string_view formato);
std::string CONVERTE_FORMATO_DATA(std::string_view data, const MASCARA_DATA& mascara);

// The series file's name plus ".pvx": where each later stage reads from.
std::string NOME_TRABALHO(const std::string& saida);

// What a run did, for its summary line, and what it has to tell beyond it:
// records kept with a date the calendar does not have (only a series that is
// not resampled keeps them).
struct RESUMO_AJUSTE {
  std::int64_t LEITURAS = 0;   // data lines of the raw export turned into records
  std::int64_t REGISTROS = 0;  // records of the series written
  std::string ACUMULO;         // depth of the last reading, as the series writes it
  std::int64_t DATAS_IMPOSSIVEIS = 0;
  std::int64_t PRIMEIRA_LINHA_IMPOSSIVEL = 0;  // line of the raw file
  std::string PRIMEIRO_TEXTO_IMPOSSIVEL;       // that line, cut to 255 characters
};

// Writes the series under p.ENDERECO_SAIDA, then resamples it and counts its
// tips when the parameters ask for it. Throws Failure on every failure; a
// series to be resampled stops at its first record that is not a calendar
// date and clock time in time order.
RESUMO_AJUSTE AJUSTA_LEITURAS(Env& env, const PARAMETROS& p);

}  // namespace rain::formatter
