#include "desenha/tempo.h"

#include <cstdio>

namespace rain::desenha {

std::string texto_data_hora(std::int64_t segundos) {
  const DataHora d = data_hora_de(segundos);
  char texto[40];
  std::snprintf(texto, sizeof texto, "%02d/%02d/%04d %02d:%02d:%02d", d.dia, d.mes, d.ano, d.hora, d.minuto,
                d.segundo);
  return texto;
}

}  // namespace rain::desenha
