#include "events/rotulo.h"

#include "common/platform.h"
#include "common/series_record.h"
#include "common/text.h"

namespace rain::events {
std::string MONTA_ROTULO(std::string_view registro) {
  const std::string data = with_char_replaced(record_date(registro), '/', '-');
  const std::string hora = with_char_replaced(record_time(registro), ':', ' ');
  std::string rotulo = data;
  rotulo += '_';
  rotulo += word_view(hora, 1, record_blanks());
  rotulo += 'h';
  rotulo += word_view(hora, 2, record_blanks());
  return rotulo;
}

namespace {

// A label with a folder separator of either system in it.
bool tem_pasta(std::string_view rotulo) {
  return rotulo.find_first_of("/\\") != std::string_view::npos ||
         platform::folder_part_length(std::string(rotulo)) != 0;
}

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
  return NomeDoEvento{cut_short(inteiro), platform::folder_part_length(inteiro) > kMaxShortText ||
                                              tem_pasta(rotulo_inicio) || tem_pasta(rotulo_fim)};
}

}  // namespace rain::events
