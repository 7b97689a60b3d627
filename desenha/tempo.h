// Calendar fields of a record time (seconds of a plain calendar, as the series
// times are read), for placing ticks and naming months on the page's axes.
#pragma once

#include <cstdint>
#include <string>

namespace rain::desenha {

struct DataHora {
  int ano = 1970, mes = 1, dia = 1, hora = 0, minuto = 0, segundo = 0;
};

// Seconds from 01/01/1970 00:00:00 of a calendar time, and back.
std::int64_t segundos_de(const DataHora& d);
DataHora data_hora_de(std::int64_t segundos);

// "dd/mm/aaaa hh:mm:ss", as a reader of the page writes a time.
std::string texto_data_hora(std::int64_t segundos);

// A duration as "hh:mm:ss", hours past 24 included ("90:00:00").
std::string texto_duracao(std::int64_t segundos);

}  // namespace rain::desenha
