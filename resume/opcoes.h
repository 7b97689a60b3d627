// The options Resume_Chuvadas and Desenha_Chuvadas share, given before their
// parameters:
//   --falhas <list>            the outage list (common/outages.h)
//   --energia rusle2|bf|ws     the unit energy equation (resume/energia.h)
//   --completude-minima <pct>  the share of a year's steps that makes it
//                              complete, from 0 to 100 (90 unless given)
//   --distribuicao gumbel|gev  the distribution of the IDF curves (resume/idf.h)
#pragma once

#include <optional>
#include <string>

#include "common/options.h"
#include "events/parametros.h"
#include "resume/completude.h"
#include "resume/distribuicoes.h"
#include "resume/energia.h"
#include "resume/resumo.h"

namespace rain::resume {

struct OpcoesDaAnalise {
  std::optional<std::string> falhas;  // the outage list, when given
  EquacaoDeEnergia energia = EquacaoDeEnergia::kRusle2;
  double completude_minima = kCompletudeMinimaPadrao;
  Distribuicao distribuicao = Distribuicao::kGumbel;
};

// Refuses (Failure, exit code 1) an unknown equation or distribution, or a
// share that is not a number from 0 to 100, naming the text given.
OpcoesDaAnalise opcoes_da_analise(const Options& opcoes);

// The figures of a run from its cut of the series, its dry limit (0: the
// events of Fatia_Chuvadas) and its options; the outage list is left to the
// caller, which reads it.
ParametrosDoResumo parametros_do_resumo(const events::ParametrosDeCorte& corte, double limite_seco,
                                        const OpcoesDaAnalise& opcoes);

}  // namespace rain::resume
