// The statistics of a rain record in one pass: the storms with their peak
// intensities and erosivity, the annual maxima per duration and the
// erosivity of each month and year.
//
// A caller reads the series line by line, turns each line into a Registro
// (le_registro) and hands it to a Resumo; finished rows come back through two
// callbacks, in the order of the tables: events by number, annual maxima by
// year then duration. termina() closes what is still open at the end of the
// series, as if dry records followed it; the erosivity rows are then ready.
// Memory depends on the window length and the durations, never on the length
// of the series (the erosivity keeps a few figures per calendar year).
//
//   Resumo resumo(parametros, [&](const LinhaDeEvento& e) { ... },
//                             [&](const LinhaDeMaxima& m) { ... });
//   while (reads a line) resumo.acrescenta(le_registro(linha, numero_da_linha));
//   resumo.termina();
//   resumo.erosividade().linhas();
//
// resume/tabelas.h turns the rows into the lines of the CSV tables.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "common/instante.h"
#include "common/outages.h"
#include "resume/completude.h"
#include "resume/energia.h"

namespace rain::resume {

class Erosividade;

struct ParametrosDoResumo {
  std::int64_t janela = 1;  // N: records of the stretch that closes an event (CALCULA_JANELA)
  double minimo = 0;        // an event is kept only when deeper than this, mm
  double precisao = 0;      // mm per bucket tip
  std::int64_t passo_s = 0; // step of the series, seconds (at least 1)
  // 0: an event ends where N records without tips follow it, the events that
  // Fatia_Chuvadas writes. Above 0 (mm): the storms of events/tempestades.h,
  // which end where the N records after their rain hold less than this.
  double limite_seco = 0;
  EquacaoDeEnergia energia = EquacaoDeEnergia::kRusle2;
  // Steps the logger did not see, and the step after each, whose rain is not
  // that of one step: no intensity is taken from them.
  OutageList falhas;
  // Share of a year's steps (%) that makes it complete, for the means.
  double completude_minima = kCompletudeMinimaPadrao;
};

// One record of the series: the start of its step and its tips.
struct Registro {
  std::int64_t linha = 0;  // line number in the series file, for messages
  Instante inicio = 0;
  // Word 4 with tabs counted as blanks, as read inside an event.
  std::int32_t basculacoes = 0;
  // Word 4 split at blanks only, as read while a start is looked for.
  std::int32_t basculacoes_na_busca = 0;
};

// A record line of the series ("hh:mm:ss dd/mm/yy depth tips"). A line whose
// time or date is not a clock time and a calendar date stops the run with a
// Failure naming `numero_da_linha`.
Registro le_registro(std::string_view texto, std::int64_t numero_da_linha);

// Durations of the intensity columns, minutes, in the table's order.
inline constexpr std::array<int, 5> kDuracoesDoEvento{5, 10, 15, 30, 60};
// Durations of the annual maxima, minutes, in the table's order.
inline constexpr std::array<int, 10> kDuracoesAnuais{5, 10, 15, 30, 60, 120, 180, 360, 720, 1440};

// Records in a window of `minutos`, or 0 when that is not a whole number of
// steps: the tables then have no figure of that duration.
std::int64_t registros_da_duracao(int minutos, std::int64_t passo_s);

// The largest depth over the windows of one duration. Records are numbered
// from 0, the first record after the header line.
struct MaximoDaJanela {
  // False when the duration is not a whole number of steps, or the figure
  // would come from an outage: the table's fields are then empty.
  bool calculavel = false;
  std::int64_t basculacoes = 0;   // tips of the deepest window
  double chuva_mm = 0;            // basculacoes x precisao
  double intensidade_mm_h = 0;    // chuva_mm x 60 / duration in minutes
  // The earliest window that reaches it and starts with a record with tips:
  // that record and its time. Without tips at all (a dry year) there is none:
  // registro_inicio is -1.
  std::int64_t registro_inicio = -1;
  Instante inicio = 0;
};

// One row of the events table (kept events only).
struct LinhaDeEvento {
  std::int64_t evento = 0;                // number among the kept events, from 1
  Instante inicio = 0;                    // first record with tips
  Instante fim = 0;                       // last record with tips plus one step
  double duracao_h = 0;                   // (fim - inicio) in hours
  double chuva_mm = 0;                    // basculacoes x precisao
  std::int64_t basculacoes = 0;
  std::optional<double> seco_antes_h;     // from the previous event found (kept or not); none for the first
  // kDuracoesDoEvento. A window starts at a record of the event and counts
  // the event's own records only: what follows its last record is dry.
  std::array<MaximoDaJanela, 5> intensidades;
  std::optional<double> energia_mj_ha;    // sum of e x depth over the records; none with falha
  std::optional<double> ei30_mj_mm_ha_h;  // energia x I30; none when I30 cannot be computed
  // chuva >= 12.7 mm or the deepest 15 minutes >= 6.35 mm; none with falha,
  // whose depth and peaks hold rain of an outage.
  std::optional<bool> erosiva;
  // A record of the event lies in an outage or right after one: no
  // intensity, energy or erosivity is given.
  bool falha = false;
  // For drawing the event: its first and last records with tips (a
  // hyetograph covers [primeiro_registro, ultimo_registro]); the I30 window
  // starts at intensidades[3].registro_inicio.
  std::int64_t primeiro_registro = 0;
  std::int64_t ultimo_registro = 0;
};

// One row of the annual maxima table.
struct LinhaDeMaxima {
  int ano = 0;                 // four digits
  int duracao_min = 0;         // one of kDuracoesAnuais that is a whole number of steps
  std::int64_t registros = 0;  // records of that year in the series
  std::int64_t registros_validos = 0;  // those whose step is outside every outage
  double completude_pct = 0;   // registros_validos against the steps of the year
  // The deepest window whose first record lies in that year (it may run into
  // the next year), has tips and touches no outage. Not calculavel for a year
  // inside the record that has no record at all.
  MaximoDaJanela maximo;
};

// What a finished run counted, for its summary line.
struct TotaisDoResumo {
  std::int64_t registros = 0;
  std::int64_t eventos_encontrados = 0;
  std::int64_t eventos_mantidos = 0;
  std::int64_t eventos_com_falha = 0;  // kept events that touch an outage
  std::int64_t basculacoes = 0;        // all tips of the series
};

class Resumo {
 public:
  using AoEvento = std::function<void(const LinhaDeEvento&)>;
  using AMaxima = std::function<void(const LinhaDeMaxima&)>;

  // Refuses (Failure) a window below 1 or a step below 1 second.
  Resumo(const ParametrosDoResumo& parametros, AoEvento ao_evento, AMaxima a_maxima);
  ~Resumo();
  Resumo(const Resumo&) = delete;
  Resumo& operator=(const Resumo&) = delete;

  // The next record of the series. Records must not go back in time (a
  // Failure naming its line otherwise).
  void acrescenta(const Registro& registro);
  // The end of the series: the open event closes as if dry records followed,
  // windows that run past the end count the records they hold, and the last
  // rows are handed out.
  void termina();

  const TotaisDoResumo& totais() const;
  // The erosivity of each month and year, whole after termina().
  const Erosividade& erosividade() const;

 private:
  class Estado;
  std::unique_ptr<Estado> estado_;
};

}  // namespace rain::resume
