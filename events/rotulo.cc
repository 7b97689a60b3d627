#include "events/rotulo.h"

#include "common/platform.h"
#include "common/text.h"

namespace rain::events {
namespace {

const DelimiterSet& espaco() {
  static const DelimiterSet set(" ");
  return set;
}

}  // namespace

std::string MONTA_ROTULO(std::string_view registro) {
  const std::string data = with_char_replaced(word_view(registro, 2, espaco()), '/', '-');
  const std::string hora = with_char_replaced(word_view(registro, 1, espaco()), ':', ' ');
  std::string rotulo = data;
  rotulo += '_';
  rotulo += word_view(hora, 1, espaco());
  rotulo += 'h';
  rotulo += word_view(hora, 2, espaco());
  return rotulo;
}

namespace {

std::string nome_sem_corte(std::string_view saida, std::int64_t numero, std::string_view rotulo_inicio,
                           std::string_view rotulo_fim) {
  std::string nome(saida);
  nome += "_Parte";
  nome += std::to_string(numero);
  nome += '_';
  nome += rotulo_inicio;
  nome += "_a_";
  nome += rotulo_fim;
  nome += ".txt";
  return nome;
}

}  // namespace

std::string nome_do_evento(std::string_view saida, std::int64_t numero, std::string_view rotulo_inicio,
                           std::string_view rotulo_fim) {
  return cut_short(nome_sem_corte(saida, numero, rotulo_inicio, rotulo_fim));
}

NomeDoEvento nome_do_evento_inteiro(std::string_view saida, std::int64_t numero, std::string_view rotulo_inicio,
                                    std::string_view rotulo_fim) {
  const std::string inteiro = nome_sem_corte(saida, numero, rotulo_inicio, rotulo_fim);
  return NomeDoEvento{cut_short(inteiro), platform::folder_part_length(inteiro) > kMaxShortText};
}

}  // namespace rain::events
