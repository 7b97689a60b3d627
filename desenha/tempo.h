// The text of a record time (seconds of a plain calendar, as the series times
// are read), as the page writes it; durations: rain::texto_duracao.
#pragma once

#include <cstdint>
#include <string>

#include "common/instante.h"

namespace rain::desenha {

// "dd/mm/aaaa hh:mm:ss", as a reader of the page writes a time.
std::string texto_data_hora(std::int64_t segundos);

}  // namespace rain::desenha
