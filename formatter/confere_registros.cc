#include "formatter/confere_registros.h"

#include "common/failure.h"
#include "common/instante.h"
#include "common/text.h"

namespace rain::formatter {

std::string trecho(std::string_view linha) { return cut_short(linha); }

std::string Origem::descreve() const { return "linha " + std::to_string(numero) + " do arquivo de entrada"; }

namespace {

constexpr std::int64_t kMaiorSalto = 366 * kSegundosDoDia;

// The year of a date written with four digits; nothing for any other.
std::optional<int> quatro_digitos(std::string_view data) {
  const std::string_view ano = word_view(data, 3, date_time_parts());
  if (ano.size() != 4) return std::nullopt;
  int valor = 0;
  for (char c : ano) {
    if (c < '0' || c > '9') return std::nullopt;
    valor = valor * 10 + (c - '0');
  }
  return valor;
}

}  // namespace

const FixedRecord* ConfereRegistros::confere(const std::string& registro, const Origem& origem) {
  lido_ = leitor_.read(registro);
  const std::optional<FixedRecord>& fixo = lido_;
  std::optional<CalendarDate> data = fixo ? fixo->date : fixed_calendar_date(OBTEMDATA(registro));
  if (!data) {
    if (discretiza_) recusa("data invalida", origem);
    if (resumo_.datas_impossiveis.vezes == 0) {
      resumo_.datas_impossiveis.linha = origem.numero;
      resumo_.datas_impossiveis.texto = trecho(origem.linha);
    }
    ++resumo_.datas_impossiveis.vezes;
    tem_instante_ = false;
    return fixo ? &*fixo : nullptr;
  }
  std::optional<ClockTime> hora = fixo ? fixo->time : fixed_clock_time(OBTEMHORA(registro));
  if (!hora) {
    if (discretiza_) recusa("hora invalida", origem);
    tem_instante_ = false;
    return fixo ? &*fixo : nullptr;
  }
  toma_data(*data, registro);
  const std::int64_t segundos = hora->hora * 3600 + hora->minuto * 60 + hora->segundo;
  instante_ = dias_como_serie_ * kSegundosDoDia + segundos;
  tem_instante_ = true;
  if (discretiza_) {
    const Instante momento = dias_em_ordem_ * kSegundosDoDia + segundos;
    if (tem_anterior_ && momento < anterior_) recusa("registro anterior ao registro precedente", origem);
    if (tem_anterior_ && momento - anterior_ > kMaiorSalto) recusa("salto do relogio de mais de 366 dias", origem);
    anterior_ = momento;
    tem_anterior_ = true;
  }
  return fixo ? &*fixo : nullptr;
}

void ConfereRegistros::muda_de_data(const CalendarDate& data, const std::string& registro) {
  if (const std::optional<int> ano = quatro_digitos(record_date(registro))) {
    ano_completo_ = *ano;
  } else if (tem_data_ && discretiza_) {
    ano_completo_ = year_counted_on(ano_completo_, data.ano);
  } else {
    ano_completo_ = ano_da_serie(data.ano);
  }
  data_ = data;
  tem_data_ = true;
  dias_em_ordem_ = dias_desde_1970(ano_completo_, data.mes, data.dia);
  // The resampled series writes two-digit years; a series kept as it is
  // keeps the year as the export wrote it.
  dias_como_serie_ = discretiza_ ? dias_desde_1970(ano_da_serie(ano_completo_ % 100), data.mes, data.dia)
                                 : dias_em_ordem_;
}

void ConfereRegistros::recusa(const char* motivo, const Origem& origem) {
  throw Failure("Erro: " + std::string(motivo) + " na " + origem.descreve() + ": " + trecho(origem.linha), 1);
}

}  // namespace rain::formatter
