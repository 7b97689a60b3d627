#include "desenha/escala.h"

#include <cmath>
#include <cstdio>

#include "common/instante.h"
#include "desenha/tempo.h"

namespace rain::desenha {
namespace {

constexpr std::int64_t kMinuto = 60;
constexpr std::int64_t kHora = 3600;

enum class Unidade { kSegundos, kDiasDoMes, kMeses, kAnos };

// One spacing of ticks: a fixed number of seconds (minutes, hours, days), days
// of the month 1, 1+n, ..., months starting January, or years.
struct Passo {
  Unidade unidade;
  std::int64_t tamanho;
};

const Passo kPassos[] = {
    {Unidade::kSegundos, 5 * kMinuto}, {Unidade::kSegundos, 10 * kMinuto}, {Unidade::kSegundos, 15 * kMinuto},
    {Unidade::kSegundos, 30 * kMinuto}, {Unidade::kSegundos, kHora},       {Unidade::kSegundos, 2 * kHora},
    {Unidade::kSegundos, 3 * kHora},    {Unidade::kSegundos, 6 * kHora},   {Unidade::kSegundos, 12 * kHora},
    {Unidade::kSegundos, kSegundosDoDia},         {Unidade::kSegundos, 2 * kSegundosDoDia},    {Unidade::kDiasDoMes, 5},
    {Unidade::kDiasDoMes, 10},          {Unidade::kMeses, 1},              {Unidade::kMeses, 2},
    {Unidade::kMeses, 3},               {Unidade::kMeses, 6},              {Unidade::kAnos, 1},
    {Unidade::kAnos, 2},                {Unidade::kAnos, 5},               {Unidade::kAnos, 10},
    {Unidade::kAnos, 20},               {Unidade::kAnos, 50},              {Unidade::kAnos, 100},
};

std::int64_t primeiro_do_mes(int ano, int mes) { return segundos_de(DataHora{ano, mes, 1, 0, 0, 0}); }

// The tick instants of one spacing, from the first at or after `inicio` up to
// `fim`; stops early (returning more than `limite`) once there are too many.
std::vector<std::int64_t> instantes(const Passo& passo, std::int64_t inicio, std::int64_t fim, std::size_t limite) {
  std::vector<std::int64_t> lista;
  auto junta = [&](std::int64_t t) {
    if (t >= inicio && t <= fim) lista.push_back(t);
    return lista.size() <= limite;
  };
  const DataHora d = data_hora_de(inicio);
  switch (passo.unidade) {
    case Unidade::kSegundos: {
      std::int64_t t = inicio / passo.tamanho * passo.tamanho;
      if (t < inicio) t += passo.tamanho;
      for (; t <= fim && junta(t); t += passo.tamanho) {
      }
      break;
    }
    case Unidade::kDiasDoMes:
      for (int ano = d.ano, mes = d.mes; primeiro_do_mes(ano, mes) <= fim; mes == 12 ? (++ano, mes = 1) : ++mes) {
        for (int dia = 1; dia <= 31 - passo.tamanho + 1; dia += static_cast<int>(passo.tamanho)) {
          if (!junta(primeiro_do_mes(ano, mes) + (dia - 1) * kSegundosDoDia)) return lista;
        }
      }
      break;
    case Unidade::kMeses:
      for (int ano = d.ano, mes = 1; primeiro_do_mes(ano, mes) <= fim; mes += static_cast<int>(passo.tamanho)) {
        if (mes > 12) {
          mes -= 12;
          ++ano;
        }
        if (!junta(primeiro_do_mes(ano, mes))) break;
      }
      break;
    case Unidade::kAnos:
      for (int ano = d.ano - d.ano % static_cast<int>(passo.tamanho); primeiro_do_mes(ano, 1) <= fim;
           ano += static_cast<int>(passo.tamanho)) {
        if (!junta(primeiro_do_mes(ano, 1))) break;
      }
      break;
  }
  return lista;
}

std::string dois_digitos(int a, char separador, int b) {
  char texto[16];
  std::snprintf(texto, sizeof texto, "%02d%c%02d", a, separador, b);
  return texto;
}

MarcaDeTempo marca(const Passo& passo, std::int64_t t, const DataHora* anterior) {
  const DataHora d = data_hora_de(t);
  MarcaDeTempo m{t, {}, {}};
  const bool outro_dia = !anterior || anterior->dia != d.dia || anterior->mes != d.mes || anterior->ano != d.ano;
  const bool outro_ano = !anterior || anterior->ano != d.ano;
  switch (passo.unidade) {
    case Unidade::kSegundos:
      if (passo.tamanho < kSegundosDoDia) {
        // The full date under the first tick; a later midnight names its day
        // in place of 00:00, so dates never crowd each other.
        if (!anterior) {
          m.rotulo = dois_digitos(d.hora, ':', d.minuto);
          m.rotulo_abaixo = dois_digitos(d.dia, '/', d.mes) + "/" + std::to_string(d.ano);
        } else {
          m.rotulo = outro_dia ? dois_digitos(d.dia, '/', d.mes) : dois_digitos(d.hora, ':', d.minuto);
        }
        break;
      }
      [[fallthrough]];
    case Unidade::kDiasDoMes:
      m.rotulo = dois_digitos(d.dia, '/', d.mes);
      if (outro_ano) m.rotulo_abaixo = std::to_string(d.ano);
      break;
    case Unidade::kMeses:
      m.rotulo = nome_do_mes(d.mes);
      if (outro_ano) m.rotulo_abaixo = std::to_string(d.ano);
      break;
    case Unidade::kAnos:
      m.rotulo = std::to_string(d.ano);
      break;
  }
  return m;
}

}  // namespace

std::vector<MarcaDeTempo> marcas_de_tempo(std::int64_t inicio, std::int64_t fim, int maximo) {
  const std::size_t limite = static_cast<std::size_t>(maximo < 2 ? 2 : maximo);
  std::vector<MarcaDeTempo> marcas;
  for (const Passo& passo : kPassos) {
    const std::vector<std::int64_t> lista = instantes(passo, inicio, fim, limite);
    if (lista.size() > limite) continue;
    DataHora anterior;
    for (std::size_t i = 0; i < lista.size(); ++i) {
      marcas.push_back(marca(passo, lista[i], i == 0 ? nullptr : &anterior));
      anterior = data_hora_de(lista[i]);
    }
    break;
  }
  return marcas;
}

std::vector<MarcaDeValor> marcas_lineares(double maximo) {
  if (!(maximo > 0)) maximo = 1;
  const double bruto = maximo / 5;
  const double potencia = std::pow(10.0, std::floor(std::log10(bruto)));
  double passo = potencia * 10;
  for (double fator : {1.0, 2.0, 5.0}) {
    if (potencia * fator >= bruto) {
      passo = potencia * fator;
      break;
    }
  }
  std::vector<MarcaDeValor> marcas;
  for (int i = 0;; ++i) {
    const double v = passo * i;
    marcas.push_back({v, numero_curto(v)});
    if (v >= maximo * (1 - 1e-12)) break;
  }
  return marcas;
}

std::vector<MarcaDeValor> marcas_logaritmicas(double minimo, double maximo) {
  std::vector<MarcaDeValor> marcas;
  if (!(minimo > 0) || !(maximo >= minimo)) return marcas;
  const int primeira = static_cast<int>(std::floor(std::log10(minimo) + 1e-9));
  const int ultima = static_cast<int>(std::ceil(std::log10(maximo) - 1e-9));
  for (int k = primeira; k <= ultima; ++k) {
    for (double fator : {1.0, 2.0, 5.0}) {
      if (k == ultima && fator > 1) break;
      const double v = fator * std::pow(10.0, k);
      marcas.push_back({v, numero_curto(v)});
    }
  }
  return marcas;
}

std::string numero_curto(double valor) {
  char texto[32];
  std::snprintf(texto, sizeof texto, "%.6g", valor);
  std::string s = texto;
  return s == "-0" ? "0" : s;
}

const char* nome_do_mes(int mes) {
  static const char* const nomes[] = {"jan", "fev", "mar", "abr", "mai", "jun",
                                      "jul", "ago", "set", "out", "nov", "dez"};
  return mes >= 1 && mes <= 12 ? nomes[mes - 1] : "";
}

}  // namespace rain::desenha
