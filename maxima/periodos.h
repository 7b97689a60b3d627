// The walk through one value column of a series, period by period. The series
// reader leads and finds each period's figures; the work-file reader trails
// and is left just before the period's first line, so the report can re-read
// the period's lines (LINHAS_PERIODO of them) to list the records at the
// maximum without holding the period in memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/line_io.h"
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

class CaminhadaColuna {
 public:
  // `serie` stands after the header line `cabecalho`; `trabalho` stands after
  // its copy of the header.
  CaminhadaColuna(LineReader& serie, LineReader& trabalho, const RegrasPeriodo& regras, int coluna,
                  std::string cabecalho);

  // Some data line of the column has still to be taken into a period.
  bool ha_periodo();
  // Makes the next period and fills the figures below.
  void faz_periodo();

  // Largest value and sum of the period; a value that is not a whole number
  // adds nothing but its line still counts.
  std::int64_t VALOR_MAXIMO = 0;
  std::int64_t ACUMULO_PERIODO = 0;
  // Lines taken and not yet re-read from the work file; the report brings it
  // back to 0. Signed: the INTERVALO step that accounts for the header line
  // may lower it below 0 when the header does not sort before the start.
  std::int64_t LINHAS_PERIODO = 0;
  // Periodic modes: the first and the last line taken into the period.
  std::string PRIMEIRA_LINHA;
  std::string LINHA_ANTERIOR;

 private:
  void toma(const std::string& linha);
  void le_serie();
  void periodo_total();
  void periodo_intervalo();
  void periodo_periodico();
  bool antes_do_inicio(const std::string& linha) const;
  bool dentro_do_fim(const std::string& linha) const;
  bool fecha_periodo() const;

  LineReader& serie_;
  LineReader& trabalho_;
  const RegrasPeriodo& regras_;
  int coluna_;
  std::string LINHA_ATUAL;
  // A plain flag rather than a marker text, so that no data line can pass for
  // "nothing read yet".
  bool primeira_lida_ = false;
  // LINHA_ATUAL holds a line read ahead and not yet taken into a period.
  bool atual_pendente_ = false;
};

}  // namespace rain::maxima
