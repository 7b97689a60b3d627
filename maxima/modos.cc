#include "maxima/modos.h"

#include <array>
#include <utility>

#include "common/failure.h"
#include "common/numbers.h"
#include "common/series_record.h"

namespace rain::maxima {
namespace {

constexpr std::array<std::pair<std::string_view, Modo>, 8> kModos = {{
    {"TOTAL", Modo::TOTAL},
    {"INTERVALO", Modo::INTERVALO},
    {"DIARIO", Modo::DIARIO},
    {"MENSAL", Modo::MENSAL},
    {"BIMESTRAL", Modo::BIMESTRAL},
    {"TRIMESTRAL", Modo::TRIMESTRAL},
    {"SEMESTRAL", Modo::SEMESTRAL},
    {"SAZONAL", Modo::SAZONAL},
}};

// A month that is not a whole number counts as 0, which never opens a period.
int mes_da_data(std::string_view data) {
  std::optional<std::int16_t> mes = whole_int16(word_view(data, 2, separador_data()));
  return mes ? *mes : 0;
}

bool inicio_de_estacao(std::string_view dia, int mes) {
  return (dia == "20" && mes == 3) || (dia == "21" && mes == 6) || (dia == "22" && mes == 9) ||
         (dia == "21" && mes == 12);
}

}  // namespace

std::optional<Modo> modo_de_pesquisa(std::string_view digitado) {
  for (const auto& [nome, modo] : kModos) {
    if (equals_upper(digitado, nome)) return modo;
  }
  return std::nullopt;
}

Modo modo_ou_recusa(std::string_view digitado) {
  if (std::optional<Modo> modo = modo_de_pesquisa(digitado)) return *modo;
  throw Failure("Erro: modo invalido.", 1)
      .noted("modo de pesquisa: \"" + std::string(digitado) +
             "\" nao e um dos modos total, intervalo, diario, mensal, bimestral, trimestral, semestral ou sazonal "
             "(em qualquer caixa).");
}

bool modo_periodico(Modo modo) { return modo != Modo::TOTAL && modo != Modo::INTERVALO; }

const DelimiterSet& separador_data() {
  static const DelimiterSet set("-/");
  return set;
}

void valores_das_colunas(std::string_view linha, int ultima, std::vector<std::optional<std::int32_t>>& valores) {
  valores.assign(ultima >= kTipsField ? static_cast<std::size_t>(ultima - kTipsField + 1) : 0, std::nullopt);
  std::size_t i = 0;
  for (int campo = 1; campo <= ultima; ++campo) {
    const std::string_view texto = next_word(linha, i, record_blanks());
    if (texto.empty()) return;
    if (campo >= kTipsField) valores[static_cast<std::size_t>(campo - kTipsField)] = whole_int32(texto);
  }
}

bool cruza_hora_referencia(std::string_view data_anterior, std::string_view hora_anterior,
                           std::string_view data_atual, std::string_view hora_atual,
                           std::string_view referencia) {
  if (hora_atual < referencia) return false;
  return data_atual != data_anterior || hora_anterior < referencia;
}

bool data_de_fronteira(Modo modo, std::string_view data) {
  if (modo == Modo::DIARIO) return true;
  std::string_view dia = word_view(data, 1, separador_data());
  int mes = mes_da_data(data);
  switch (modo) {
    case Modo::MENSAL:
      return dia == "01";
    case Modo::BIMESTRAL:
      return dia == "01" && mes % 2 == 1;
    case Modo::TRIMESTRAL:
      return dia == "01" && mes % 3 == 1;
    case Modo::SEMESTRAL:
      return dia == "01" && mes % 6 == 1;
    case Modo::SAZONAL:
      return inicio_de_estacao(dia, mes);
    default:
      return false;
  }
}

}  // namespace rain::maxima
