#include "events/janela.h"

#include "common/failure.h"
#include "common/numbers.h"
#include "common/text.h"

namespace rain::events {
namespace {

const DelimiterSet& delimitadores_de_duracao() {
  static const DelimiterSet set = DelimiterSet(" :_").add_range('A', 'Z').add_range('a', 'z');
  return set;
}

}  // namespace

std::int64_t segundos_da_duracao(std::string_view duracao) {
  static constexpr std::int64_t kPeso[] = {3600, 60, 1};
  std::int64_t total = 0;
  for (int k = 1; k <= 3; ++k) {
    if (auto parte = whole_int16(word_view(duracao, k, delimitadores_de_duracao()))) {
      total += *parte * kPeso[k - 1];
    }
  }
  return total;
}

std::int64_t CALCULA_JANELA(std::string_view limite, std::string_view intervalo) {
  const std::int64_t total_intervalo = segundos_da_duracao(intervalo);
  // A negative part can make the interval 0 or less; such a window could never
  // close, so it is refused like an empty interval.
  if (total_intervalo <= 0) throw Failure("Erro: intervalo invalido.", 1);
  const std::int64_t total_limite = segundos_da_duracao(limite);
  if (total_limite < total_intervalo || total_limite % total_intervalo != 0) {
    throw Failure("Erro: periodo invalido para o intervalo utilizado.", 1);
  }
  return total_limite / total_intervalo;
}

}  // namespace rain::events
