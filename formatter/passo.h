// The time step of a resampling, as the user types it.
#pragma once

#include <string>
#include <string_view>

namespace rain::formatter {

// The step, read once from the typed "hh:mm:ss" ("/" may stand for ":", blanks
// may lead): hours 0..23, minutes and seconds 0..59, not all zero.
struct Passo {
  std::string texto;  // as typed, cut to 255 characters: the grid file's key
  int hora = 0;
  int minuto = 0;
  int segundo = 0;

  // The step `texto` gives. A step the resampling refuses stops the run with
  // exit code 1 and no message on standard output (the reason on standard
  // error).
  static Passo le(std::string_view texto);
  int segundos() const { return hora * 3600 + minuto * 60 + segundo; }
};

}  // namespace rain::formatter
