#include "common/instante.h"

#include <cstdio>

#include "common/calendar.h"

namespace rain {
namespace {

struct Data {
  std::int64_t ano;
  int mes;
  int dia;
};

Data data_de(std::int64_t dias) {
  dias += 719468;
  const std::int64_t era = (dias >= 0 ? dias : dias - 146096) / 146097;
  const std::int64_t dia_da_era = dias - era * 146097;
  const std::int64_t ano_da_era = (dia_da_era - dia_da_era / 1460 + dia_da_era / 36524 - dia_da_era / 146096) / 365;
  const std::int64_t dia_do_ano = dia_da_era - (365 * ano_da_era + ano_da_era / 4 - ano_da_era / 100);
  const std::int64_t mp = (5 * dia_do_ano + 2) / 153;
  const int dia = static_cast<int>(dia_do_ano - (153 * mp + 2) / 5 + 1);
  const int mes = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return Data{ano_da_era + era * 400 + (mes <= 2), mes, dia};
}

// Up to `maximo` parts of digits split by `separador`; the count of parts, or
// -1 when a part is empty, too long or holds anything but digits.
int partes(std::string_view texto, char separador, int maximo, std::int64_t* valores, int* digitos) {
  int n = 0;
  std::size_t i = 0;
  for (;;) {
    if (n == maximo) return -1;
    std::int64_t valor = 0;
    int d = 0;
    while (i < texto.size() && texto[i] >= '0' && texto[i] <= '9') {
      if (++d > 4) return -1;
      valor = valor * 10 + (texto[i] - '0');
      ++i;
    }
    if (d == 0) return -1;
    valores[n] = valor;
    digitos[n] = d;
    ++n;
    if (i == texto.size()) return n;
    if (texto[i] != separador) return -1;
    ++i;
  }
}

std::optional<std::int64_t> segundos_do_dia(std::string_view hora) {
  std::int64_t v[3] = {0, 0, 0};
  int d[3];
  const int n = partes(hora, ':', 3, v, d);
  if (n < 2) return std::nullopt;
  if (d[0] > 2 || d[1] > 2 || (n == 3 && d[2] > 2)) return std::nullopt;
  if (v[0] > 23 || v[1] > 59 || v[2] > 59) return std::nullopt;
  return v[0] * 3600 + v[1] * 60 + v[2];
}

std::optional<std::int64_t> dias_da_data(std::string_view data) {
  std::int64_t v[3];
  int d[3];
  if (partes(data, '/', 3, v, d) != 3) return std::nullopt;
  if (d[0] > 2 || d[1] > 2 || (d[2] != 2 && d[2] != 4)) return std::nullopt;
  const int ano = d[2] == 2 ? ano_da_serie(static_cast<int>(v[2])) : static_cast<int>(v[2]);
  const int mes = static_cast<int>(v[1]);
  const int dia = static_cast<int>(v[0]);
  if (dia < 1 || dia > days_in_month(mes, ano)) return std::nullopt;
  return dias_desde_1970(ano, mes, dia);
}

}  // namespace

int ano_da_serie(int dois_digitos) { return dois_digitos + (dois_digitos >= 70 ? 1900 : 2000); }

std::int64_t dias_desde_1970(std::int64_t ano, int mes, int dia) {
  ano -= mes <= 2;
  const std::int64_t era = (ano >= 0 ? ano : ano - 399) / 400;
  const std::int64_t ano_da_era = ano - era * 400;
  const std::int64_t dia_do_ano = (153 * (mes + (mes > 2 ? -3 : 9)) + 2) / 5 + dia - 1;
  const std::int64_t dia_da_era = ano_da_era * 365 + ano_da_era / 4 - ano_da_era / 100 + dia_do_ano;
  return era * 146097 + dia_da_era - 719468;
}

std::optional<Instante> instante_da_serie(std::string_view hora, std::string_view data) {
  // Consecutive records mostly share their date: its day number is kept.
  thread_local std::string data_anterior;
  thread_local std::int64_t dias_anteriores = 0;
  const std::optional<std::int64_t> segundos = segundos_do_dia(hora);
  if (!segundos) return std::nullopt;
  if (data.empty() || data != data_anterior) {
    const std::optional<std::int64_t> dias = dias_da_data(data);
    if (!dias) return std::nullopt;
    data_anterior.assign(data);
    dias_anteriores = *dias;
  }
  return dias_anteriores * kSegundosDoDia + *segundos;
}

std::string texto_iso(Instante instante) {
  const DataHora d = data_hora_de(instante);
  char texto[48];
  std::snprintf(texto, sizeof texto, "%04d-%02d-%02dT%02d:%02d:%02d", d.ano, d.mes, d.dia, d.hora, d.minuto,
                d.segundo);
  return texto;
}

std::string texto_duracao(std::int64_t segundos) {
  const long long s = segundos < 0 ? -static_cast<long long>(segundos) : static_cast<long long>(segundos);
  char texto[48];
  std::snprintf(texto, sizeof texto, "%s%02lld:%02lld:%02lld", segundos < 0 ? "-" : "", s / 3600, s % 3600 / 60,
                s % 60);
  return texto;
}

int ano_de(Instante instante) { return data_hora_de(instante).ano; }

Instante segundos_de(const DataHora& d) {
  return dias_desde_1970(d.ano, d.mes, d.dia) * kSegundosDoDia + d.hora * 3600 + d.minuto * 60 + d.segundo;
}

DataHora data_hora_de(Instante instante) {
  std::int64_t dias = instante / kSegundosDoDia;
  std::int64_t segundos = instante % kSegundosDoDia;
  if (segundos < 0) {
    segundos += kSegundosDoDia;
    --dias;
  }
  const Data data = data_de(dias);
  DataHora d;
  d.ano = static_cast<int>(data.ano);
  d.mes = data.mes;
  d.dia = data.dia;
  d.hora = static_cast<int>(segundos / 3600);
  d.minuto = static_cast<int>(segundos / 60 % 60);
  d.segundo = static_cast<int>(segundos % 60);
  return d;
}

}  // namespace rain
