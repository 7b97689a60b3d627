// Cutting a normalized series into rain events, one file per event. An event
// is first written under kEventWorkFile in the current directory, then moved
// to its own name.
#pragma once

#include <cstdint>
#include <string>

#include "common/env.h"
#include "common/file_names.h"

namespace rain::events {

// How a pass over the series ended.
enum class FimDoRecorte {
  // The series ended right after an event (or after its header): the run goes
  // on to its closing message.
  kRetornou,
  // The series ended while a new event was being looked for: the run stops at
  // once, without closing message.
  kEntradaAcabouNaBusca,
};

struct ParametrosDoRecorte {
  std::string entrada;
  std::string saida;
  std::int64_t janela = 1;  // N: dry records that close an event, at least 1
  double minimo = 0;        // an event is kept only when deeper than this, mm
  double precisao = 0;      // mm per bucket tip
  // The step the series must have, seconds (the discretization interval); 0
  // leaves it unchecked.
  std::int64_t passo_s = 0;
};

// What a pass did, for the run's summary line.
struct ResumoDoRecorte {
  std::int64_t registros = 0;     // records of the series read
  std::int64_t eventos = 0;       // event files written
  std::int64_t basculacoes = 0;   // tips of the events written
};

// One pass over the series `p.entrada`: every event whose depth exceeds the
// minimum is written to saida_ParteK_<start>_a_<end>.txt. Before any event the
// series is taken in whole (common/series_input.h): a file that is no series,
// or whose step is not `p.passo_s`, is refused. The work file is this run's
// from then to the end of the run. Throws Failure when the series cannot be
// read or an event file cannot be written or moved. `resumo`, when given,
// receives the figures of the pass.
FimDoRecorte RECORTA_EVENTOS(Env& env, const ParametrosDoRecorte& p, ResumoDoRecorte* resumo = nullptr);

}  // namespace rain::events
