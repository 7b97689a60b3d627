// What the conversion checks of each record it writes, and where in the raw
// file a record stands for the messages that name it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/calendar.h"
#include "common/series_record.h"
#include "formatter/ajusta_leituras.h"

namespace rain::formatter {

// A raw line as a message shows it.
std::string trecho(std::string_view linha);

// Where in the raw file a record stands, for the messages that name it.
struct Origem {
  long numero = 0;
  std::string_view linha;

  std::string descreve() const;
};

// The records of a series to be resampled must be calendar dates and clock
// times in time order; years count on from the first record's year, so
// 31/12/99 is followed by 01/01/00. A series kept as it is only has its
// impossible dates counted.
class ConfereRegistros {
 public:
  ConfereRegistros(bool discretiza, ResumoDoAjuste& resumo) : discretiza_(discretiza), resumo_(resumo) {}

  // The record's fields when it has the usual form, read in place; nothing
  // when they had to be found the long way.
  const FixedRecord* confere(const std::string& registro, const Origem& origem);

 private:
  std::optional<FixedRecord> lido_;

  struct Momento {
    int anos_desde_o_primeiro = 0;
    int mes = 0;
    int dia = 0;
    ClockTime hora;
    auto operator<=>(const Momento&) const = default;
  };

  [[noreturn]] static void recusa(const char* motivo, const Origem& origem);

  bool discretiza_;
  int primeiro_ano_ = 0;
  bool tem_anterior_ = false;
  Momento anterior_;
  ResumoDoAjuste& resumo_;
};

}  // namespace rain::formatter
