// Texts of a record time (seconds of a plain calendar, as the series times are
// read) and of a duration, as the page writes them.
#pragma once

#include <cstdint>
#include <string>

#include "common/instante.h"

namespace rain::desenha {

// "dd/mm/aaaa hh:mm:ss", as a reader of the page writes a time.
std::string texto_data_hora(std::int64_t segundos);

// A duration as "hh:mm:ss", hours past 24 included ("90:00:00").
std::string texto_duracao(std::int64_t segundos);

}  // namespace rain::desenha
