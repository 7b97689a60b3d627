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

std::string texto_duracao(std::int64_t segundos) {
  char texto[40];
  std::snprintf(texto, sizeof texto, "%02lld:%02lld:%02lld", static_cast<long long>(segundos / 3600),
                static_cast<long long>(segundos % 3600 / 60), static_cast<long long>(segundos % 60));
  return texto;
}

}  // namespace rain::desenha
