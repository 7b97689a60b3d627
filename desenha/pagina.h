// The report page: one HTML file with inline SVG drawings of a series, its
// months, its annual maxima and its largest storms, and the events table.
#pragma once

#include <cstdint>
#include <string>

#include "common/env.h"
#include "common/line_io.h"
#include "events/parametros.h"
#include "resume/opcoes.h"

namespace rain::desenha {

struct ParametrosDaPagina {
  std::string entrada;
  std::string pagina;
  events::ParametrosDeCorte corte;
  resume::OpcoesDaAnalise opcoes;  // outage list, energy equation, complete years
};

// At most this many storms get a hyetograph: the deepest ones.
inline constexpr std::size_t kMaioresEventos = 50;

struct ResumoDaPagina {
  std::int64_t registros = 0;
  std::int64_t eventos = 0;
  std::int64_t hietogramas = 0;
};

// Reads the outage list when one is named, then the series three times (what
// the page needs to know first, the drawings, the events table) and writes the
// page to `saida`. Throws Failure when the list or the series cannot be read.
ResumoDaPagina escreve_pagina(Env& env, const ParametrosDaPagina& p, LineWriter& saida);

// The whole run: the page is written under a temporary name and takes its own
// name only once complete, replacing an earlier page. Refuses (Failure) a page
// that would be the series itself or the outage list.
ResumoDaPagina desenha_pagina(Env& env, const ParametrosDaPagina& p);

}  // namespace rain::desenha
