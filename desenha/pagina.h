// The report page: one HTML file with inline SVG drawings of a series, its
// months, its annual maxima and its largest storms, and the events table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/env.h"
#include "common/line_io.h"
#include "events/parametros.h"
#include "resume/opcoes.h"

namespace rain::desenha {

struct ParametrosDaPagina {
  std::string entrada;
  std::string pagina;
  events::ParametrosDeCorte corte;
  resume::OpcoesDaAnalise opcoes;  // outage list, energy equation, complete years, IDF distribution
  // The file the passes read when it is not `entrada`: the copy of a series
  // that can be read only once.
  std::string lida{};
  const std::string& serie_lida() const { return lida.empty() ? entrada : lida; }
};

// At most this many storms get a hyetograph: the deepest ones.
inline constexpr std::size_t kMaioresEventos = 50;

struct ResumoDaPagina {
  std::int64_t registros = 0;
  std::int64_t eventos = 0;
  std::int64_t hietogramas = 0;
  // Lines for standard error about the figures drawn (the IDF curves' warnings).
  std::vector<std::string> avisos;
};

// Reads the outage list when one is named, then the series three times (what
// the page needs to know first, the drawings, the events table) and writes the
// page to `saida`. Throws Failure when the list or the series cannot be read.
ResumoDaPagina escreve_pagina(Env& env, const ParametrosDaPagina& p, LineWriter& saida);

// The whole run: the series is taken in first (common/series_input.h), and a
// file that is no series or is not on the step given is refused; the page is
// written under a temporary name and takes its own name only once complete,
// replacing an earlier page. Refuses (Failure) a page that would be the series
// itself or the outage list.
ResumoDaPagina desenha_pagina(Env& env, const ParametrosDaPagina& p);

}  // namespace rain::desenha
