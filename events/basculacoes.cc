#include "events/basculacoes.h"

#include "common/numbers.h"
#include "common/text.h"

namespace rain::events {
namespace {

std::int16_t basculacoes(std::string_view registro, const DelimiterSet& delimitadores) {
  return whole_int16(word_view(registro, 4, delimitadores)).value_or(0);
}

}  // namespace

std::int16_t basculacoes_na_busca(std::string_view registro) {
  static const DelimiterSet espaco(" ");
  return basculacoes(registro, espaco);
}

std::int16_t basculacoes_no_evento(std::string_view registro) {
  static const DelimiterSet espaco_ou_tab(" \t");
  return basculacoes(registro, espaco_ou_tab);
}

}  // namespace rain::events
