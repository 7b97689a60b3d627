// The fifteen run parameters of Ajusta_Leituras, as the conversion takes them.
#pragma once

#include <cstdint>
#include <string>

namespace rain::formatter {

// The run parameters. Texts hold at most 255 characters.
struct ParametrosDoAjuste {
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
  std::string entrada_dada;
  std::string saida_dada;
  // Readings further apart than this many seconds enclose an outage
  // (--falha-apos; 0 when not given), and the file the outages are listed in
  // (--falhas; empty when not given).
  std::int64_t falha_apos_s = 0;
  std::string arquivo_de_falhas;
};

}  // namespace rain::formatter
