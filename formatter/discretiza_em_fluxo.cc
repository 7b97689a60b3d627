#include "formatter/discretiza_em_fluxo.h"

#include <array>
#include <cstring>
#include <optional>

#include "common/series_record.h"
#include "common/text.h"

namespace rain::formatter {
namespace {

using Motivo = ParadaDaEtapa::Motivo;

int segundos_de(const ClockTime& hora) { return hora.hora * 3600 + hora.minuto * 60 + hora.segundo; }

// "00" to "99", two characters each: every slot writes its time, which then
// costs no division per digit.
constexpr std::array<char, 200> pares_de_digitos() {
  std::array<char, 200> pares{};
  for (int i = 0; i < 100; ++i) {
    pares[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
    pares[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
  }
  return pares;
}
constexpr std::array<char, 200> kParesDeDigitos = pares_de_digitos();

// `valor` is 0 to 99.
void escreve_dois_digitos(char* destino, int valor) {
  std::memcpy(destino, &kParesDeDigitos[static_cast<std::size_t>(2 * valor)], 2);
}

}  // namespace

FixedRecord le_registro_da_serie(std::string_view registro) {
  if (const std::optional<FixedRecord> lido = fixed_record(registro)) return *lido;
  const std::string data = OBTEMDATA(registro);
  const std::optional<CalendarDate> calendario = fixed_calendar_date(data);
  if (!calendario) throw ParadaDaEtapa{Motivo::kDataInvalida, data};
  const std::string hora = OBTEMHORA(registro);
  const std::optional<ClockTime> relogio = fixed_clock_time(hora);
  if (!relogio) throw ParadaDaEtapa{Motivo::kHoraInvalida, hora};
  return FixedRecord{*relogio, *calendario, record_field(registro, kDepthField)};
}

std::optional<FixedRecord> le_linha_da_serie(std::string_view linha, std::string& copia) {
  if (is_blank_line(linha)) return std::nullopt;
  return le_registro_da_serie(registro_da_linha(linha, copia));
}

Instante RegistrosEmOrdem::toma(const FixedRecord& registro) {
  const CalendarDate& data = registro.date;
  // Consecutive records mostly share their date.
  if (!tem_ || !(data == ultima_)) {
    ano_ = tem_ ? year_counted_on(ano_, data.ano) : ano_da_serie(data.ano);
    dia_ = dias_desde_1970(ano_, data.mes, data.dia);
    if (!tem_) primeira_ = data;
    ultima_ = data;
  }
  const Instante instante = dia_ * kSegundosDoDia + segundos_de(registro.time);
  if (tem_ && instante < ultimo_) {
    throw ParadaDaEtapa{Motivo::kForaDeOrdem, registro.time.text() + " " + data.text()};
  }
  tem_ = true;
  ultimo_ = instante;
  return instante;
}

void RegistrosEmOrdem::confere_algum() const {
  if (!tem_) throw ParadaDaEtapa{Motivo::kSemRegistros, {}};
}

void DiscretizacaoEmFluxo::recebe(std::string_view linha) {
  if (!tem_cabecalho_) {
    tem_cabecalho_ = true;
    proximo_.recebe(short_view(linha));
    return;
  }
  if (const std::optional<FixedRecord> registro = le_linha_da_serie(linha, registro_)) toma(*registro);
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
  const bool primeiro = !registros_.algum();
  const Instante instante = registros_.toma(registro);
  if (primeiro) {
    comeca(registro);
  } else {
    while (instante_da_vaga() < instante) {
      escreve_vaga();
      avanca_vaga();
    }
  }
  segundos_do_ultimo_ = segundos_de(registro.time);
  if (!same_text(acumulo_, registro.depth)) {
    acumulo_.assign(registro.depth);
    replace_char(acumulo_, ',', '.');
    linha_pronta_ = false;
  }
}

void DiscretizacaoEmFluxo::termina() {
  registros_.confere_algum();
  while (dia_da_vaga_ == registros_.dia()) {
    escreve_vaga();
    const bool depois_do_ultimo = segundos_da_vaga_ > segundos_do_ultimo_;
    avanca_vaga();
    if (depois_do_ultimo) break;
  }
  proximo_.termina();
}

// The first slot is the first one after the first record.
void DiscretizacaoEmFluxo::comeca(const FixedRecord& registro) {
  data_da_vaga_ = registro.date;
  dia_da_vaga_ = registros_.dia();
  linha_pronta_ = false;
  const int segundos = segundos_de(registro.time);
  segundos_da_vaga_ = segundos / passo_ * passo_;
  avanca_vaga();
}

// The line of a slot: its time, then its date and the depth, which stand in
// the line until one of them changes.
void DiscretizacaoEmFluxo::escreve_vaga() {
  if (!linha_pronta_) {
    linha_.assign("hh:mm:ss dd/mm/yy ");
    escreve_dois_digitos(&linha_[9], data_da_vaga_.dia);
    escreve_dois_digitos(&linha_[12], data_da_vaga_.mes);
    escreve_dois_digitos(&linha_[15], data_da_vaga_.ano);
    linha_ += acumulo_;
    linha_pronta_ = true;
  }
  const int s = segundos_da_vaga_;
  const ClockTime hora{s / 3600, s / 60 % 60, s % 60};
  escreve_dois_digitos(&linha_[0], hora.hora);
  escreve_dois_digitos(&linha_[3], hora.minuto);
  escreve_dois_digitos(&linha_[6], hora.segundo);
  if (linha_.size() <= kMaxShortText) {
    proximo_.recebe_lido(linha_, FixedRecord{hora, data_da_vaga_, acumulo_});
  } else {
    proximo_.recebe(linha_);
  }
}

// After the last slot of a day comes 00:00:00 of the next.
void DiscretizacaoEmFluxo::avanca_vaga() {
  segundos_da_vaga_ = vaga_seguinte(segundos_da_vaga_, passo_);
  if (segundos_da_vaga_ >= 0) return;
  segundos_da_vaga_ = 0;
  data_da_vaga_ = next_day(data_da_vaga_);
  ++dia_da_vaga_;
  linha_pronta_ = false;
}

}  // namespace rain::formatter
