// The two work files of the resampling, kept in the current directory as
// caches between runs, each keyed by its first line: the time grid of one day
// and the list of calendar days of a series. Each is staged under its
// temporary name (common/staged_file.h) and moved into place when whole.
#pragma once

#include <string>
#include <string_view>

#include "common/env.h"
#include "common/failure.h"

namespace rain::formatter {

inline constexpr const char* kGridFile = "buffer_horas.dat";
inline constexpr const char* kDayListFile = "buffer_datas.dat";

// The resampling step, read once from the typed "hh:mm:ss" ("/" may stand for
// ":", blanks may lead): hours 0..23, minutes and seconds 0..59, not all zero.
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

// A calendar day of a two-digit-year calendar: after 31/12/99 comes 01/01/00,
// and every year divisible by 4 (00 too) is a leap year.
struct CalendarDay {
  int dia = 0;
  int mes = 0;
  int ano = 0;

  // Day, month and year read from "dd/mm/yy"; a part that is not a whole
  // number (or does not fit 16 bits) counts as 0.
  static CalendarDay parse(std::string_view date);
  bool operator==(const CalendarDay&) const = default;
  // Days of a month outside 1..12 never end: the day just keeps counting.
  void advance();
  // "dd/mm/yy", each part at least two digits.
  std::string text() const;
  bool is_real_date() const;
};

// The stop for a date the day list cannot be built for.
Failure invalid_date(std::string_view date);

// Whether stepping day by day from `inicio` ever meets `fim`.
bool day_walk_reaches(std::string_view inicio, std::string_view fim);

// Writes the grid file: line 1 "<intervalo> <partida>", then the times from
// `partida` on, stepping by `intervalo`, while the hour stays below 24 (the
// start itself is always written). Parts of `partida` are read at ":" or "/".
// Throws Failure when the file cannot be written.
void PUTHORAS(Env& env, const Passo& intervalo, const std::string& partida);

// Writes the day list file: line 1 "<inicio> <fim>", every day from `inicio`
// up to the day before `fim` as dd/mm/yy, then `fim` as given. Throws Failure
// when `fim` cannot be reached from `inicio` or the file cannot be written.
void PUTDATAS(Env& env, const std::string& inicio, const std::string& fim);

// The grid file or the day list holds, line for line, what PUTHORAS or
// PUTDATAS would write for these arguments: only then is it reused.
bool grid_is_whole(Env& env, const Passo& intervalo, const std::string& partida);
bool day_list_is_whole(Env& env, const std::string& inicio, const std::string& fim);

}  // namespace rain::formatter
