#include "resume/registros.h"

#include <string>

#include "common/failure.h"

namespace rain::resume {

void le_registros(LineReader& serie, const std::function<void(const Registro&)>& ao_registro) {
  std::string linha;
  serie.read_line(linha);  // the header line
  std::int64_t primeira_vazia = 0;
  for (std::int64_t numero = 2; !serie.at_end_or_eof_mark(); ++numero) {
    serie.read_line(linha);
    if (linha.find_first_not_of(" \t") == std::string::npos) {
      if (primeira_vazia == 0) primeira_vazia = numero;
      continue;
    }
    // An empty line between records has no time: read as a record, it stops
    // the run naming its line.
    if (primeira_vazia != 0) le_registro("", primeira_vazia);
    ao_registro(le_registro(linha, numero));
  }
  if (serie.failed()) throw Failure("Erro: falha na leitura do arquivo de entrada.", 1);
}

}  // namespace rain::resume
