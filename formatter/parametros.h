// Entry of Ajusta_Leituras: the fifteen run parameters, taken from the command
// line or asked one by one on the console, then handed to the conversion.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/console.h"
#include "common/env.h"

namespace rain::formatter {

// The run parameters. Texts hold at most 255 characters.
struct PARAMETROS {
  std::string ENDERECO_ENTRADA;
  std::string ENDERECO_SAIDA;
  std::string TIPO_ACUMULO;
  std::string TIPO_BASCULA;
  std::string TIPO_SEPARADOR;
  std::string DISCRETIZADO;
  std::string INTERVALO;
  double CAPACIDADE_BASCULA = 0;
  std::int16_t LINHA_CABECALHO = 0;
  std::int16_t LINHA_PRIMEIRO_DADO = 0;
  std::int16_t COLUNA_DATA = 0;
  std::int16_t COLUNA_HORA = 0;
  std::int16_t COLUNA_ACUMULO = 0;
  std::int16_t COLUNA_BASCULA = 0;
  std::string MASCARA;
  // The two paths as given on the command line, before the cut to 255
  // characters: a longer one is refused rather than cut to a name that may lie
  // in another folder. Empty when the paths came from the dialogue.
  std::string ENTRADA_DADA;
  std::string SAIDA_DADA;
};

// Fifteen arguments into the parameters; throws Failure on a refused number.
PARAMETROS LE_LINHA_DE_COMANDO(const std::vector<std::string>& args);

// The console dialogue of fifteen (or thirteen) questions; throws Failure at
// the first numeric answer that is not a number.
PARAMETROS DIALOGO(Console& console);

void MOSTRA_UTILIZACAO(Console& console);

// The whole program: returns its exit code.
int run_ajusta_leituras(const std::vector<std::string>& args, Console& console, Env& env);

}  // namespace rain::formatter
