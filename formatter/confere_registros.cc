#include "formatter/confere_registros.h"

#include "common/failure.h"
#include "common/text.h"

namespace rain::formatter {

std::string trecho(std::string_view linha) { return cut_short(linha); }

std::string Origem::descreve() const { return "linha " + std::to_string(numero) + " do arquivo de entrada"; }

const FixedRecord* ConfereRegistros::confere(const std::string& registro, const Origem& origem) {
  lido_ = fixed_record(registro);
  const std::optional<FixedRecord>& fixo = lido_;
  std::optional<CalendarDate> data = fixo ? fixo->date : fixed_calendar_date(OBTEMDATA(registro));
  if (!discretiza_) {
    if (!data && resumo_.datas_impossiveis++ == 0) {
      resumo_.primeira_linha_impossivel = origem.numero;
      resumo_.primeiro_texto_impossivel = trecho(origem.linha);
    }
    return fixo ? &*fixo : nullptr;
  }
  if (!data) recusa("data invalida", origem);
  std::optional<ClockTime> hora = fixo ? fixo->time : fixed_clock_time(OBTEMHORA(registro));
  if (!hora) recusa("hora invalida", origem);
  if (!tem_anterior_) primeiro_ano_ = data->ano;
  const Momento momento{(data->ano - primeiro_ano_ + 100) % 100, data->mes, data->dia, *hora};
  if (tem_anterior_ && momento < anterior_) recusa("registro anterior ao registro precedente", origem);
  anterior_ = momento;
  tem_anterior_ = true;
  return fixo ? &*fixo : nullptr;
}

void ConfereRegistros::recusa(const char* motivo, const Origem& origem) {
  throw Failure("Erro: " + std::string(motivo) + " na " + origem.descreve() + ": " + trecho(origem.linha), 1);
}

}  // namespace rain::formatter
