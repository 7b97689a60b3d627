// The tip counting, the formatter's one: each record of the series gets the
// number of bucket tips between its depth and the next record's, and the last
// record, which has no successor, is dropped. The records are handed over line
// by line, by the stage before or from a work file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "formatter/fluxo.h"

namespace rain::formatter {

// Appends the tips between the depths `anterior` and `atual` for a bucket of
// `capacidade` mm: rounded with halves away from zero, "-0" for a small fall.
// Returns the count written.
double acrescenta_basculacoes(std::string& saida, double anterior, double atual, double capacidade);

// The same for two depth texts ("." as decimal point), right-aligned in at
// least 5 characters; nothing when either depth is not a number.
std::optional<std::string> OBTEMBASCULACAO(std::string_view str1, std::string_view str2, double capacidade);

// What the derived tips hold against the depth of the series they were
// counted on: the rounding of each count loses what is not a whole tip.
struct SomaDasBasculas {
  bool tem_registro = false;
  double primeiro = 0;         // depth of the series' first record
  double ultimo = 0;           // and of its last
  double basculas = 0;         // the counts written, added up
  std::int64_t registros = 0;  // the records written with a count

  // Takes the depth of the next record, appending to `saida` the tips
  // between it and the one before (nothing for the first).
  void conta(std::string& saida, double acumulo, double capacidade);
};

// Hands `proximo` the header with " Basculacao" (unless its tip column has a
// title already) and each record but the last with its tip count, after one
// blank; a record is held cut to 255 characters, its tabs turned into blanks.
// A lone record's depth is never read: it gives no count. A depth that is not
// a number throws ParadaDaEtapa.
class ContagemEmFluxo : public DestinoDaSerie {
 public:
  ContagemEmFluxo(DestinoDaSerie& proximo, double capacidade, bool titulo_pronto)
      : proximo_(proximo), capacidade_(capacidade), titulo_pronto_(titulo_pronto) {}
  const SomaDasBasculas& soma() const { return soma_; }
  void recebe(std::string_view linha) override;
  void recebe_lido(std::string_view linha, const FixedRecord& lido) override;
  void termina() override;

 private:
  double valor_de(std::string_view acumulo, std::int64_t linha);
  void conta(std::string_view registro, std::string_view acumulo);

  DestinoDaSerie& proximo_;
  double capacidade_;
  bool titulo_pronto_;
  SomaDasBasculas soma_;
  std::int64_t linhas_ = 0;  // lines handed over, the header being the first
  std::string anterior_;  // the record that waits for its tips
  std::string registro_;  // a record whose tabs are turned into blanks
  FixedRecordReader leitor_;
  std::string acumulo_do_primeiro_;
  // The depth text last read and its value: a resampled series repeats one
  // depth over many slots.
  bool tem_lido_ = false;
  std::string texto_lido_;
  double valor_lido_ = 0;
};

}  // namespace rain::formatter
