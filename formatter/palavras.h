// The keyword parameters of Ajusta_Leituras: each takes its listed words in any
// letter case and nothing else, so that a slip such as "nao" for "n" or
// "totla" for "total" is refused instead of read as another choice.
#pragma once

#include <string_view>

#include "formatter/parametros.h"

namespace rain::formatter {

// Parameter 3 or 4: "nenhum", "total" or "intervalo".
void confere_tipo(std::string_view valor, int parametro, std::string_view nome);
// Parameter 5: "space", "tab" or the separator character itself; the empty
// answer of the dialogue stands for the blank.
void confere_separador(std::string_view valor);
// Parameter 6: "s" or "n".
void confere_discretizado(std::string_view valor);

// Every keyword parameter of a command line; a type whose column is 0 names
// nothing and is not looked at. Throws Failure (exit code 1) at the first.
void confere_palavras(const ParametrosDoAjuste& p);

}  // namespace rain::formatter
