// The names of the event files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rain::events {

// The label of a record: its date with "/" turned into "-", "_", the hours, "h"
// and the minutes of its time. 14:35:00 01/02/05 gives 01-02-05_14h35.
std::string MONTA_ROTULO(std::string_view registro);

// saida_Parte3_01-02-05_14h35_a_01-02-05_18h05.txt, cut to 255 characters.
std::string nome_do_evento(std::string_view saida, std::int64_t numero, std::string_view rotulo_inicio,
                           std::string_view rotulo_fim);

struct NomeDoEvento {
  std::string texto;  // cut to 255 characters
  // The name would lie in another folder than the output's: the cut fell
  // inside the folder part, or a label took a folder from the data (a time or
  // a date that holds "/" or "\").
  bool fora_da_pasta = false;
};
NomeDoEvento nome_do_evento_inteiro(std::string_view saida, std::int64_t numero, std::string_view rotulo_inicio,
                                    std::string_view rotulo_fim);

}  // namespace rain::events
