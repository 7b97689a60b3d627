// The resampling onto a fixed time step, the formatter's one: every day is
// cut into slots from 00:00:00 on, one step apart (a step that does not divide
// the day ends each day short), and each slot takes the depth of the latest
// record at or before it: the running total, never summed or interpolated.
// The series runs from the first slot after the first record to the first
// slot after the last record, or to the last slot of that day. The records
// are handed over line by line, by the conversion or from a work file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/calendar.h"
#include "common/instante.h"
#include "formatter/fluxo.h"
#include "formatter/passo.h"

namespace rain::formatter {


// The start of the slot after the one that starts `segundos` into its day, or
// -1 when that day has no more slots.
inline int vaga_seguinte(int segundos, int passo) {
  segundos += passo;
  return segundos < kSegundosDoDia ? segundos : -1;
}

// A record as the resampling reads it: its time and date as OBTEMHORA and
// OBTEMDATA give them, and its third field. Throws ParadaDaEtapa when they are
// no clock time and calendar date.
FixedRecord le_registro_da_serie(std::string_view registro);

// A line of the series after its header as the resampling reads it (see
// registro_da_linha, which may put it in `copia`). Nothing for a blank line;
// throws ParadaDaEtapa as le_registro_da_serie.
std::optional<FixedRecord> le_linha_da_serie(std::string_view linha, std::string& copia);

// The records of a resampling, one after the other, each not earlier than the
// one before; a two-digit year counts on from the year before it, so that
// 31/12/99 is followed by 01/01/00.
class RegistrosEmOrdem {
 public:
  // When the record was taken, in seconds; throws ParadaDaEtapa when it is
  // earlier than the record before.
  Instante toma(const FixedRecord& registro);
  // Throws ParadaDaEtapa when no record was taken.
  void confere_algum() const;

  bool algum() const { return tem_; }
  const CalendarDate& primeira_data() const { return primeira_; }
  const CalendarDate& ultima_data() const { return ultima_; }
  // The day number of the last record's date.
  std::int64_t dia() const { return dia_; }

 private:
  bool tem_ = false;
  CalendarDate primeira_;
  CalendarDate ultima_;
  int ano_ = 0;  // the last record's year, counted on
  std::int64_t dia_ = 0;
  Instante ultimo_ = 0;
};

class DiscretizacaoEmFluxo : public DestinoDaSerie {
 public:
  DiscretizacaoEmFluxo(DestinoDaSerie& proximo, const Passo& passo) : proximo_(proximo), passo_(passo.segundos()) {}
  void recebe(std::string_view linha) override;
  void recebe_lido(std::string_view linha, const FixedRecord& lido) override;
  // Throws ParadaDaEtapa when no record came.
  void termina() override;

 private:
  void toma(const FixedRecord& registro);
  void comeca(const FixedRecord& registro);
  Instante instante_da_vaga() const { return dia_da_vaga_ * kSegundosDoDia + segundos_da_vaga_; }
  void escreve_vaga();
  void avanca_vaga();

  DestinoDaSerie& proximo_;
  int passo_;  // seconds
  bool tem_cabecalho_ = false;
  RegistrosEmOrdem registros_;
  int segundos_do_ultimo_ = 0;  // the last record's time of day
  std::string acumulo_;  // its depth, which every slot up to the next record takes
  std::string registro_;  // a record whose tabs are turned into blanks
  // The next slot to write.
  CalendarDate data_da_vaga_;
  std::int64_t dia_da_vaga_ = 0;  // its day number
  int segundos_da_vaga_ = 0;
  std::string linha_;
  bool linha_pronta_ = false;  // `linha_` holds the date and depth of the slot
};

}  // namespace rain::formatter
