#include "formatter/discretiza_em_fluxo.h"

#include <algorithm>
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

bool so_digitos(std::string_view texto) {
  for (char c : texto) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// The third field of a record from `inicio` on: blanks skipped, up to the next.
std::string_view terceiro_campo(std::string_view registro, std::size_t inicio) {
  while (inicio < registro.size() && registro[inicio] == ' ') ++inicio;
  std::size_t fim = registro.find(' ', inicio);
  if (fim == std::string_view::npos) fim = registro.size();
  return registro.substr(std::min(inicio, registro.size()), fim - std::min(inicio, registro.size()));
}

// Time, date and depth of a record that starts "hh:mm:ss dd/mm/yy " or
// "hh:mm:ss dd/mm/yyyy ", where OBTEMHORA and OBTEMDATA give the fields as
// they stand (the four-digit year losing its century). False for any other
// form; `hora` and `data` are empty when the fields are no clock time or no
// calendar date.
bool le_no_lugar(std::string_view registro, std::optional<ClockTime>& hora, std::optional<CalendarDate>& data,
                 std::string_view& acumulo) {
  if (registro.size() < 17 || registro[8] != ' ' || registro[11] != '/' || registro[14] != '/') return false;
  std::size_t fim_da_data = 17;
  if (registro.size() >= 19 && registro[17] != ' ' && so_digitos(registro.substr(17, 2))) fim_da_data = 19;
  if (fim_da_data < registro.size() && registro[fim_da_data] != ' ') return false;
  if (!so_digitos(registro.substr(9, 2)) || !so_digitos(registro.substr(12, 2)) || !so_digitos(registro.substr(15, 2))) {
    return false;
  }
  hora = fixed_clock_time(registro.substr(0, 8));
  char curta[8];
  registro.copy(curta, 6, 9);
  registro.copy(curta + 6, 2, fim_da_data - 2);
  data = fixed_calendar_date(std::string_view(curta, 8));
  acumulo = terceiro_campo(registro, fim_da_data);
  return true;
}

}  // namespace

DiscretizacaoEmFluxo::DiscretizacaoEmFluxo(DestinoDaSerie& proximo, const Passo& passo)
    : proximo_(proximo), passo_(passo.hora * 3600 + passo.minuto * 60 + passo.segundo) {}

void DiscretizacaoEmFluxo::recebe(std::string_view linha) {
  if (!tem_cabecalho_) {
    tem_cabecalho_ = true;
    proximo_.recebe(short_view(linha));
    return;
  }
  if (is_blank_line(linha)) return;
  const std::string_view registro = short_view(linha);
  if (registro.find('\t') != std::string_view::npos) throw Desvio{};

  // A record written "hh:mm:ss dd/mm/yy depth" (or with the year in four
  // digits) is read in place; any other form takes OBTEMHORA and OBTEMDATA,
  // which must give those forms.
  std::optional<ClockTime> hora;
  std::optional<CalendarDate> data;
  std::string_view acumulo;
  if (!le_no_lugar(registro, hora, data, acumulo) || !hora || !data) {
    hora_longa_ = OBTEMHORA(registro);
    data_longa_ = OBTEMDATA(registro);
    hora = fixed_clock_time(hora_longa_);
    data = fixed_calendar_date(data_longa_);
    if (!hora || !data) throw Desvio{};
    acumulo = record_field(registro, kDepthField);
  }
  Dia dia{data->dia, data->mes, data->ano, 0};
  const int segundos = hora->hora * 3600 + hora->minuto * 60 + hora->segundo;
  if (!tem_registro_) {
    primeiro_ano_ = data->ano;
    comeca(dia, segundos);
  } else {
    dia.anos_desde_o_primeiro = (dia.ano - primeiro_ano_ + 100) % 100;
    const std::int64_t instante = dia.chave() * kSegundosDoDia + segundos;
    if (instante < dia_do_ultimo_.chave() * kSegundosDoDia + segundos_do_ultimo_) throw Desvio{};
    // Every slot before this record takes the depth of the one before it.
    while (instante_da_vaga() < instante) {
      escreve_vaga();
      avanca_vaga();
    }
  }
  dia_do_ultimo_ = dia;
  segundos_do_ultimo_ = segundos;
  acumulo_.assign(acumulo);
  replace_char(acumulo_, ',', '.');
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
  data_da_vaga_ = two_digit_fields(dia.dia, dia.mes, dia.ano, '/');
  segundos_da_vaga_ = (segundos / passo_ + 1) * passo_;
  if (segundos_da_vaga_ >= kSegundosDoDia) muda_de_dia();
}

void DiscretizacaoEmFluxo::escreve_vaga() {
  linha_.assign("hh:mm:ss ");
  escreve_dois_digitos(&linha_[0], segundos_da_vaga_ / 3600);
  escreve_dois_digitos(&linha_[3], segundos_da_vaga_ / 60 % 60);
  escreve_dois_digitos(&linha_[6], segundos_da_vaga_ % 60);
  linha_ += data_da_vaga_;
  linha_ += ' ';
  linha_ += acumulo_;
  if (linha_.size() <= kMaxShortText) {
    proximo_.recebe_registro(linha_, acumulo_);
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
  data_da_vaga_ = two_digit_fields(d.dia, d.mes, d.ano, '/');
}

}  // namespace rain::formatter
