#include "formatter/discretiza_em_fluxo.h"

#include <optional>

#include "common/calendar.h"
#include "common/series_record.h"
#include "common/text.h"

namespace rain::formatter {
namespace {

void escreve_dois_digitos(char* destino, int valor) {
  destino[0] = static_cast<char>('0' + valor / 10);
  destino[1] = static_cast<char>('0' + valor % 10);
}

}  // namespace

DiscretizacaoEmFluxo::DiscretizacaoEmFluxo(DestinoDaSerie& proximo, const Passo& passo)
    : proximo_(proximo), passo_(passo.segundos()) {}

void DiscretizacaoEmFluxo::recebe(std::string_view linha) {
  if (!tem_cabecalho_) {
    tem_cabecalho_ = true;
    proximo_.recebe(short_view(linha));
    return;
  }
  if (is_blank_line(linha)) return;
  const std::string_view registro = short_view(linha);
  if (registro.find('\t') != std::string_view::npos) throw Desvio{};
  if (const std::optional<FixedRecord> lido = fixed_record(registro)) {
    toma(*lido);
    return;
  }
  // The time and date must be a clock time and a calendar date as OBTEMHORA
  // and OBTEMDATA give them.
  const std::optional<ClockTime> hora = fixed_clock_time(OBTEMHORA(registro));
  const std::optional<CalendarDate> data = fixed_calendar_date(OBTEMDATA(registro));
  if (!hora || !data) throw Desvio{};
  toma(FixedRecord{*hora, *data, record_field(registro, kDepthField)});
}

void DiscretizacaoEmFluxo::recebe_lido(std::string_view linha, const FixedRecord& lido) {
  if (!tem_cabecalho_) {
    recebe(linha);
    return;
  }
  toma(lido);
}

// Every slot before the record takes the depth of the one before it.
void DiscretizacaoEmFluxo::toma(const FixedRecord& registro) {
  const CalendarDate& data = registro.date;
  const ClockTime& hora = registro.time;
  Dia dia{data.dia, data.mes, data.ano, 0};
  const int segundos = hora.hora * 3600 + hora.minuto * 60 + hora.segundo;
  if (!tem_registro_) {
    primeiro_ano_ = data.ano;
    comeca(dia, segundos);
  } else {
    dia.anos_desde_o_primeiro = (dia.ano - primeiro_ano_ + 100) % 100;
    const std::int64_t instante = dia.chave() * kSegundosDoDia + segundos;
    if (instante < dia_do_ultimo_.chave() * kSegundosDoDia + segundos_do_ultimo_) throw Desvio{};
    while (instante_da_vaga() < instante) {
      escreve_vaga();
      avanca_vaga();
    }
  }
  dia_do_ultimo_ = dia;
  segundos_do_ultimo_ = segundos;
  if (!same_text(acumulo_, registro.depth)) {
    acumulo_.assign(registro.depth);
    replace_char(acumulo_, ',', '.');
    linha_pronta_ = false;
  }
  tem_registro_ = true;
}

void DiscretizacaoEmFluxo::termina() {
  if (!tem_registro_) throw Desvio{};
  // The slots run on to the first one after the last record, or to the last
  // one of its day.
  const std::int64_t ultimo_dia = dia_do_ultimo_.chave();
  while (dia_da_vaga_.chave() == ultimo_dia) {
    escreve_vaga();
    const bool depois_do_ultimo = segundos_da_vaga_ > segundos_do_ultimo_;
    avanca_vaga();
    if (depois_do_ultimo) break;
  }
  proximo_.termina();
}

// The first slot is the first time of the grid after the first record; from
// the last one of its day on, 00:00:00 of the next day.
void DiscretizacaoEmFluxo::comeca(const Dia& dia, int segundos) {
  dia_da_vaga_ = dia;
  marca_dia_da_vaga();
  segundos_da_vaga_ = (segundos / passo_ + 1) * passo_;
  if (segundos_da_vaga_ >= kSegundosDoDia) muda_de_dia();
}

// The line of a slot: its time, then its date and the depth, which stand in
// the line until one of them changes.
void DiscretizacaoEmFluxo::escreve_vaga() {
  if (!linha_pronta_) {
    linha_.assign("hh:mm:ss ");
    linha_ += data_da_vaga_;
    linha_ += ' ';
    linha_ += acumulo_;
    linha_pronta_ = true;
  }
  const int s = segundos_da_vaga_;
  const ClockTime hora{s / 3600, s / 60 % 60, s % 60};
  escreve_dois_digitos(&linha_[0], hora.hora);
  escreve_dois_digitos(&linha_[3], hora.minuto);
  escreve_dois_digitos(&linha_[6], hora.segundo);
  if (linha_.size() <= kMaxShortText) {
    const Dia& d = dia_da_vaga_;
    proximo_.recebe_lido(linha_, FixedRecord{hora, CalendarDate{d.dia, d.mes, d.ano}, acumulo_});
  } else {
    proximo_.recebe(linha_);
  }
}

void DiscretizacaoEmFluxo::avanca_vaga() {
  segundos_da_vaga_ += passo_;
  if (segundos_da_vaga_ >= kSegundosDoDia) muda_de_dia();
}

// The grid starts again at 00:00:00 on the next calendar day; after 31/12/99
// comes 01/01/00.
void DiscretizacaoEmFluxo::muda_de_dia() {
  segundos_da_vaga_ = 0;
  Dia& d = dia_da_vaga_;
  if (++d.dia > days_in_month(d.mes, d.ano)) {
    d.dia = 1;
    if (++d.mes > 12) {
      d.mes = 1;
      d.ano = (d.ano + 1) % 100;
      ++d.anos_desde_o_primeiro;
    }
  }
  marca_dia_da_vaga();
}

void DiscretizacaoEmFluxo::marca_dia_da_vaga() {
  const Dia& d = dia_da_vaga_;
  data_da_vaga_ = two_digit_fields(d.dia, d.mes, d.ano, '/');
  inicio_do_dia_da_vaga_ = d.chave() * kSegundosDoDia;
  linha_pronta_ = false;
}

}  // namespace rain::formatter
