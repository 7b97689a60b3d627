// Conversion of a raw logger export into the normalized series file, and the
// chain of later stages that rewrite the series through its work file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/env.h"
#include "formatter/conta_em_fluxo.h"
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
// The series file's name plus "~": the slots of the resampling.
std::string nome_das_vagas(const std::string& saida);

// A fault of the export met on some of its lines: how many, and the first.
struct Ocorrencia {
  std::int64_t vezes = 0;
  long linha = 0;     // line of the raw file
  std::string texto;  // that line, cut to 255 characters
};

// What a run did, for its summary line, and what it has to tell beyond it.
struct ResumoDoAjuste {
  std::int64_t leituras = 0;   // data lines of the raw export turned into records
  std::int64_t registros = 0;  // records of the series written
  std::string acumulo;         // depth of the last reading, as the series writes it
  // Records kept with a date the calendar does not have (only a series that
  // is not resampled keeps them).
  Ocorrencia datas_impossiveis;
  Ocorrencia reinicios;   // a running total that went down
  Ocorrencia negativos;   // rain or tips of a reading below zero
  Ocorrencia repetidas;   // a data line the same as the one before
  // The depth before the first reading: 0, or the first running total.
  std::optional<double> acumulo_inicial;
  bool discretizada = false;
  bool basculas_derivadas = false;
  SomaDasBasculas basculas;  // when derived
  // Lines for standard error about outages and long gaps, in order.
  std::vector<std::string> avisos;
};

// Writes the series under p.ENDERECO_SAIDA, then resamples it and counts its
// tips when the parameters ask for it. Throws Failure on every failure; a
// series to be resampled stops at its first record that is not a calendar
// date and clock time in time order.
ResumoDoAjuste AJUSTA_LEITURAS(Env& env, const ParametrosDoAjuste& p);

}  // namespace rain::formatter
