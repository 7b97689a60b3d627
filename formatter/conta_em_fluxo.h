// Tip counting in memory: the same records and counts as CONTA_BASCULACOES
// writes, for a series handed over line by line.
#pragma once

#include <string>
#include <string_view>

#include "formatter/fluxo.h"

namespace rain::formatter {

// Appends the tips between the depths `anterior` and `atual` for a bucket of
// `capacidade` mm: rounded with halves away from zero, "-0" for a small fall.
void acrescenta_basculacoes(std::string& saida, double anterior, double atual, double capacidade);

// Hands `proximo` the header with " Basculacao" and each record but the last
// with its tip count. A depth that is not a number throws Desvio: the stage
// that reads its work file stops there and says where.
class ContagemEmFluxo : public DestinoDaSerie {
 public:
  ContagemEmFluxo(DestinoDaSerie& proximo, double capacidade) : proximo_(proximo), capacidade_(capacidade) {}
  void recebe(std::string_view linha) override;
  void recebe_lido(std::string_view linha, const FixedRecord& lido) override;
  void termina() override { proximo_.termina(); }

 private:
  double valor_de(std::string_view acumulo);
  void conta(std::string_view acumulo);

  DestinoDaSerie& proximo_;
  double capacidade_;
  bool tem_cabecalho_ = false;
  bool tem_anterior_ = false;
  std::string anterior_;
  std::string atual_;
  // The depth text last read and its value: a resampled series repeats one
  // depth over many slots.
  bool tem_lido_ = false;
  std::string texto_lido_;
  double valor_lido_ = 0;
  double valor_anterior_ = 0;
};

}  // namespace rain::formatter
