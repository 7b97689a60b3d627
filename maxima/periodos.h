// The walk through the value columns of a series, period by period. The
// periods follow the times and dates alone, so they are the same for every
// column, and one walk works out the figures of all the columns: whatever the
// width of the records, every line is read twice in all. It owns two readers:
// the series reader leads and finds each period's figures; the work-file
// reader trails, just before the period's first line, so the report can have
// the period's lines again (rele_periodo) to list the records at the maximum
// without holding the period in memory.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/line_io.h"
#include "common/series_record.h"
#include "maxima/modos.h"

namespace rain::maxima {

// What the walk needs of the run's parameters: hours "hh:mm:ss" and dates
// "dd/mm/yy". The series' times and dates are compared in these forms too,
// so a series that kept "9:5" or "1/3/2025" is searched as it means.
struct RegrasPeriodo {
  Modo modo = Modo::TOTAL;
  std::string hora_inicio;   // INTERVALO start, or the reference hour
  std::string hora_termino;  // INTERVALO end
  std::string data_inicio;
  std::string data_termino;
};

class CaminhadaDasColunas {
 public:
  // `serie` stands after the header line `cabecalho`; `trabalho` stands after
  // its copy of the header. The columns searched are 4 to `ultima_coluna`.
  CaminhadaDasColunas(std::unique_ptr<LineReader> serie, std::unique_ptr<LineReader> trabalho,
                      const RegrasPeriodo& regras, int ultima_coluna, std::string cabecalho);

  // Some data line has still to be taken into a period.
  bool ha_periodo();
  // Makes the next period and works out its figures.
  void faz_periodo();

  // Largest value and sum of the period in column `coluna`; a value that is
  // not a whole number adds nothing but its line still counts.
  std::int64_t valor_maximo(int coluna) const { return VALOR_MAXIMO_[indice(coluna)]; }
  std::int64_t acumulo_periodo(int coluna) const { return ACUMULO_PERIODO_[indice(coluna)]; }
  // Periodic modes: the first and the last line taken into the period.
  const std::string& primeira_linha() const { return PRIMEIRA_LINHA_; }
  const std::string& ultima_linha() const { return LINHA_ANTERIOR_; }

  // Hands the period's lines, read again from the work file, to `ao_ler` in
  // order (`ao_ler` may be empty: the lines are passed over); the work file
  // then stands before the next period. False when the work file ended first:
  // it was changed under us.
  bool rele_periodo(const std::function<void(const std::string&)>& ao_ler);

  // A read error, in the series or in the work file.
  bool serie_falhou() const { return serie_->failed(); }
  bool trabalho_falhou() const { return trabalho_->failed(); }

 private:
  static std::size_t indice(int coluna) { return static_cast<std::size_t>(coluna - kTipsField); }
  void toma(const std::string& linha);
  void le_serie();
  void periodo_total();
  void periodo_intervalo();
  void periodo_periodico();
  bool antes_do_inicio(const std::string& linha) const;
  bool dentro_do_fim(const std::string& linha) const;
  bool fecha_periodo() const;

  std::vector<std::int64_t> VALOR_MAXIMO_;
  std::vector<std::int64_t> ACUMULO_PERIODO_;
  // Lines taken and not yet re-read from the work file. Signed: the INTERVALO
  // step that accounts for the header line may lower it below 0 when the
  // header does not sort before the start.
  std::int64_t LINHAS_PERIODO_ = 0;
  std::string PRIMEIRA_LINHA_;
  std::string LINHA_ANTERIOR_;

  std::unique_ptr<LineReader> serie_;
  std::unique_ptr<LineReader> trabalho_;
  const RegrasPeriodo& regras_;
  int ultima_coluna_;
  std::vector<std::optional<std::int32_t>> valores_;
  std::string LINHA_ATUAL_;
  // A plain flag rather than a marker text, so that no data line can pass for
  // "nothing read yet".
  bool primeira_lida_ = false;
  // LINHA_ATUAL_ holds a line read ahead and not yet taken into a period.
  bool atual_pendente_ = false;
};

}  // namespace rain::maxima
