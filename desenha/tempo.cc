#include "desenha/tempo.h"

#include <cstdio>

namespace rain::desenha {
namespace {

std::int64_t dias_desde_1970(std::int64_t ano, unsigned mes, unsigned dia) {
  ano -= mes <= 2;
  const std::int64_t era = (ano >= 0 ? ano : ano - 399) / 400;
  const unsigned ano_da_era = static_cast<unsigned>(ano - era * 400);
  const unsigned dia_do_ano = (153 * (mes > 2 ? mes - 3 : mes + 9) + 2) / 5 + dia - 1;
  const unsigned dia_da_era = ano_da_era * 365 + ano_da_era / 4 - ano_da_era / 100 + dia_do_ano;
  return era * 146097 + static_cast<std::int64_t>(dia_da_era) - 719468;
}

}  // namespace

std::int64_t segundos_de(const DataHora& d) {
  return dias_desde_1970(d.ano, static_cast<unsigned>(d.mes), static_cast<unsigned>(d.dia)) * 86400 +
         d.hora * 3600 + d.minuto * 60 + d.segundo;
}

DataHora data_hora_de(std::int64_t segundos) {
  std::int64_t dias = segundos / 86400;
  std::int64_t resto = segundos % 86400;
  if (resto < 0) {
    resto += 86400;
    --dias;
  }
  dias += 719468;
  const std::int64_t era = (dias >= 0 ? dias : dias - 146096) / 146097;
  const unsigned dia_da_era = static_cast<unsigned>(dias - era * 146097);
  const unsigned ano_da_era = (dia_da_era - dia_da_era / 1460 + dia_da_era / 36524 - dia_da_era / 146096) / 365;
  const unsigned dia_do_ano = dia_da_era - (365 * ano_da_era + ano_da_era / 4 - ano_da_era / 100);
  const unsigned mp = (5 * dia_do_ano + 2) / 153;
  DataHora d;
  d.dia = static_cast<int>(dia_do_ano - (153 * mp + 2) / 5 + 1);
  d.mes = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  d.ano = static_cast<int>(static_cast<std::int64_t>(ano_da_era) + era * 400 + (d.mes <= 2));
  d.hora = static_cast<int>(resto / 3600);
  d.minuto = static_cast<int>(resto % 3600 / 60);
  d.segundo = static_cast<int>(resto % 60);
  return d;
}

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
