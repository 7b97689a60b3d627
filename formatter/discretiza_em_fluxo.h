// Resampling in memory: the same slots and depths as DISCRETIZA_NO_TEMPO
// writes, for a series handed over line by line, with no grid or day list
// file: the slots are counted out as the records arrive.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "formatter/fluxo.h"
#include "formatter/passo.h"

namespace rain::formatter {

// Takes a series whose records hold calendar dates and clock times in time
// order (years counted on from the first record's, so 99 is followed by 00),
// as the conversion of a series to be resampled lets through. A series it
// cannot carry exactly as the file-based resampling would (no record, a record
// out of order) throws Desvio.
class DiscretizacaoEmFluxo : public DestinoDaSerie {
 public:
  DiscretizacaoEmFluxo(DestinoDaSerie& proximo, const Passo& passo);
  void recebe(std::string_view linha) override;
  void recebe_lido(std::string_view linha, const FixedRecord& lido) override;
  void termina() override;

 private:
  // A day of the walk: its key orders days by years since the first record's
  // year, month and day.
  struct Dia {
    int dia = 0;
    int mes = 0;
    int ano = 0;
    int anos_desde_o_primeiro = 0;
    std::int64_t chave() const { return (static_cast<std::int64_t>(anos_desde_o_primeiro) * 13 + mes) * 32 + dia; }
  };

  void toma(const FixedRecord& registro);
  void comeca(const Dia& dia, int segundos);
  std::int64_t instante_da_vaga() const { return inicio_do_dia_da_vaga_ + segundos_da_vaga_; }
  void marca_dia_da_vaga();
  void escreve_vaga();
  void avanca_vaga();
  void muda_de_dia();

  static constexpr std::int64_t kSegundosDoDia = 86400;

  DestinoDaSerie& proximo_;
  int passo_ = 0;  // seconds
  bool tem_cabecalho_ = false;
  bool tem_registro_ = false;
  int primeiro_ano_ = 0;
  // The last record taken.
  Dia dia_do_ultimo_;
  int segundos_do_ultimo_ = 0;
  std::string acumulo_;  // its depth, which every slot up to the next record takes
  // The next slot to write.
  Dia dia_da_vaga_;
  int segundos_da_vaga_ = 0;
  std::int64_t inicio_do_dia_da_vaga_ = 0;  // its day's key in seconds
  std::string data_da_vaga_;                // "dd/mm/yy"
  std::string linha_;
  bool linha_pronta_ = false;  // `linha_` holds the date and depth of the slot
};

}  // namespace rain::formatter
