// The first stage of the formatter: each data line of the raw export becomes
// a record of the series, "time date depth" and the logger's tips when they
// are copied.
#pragma once

#include <string>
#include <string_view>

#include "common/line_io.h"
#include "common/text.h"
#include "formatter/falhas.h"
#include "formatter/fluxo.h"
#include "formatter/parametros.h"
#include "formatter/resumo_do_ajuste.h"

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

// The raw file's field separator.
struct Separador {
  char caractere = ' ';
  DelimiterSet del;
  // Titles of a blank-separated header are its words; with any other
  // separator a title of several words is kept together by "_".
  bool titulos_por_brancos = false;
};

// What the run does with its columns, decided once from the parameters.
struct Plano {
  Separador separador;
  MascaraDeData mascara;
  // The logger gave the tips of each record: they are copied, not derived.
  bool basculas_por_intervalo = false;
  bool acumulo_total = false;
  bool discretiza = false;
  // The tips of the series are counted from its depth, the last of the stages
  // after the conversion: always after a resampling.
  bool deriva_basculas = false;
};

// The plan the parameters give.
Plano faz_plano(const ParametrosDoAjuste& p);

// Hands `saida` the header and then one record per data line of `entrada`,
// counting them in `resumo`, and `lacunas` each reading. A record of a series
// to be resampled that is no calendar date and clock time in time order stops
// the run, naming its line; a rain or tip field that is not a number stops it
// silently, saying on standard error where. A line the same as the data line
// before it is written once; a running total that falls, and rain or tips
// below zero, are counted in `resumo` where they are mended.
void converte_registros(LineReader& entrada, DestinoDaSerie& saida, const Plano& plano, const ParametrosDoAjuste& p,
                        LacunasDasLeituras& lacunas, ResumoDoAjuste& resumo);

}  // namespace rain::formatter
