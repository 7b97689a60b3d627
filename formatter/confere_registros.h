// What the conversion checks of each record it writes, and where in the raw
// file a record stands for the messages that name it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/calendar.h"
#include "common/instante.h"
#include "common/series_record.h"
#include "formatter/resumo_do_ajuste.h"

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
// times in time order, none more than 366 days after the one before (a clock
// that jumped would fill years with empty steps). A four-digit year is taken
// whole; a two-digit year counts on from the year before it, so 31/12/99 is
// followed by 01/01/00. A series kept as it is only has its impossible dates
// counted.
class ConfereRegistros {
 public:
  ConfereRegistros(bool discretiza, ResumoDoAjuste& resumo) : discretiza_(discretiza), resumo_(resumo) {}

  // The record's fields when it has the usual form, read in place; nothing
  // when they had to be found the long way.
  const FixedRecord* confere(const std::string& registro, const Origem& origem);

  // When the record last checked was read, with the year the later programs
  // read from the series (a two-digit year 70..99 is 19yy, 00..69 20yy);
  // nothing when its date or time is not a calendar date and clock time.
  bool tem_instante() const { return tem_instante_; }
  Instante instante() const { return instante_; }

 private:
  [[noreturn]] static void recusa(const char* motivo, const Origem& origem);
  // Day numbers of the record's date, worked out again only when it changes.
  void toma_data(const CalendarDate& data, const std::string& registro) {
    if (!tem_data_ || !(data == data_)) muda_de_data(data, registro);
  }
  void muda_de_data(const CalendarDate& data, const std::string& registro);

  FixedRecordReader leitor_;
  std::optional<FixedRecord> lido_;
  bool discretiza_;
  ResumoDoAjuste& resumo_;
  bool tem_instante_ = false;
  Instante instante_ = 0;
  bool tem_data_ = false;
  CalendarDate data_;
  int ano_completo_ = 0;
  std::int64_t dias_em_ordem_ = 0;    // for the order of the records
  std::int64_t dias_como_serie_ = 0;  // as the later programs read the date
  bool tem_anterior_ = false;
  Instante anterior_ = 0;
};

}  // namespace rain::formatter
