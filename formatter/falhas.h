// Outages of the logger, found between consecutive readings of the export: a
// stretch longer than the limit the user gave in which nothing was written,
// while the counter may have gone on counting. The conversion hands each
// reading over; the outages go into the outage list (common/outages.h) as
// they are found.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/instante.h"
#include "common/line_io.h"
#include "common/outages.h"

namespace rain::formatter {

class LacunasDasLeituras {
 public:
  // `limite_s`: readings further apart than this enclose an outage (0: none
  // is looked for). `passo_s`: the step of the resampled series (0 when it
  // is not resampled). `lista`: where the rows go, or nothing.
  LacunasDasLeituras(std::int64_t limite_s, std::int64_t passo_s, double capacidade, LineWriter* lista);

  // The next reading: when it was taken and the depth after it. A reading
  // whose time cannot be told (`tem_instante` false) breaks the chain; a
  // depth that is not a number (`tem_acumulo` false) leaves the rain unknown.
  void leitura(bool tem_instante, Instante instante, bool tem_acumulo, double acumulo) {
    // Most readings follow the one before closely: nothing to look at.
    if (tem_instante && tem_anterior_ && instante - anterior_ <= perto_s_) {
      anterior_ = instante;
      tem_acumulo_anterior_ = tem_acumulo;
      acumulo_anterior_ = acumulo;
      return;
    }
    depois_de_uma_lacuna(tem_instante, instante, tem_acumulo, acumulo);
  }

  // The lines for standard error: the outages found (when a limit was given)
  // and the gaps of more than a day in which the counter rose by more than a
  // tip that no outage covers. `lista`: the file of the list, or empty.
  std::vector<std::string> avisos(const std::string& lista) const;

  // The outage a gap from `t1` to `t2` leaves in a series of step `passo_s`
  // (0: not resampled): the steps that lie wholly between the two readings.
  // Nothing when no step does.
  static std::optional<Outage> falha_entre(Instante t1, Instante t2, std::int64_t passo_s);

 private:
  void depois_de_uma_lacuna(bool tem_instante, Instante instante, bool tem_acumulo, double acumulo);

  std::int64_t limite_s_;
  std::int64_t perto_s_;  // a gap this long or shorter is neither an outage nor a long gap
  std::int64_t passo_s_;
  double capacidade_;
  LineWriter* lista_;
  bool tem_anterior_ = false;
  Instante anterior_ = 0;
  bool tem_acumulo_anterior_ = false;
  double acumulo_anterior_ = 0;

  std::int64_t falhas_ = 0;
  std::int64_t segundos_em_falha_ = 0;
  Outage primeira_falha_;
  std::int64_t lacunas_ = 0;
  Outage primeira_lacuna_;  // the two readings, and the rise between them
};

}  // namespace rain::formatter
