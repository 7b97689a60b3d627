#include "formatter/passo.h"

#include <cstdint>
#include <optional>

#include "common/failure.h"
#include "common/numbers.h"
#include "common/series_record.h"
#include "common/text.h"

namespace rain::formatter {
namespace {

// A part of the step: a whole number of at most 16 bits within 0..`maximo`.
std::optional<int> parte(std::string_view texto, int n, int maximo) {
  const std::optional<std::int16_t> valor = whole_int16(word_view(texto, n, date_time_parts()));
  if (!valor || *valor < 0 || *valor > maximo) return std::nullopt;
  return *valor;
}

}  // namespace

Passo Passo::le(std::string_view texto) {
  Passo passo{cut_short(texto)};
  const auto hora = parte(passo.texto, 1, 23);
  const auto minuto = parte(passo.texto, 2, 59);
  const auto segundo = parte(passo.texto, 3, 59);
  if (!hora || !minuto || !segundo || (*hora == 0 && *minuto == 0 && *segundo == 0)) {
    throw Failure::silent(1, "Erro: parametro 7 (intervalo de discretizacao): \"" + passo.texto +
                                 "\" nao e um intervalo hh:mm:ss de 00:00:01 a 23:59:59.");
  }
  passo.hora = *hora;
  passo.minuto = *minuto;
  passo.segundo = *segundo;
  return passo;
}

}  // namespace rain::formatter
