// Tip counting in memory: the same records and counts as CONTA_BASCULACOES
// writes, for a series handed over line by line.
#pragma once

#include <string>
#include <string_view>

#include "formatter/fluxo.h"

namespace rain::formatter {

// Appends the tips between the depths `anterior` and `atual` for a bucket of
// `capacidade` mm: rounded with halves away from zero, "-0" for a small fall.
// Returns the count written.
double acrescenta_basculacoes(std::string& saida, double anterior, double atual, double capacidade);

// What the derived tips hold against the depth of the series they were
// counted on: the rounding of each count loses what is not a whole tip.
struct SomaDasBasculas {
  bool tem_registro = false;
  double primeiro = 0;  // depth of the series' first record
  double ultimo = 0;    // and of its last
  double basculas = 0;  // the counts written, added up

  // Takes the depth of the next record, appending to `saida` the tips
  // between it and the one before (nothing for the first).
  void conta(std::string& saida, double acumulo, double capacidade);
};

// Hands `proximo` the header with " Basculacao" (unless its tip column has a
// title already) and each record but the last with its tip count. A depth
// that is not a number throws Desvio: the stage that reads its work file stops
// there and says where.
class ContagemEmFluxo : public DestinoDaSerie {
 public:
  ContagemEmFluxo(DestinoDaSerie& proximo, double capacidade, bool titulo_pronto)
      : proximo_(proximo), capacidade_(capacidade), titulo_pronto_(titulo_pronto) {}
  const SomaDasBasculas& soma() const { return soma_; }
  void recebe(std::string_view linha) override;
  void recebe_lido(std::string_view linha, const FixedRecord& lido) override;
  void termina() override { proximo_.termina(); }

 private:
  double valor_de(std::string_view acumulo);
  void conta(std::string_view acumulo);

  DestinoDaSerie& proximo_;
  double capacidade_;
  bool titulo_pronto_;
  SomaDasBasculas soma_;
  bool tem_cabecalho_ = false;
  std::string anterior_;
  std::string atual_;
  // The depth text last read and its value: a resampled series repeats one
  // depth over many slots.
  bool tem_lido_ = false;
  std::string texto_lido_;
  double valor_lido_ = 0;
};

}  // namespace rain::formatter
