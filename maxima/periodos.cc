#include "maxima/periodos.h"

#include <algorithm>
#include <utility>

#include "common/calendar.h"
#include "common/dates.h"
#include "common/series_record.h"

namespace rain::maxima {
namespace {

// Two digits, the separator, two digits, the separator, two digits: the form
// every record of a resampled series has, which reads as itself.
bool na_forma_fixa(std::string_view texto, char separador) {
  if (texto.size() != 8 || texto[2] != separador || texto[5] != separador) return false;
  for (std::size_t i : {0, 1, 3, 4, 6, 7}) {
    if (texto[i] < '0' || texto[i] > '9') return false;
  }
  return true;
}

// A series time or date in the fixed form it means; a text that is none (the
// header's titles) stays as it is.
std::string hora_fixa(std::string_view linha) {
  std::string_view hora = record_time(linha);
  if (na_forma_fixa(hora, ':')) return std::string(hora);
  std::optional<ClockTime> t = typed_clock_time(hora);
  return t ? t->text() : std::string(hora);
}

std::string data_fixa(std::string_view linha) {
  std::string_view data = record_date(linha);
  if (na_forma_fixa(data, '/')) return std::string(data);
  std::optional<CalendarDate> d = typed_calendar_date(data);
  return d ? d->text() : std::string(data);
}

// The date lies before `limite` by key, or on it before `hora`.
bool antes_de(std::string_view linha, const std::string& data_limite, const std::string& hora_limite) {
  const std::string data = data_fixa(linha);
  if (MENORDATA(data, data_limite, maxima_date_separators()) != data_limite) return true;
  return data == data_limite && hora_fixa(linha) < hora_limite;
}

}  // namespace

CaminhadaDasColunas::CaminhadaDasColunas(std::unique_ptr<LineReader> serie, std::unique_ptr<LineReader> trabalho,
                                         const RegrasPeriodo& regras, int ultima_coluna, std::string cabecalho)
    : VALOR_MAXIMO_(ultima_coluna >= kTipsField ? static_cast<std::size_t>(ultima_coluna - kTipsField + 1) : 0),
      ACUMULO_PERIODO_(VALOR_MAXIMO_.size()),
      serie_(std::move(serie)),
      trabalho_(std::move(trabalho)),
      regras_(regras),
      ultima_coluna_(ultima_coluna),
      LINHA_ATUAL_(std::move(cabecalho)) {}

bool CaminhadaDasColunas::ha_periodo() {
  if (!serie_->at_end()) return true;
  return modo_periodico(regras_.modo) && atual_pendente_;
}

void CaminhadaDasColunas::faz_periodo() {
  std::fill(VALOR_MAXIMO_.begin(), VALOR_MAXIMO_.end(), 0);
  std::fill(ACUMULO_PERIODO_.begin(), ACUMULO_PERIODO_.end(), 0);
  switch (regras_.modo) {
    case Modo::TOTAL:
      periodo_total();
      break;
    case Modo::INTERVALO:
      periodo_intervalo();
      break;
    default:
      periodo_periodico();
      break;
  }
}

bool CaminhadaDasColunas::rele_periodo(const std::function<void(const std::string&)>& ao_ler) {
  std::string linha;
  for (; LINHAS_PERIODO_ > 0; --LINHAS_PERIODO_) {
    if (!trabalho_->read_line(linha)) return false;
    if (ao_ler) ao_ler(linha);
  }
  LINHAS_PERIODO_ = 0;
  return true;
}

void CaminhadaDasColunas::toma(const std::string& linha) {
  valores_das_colunas(linha, ultima_coluna_, valores_);
  for (std::size_t i = 0; i < valores_.size(); ++i) {
    if (const std::optional<std::int32_t>& valor = valores_[i]) {
      if (*valor > VALOR_MAXIMO_[i]) VALOR_MAXIMO_[i] = *valor;
      ACUMULO_PERIODO_[i] += *valor;
    }
  }
  ++LINHAS_PERIODO_;
}

void CaminhadaDasColunas::le_serie() { serie_->read_line(LINHA_ATUAL_); }

void CaminhadaDasColunas::periodo_total() {
  while (!serie_->at_end()) {
    le_serie();
    toma(LINHA_ATUAL_);
  }
}

bool CaminhadaDasColunas::antes_do_inicio(const std::string& linha) const {
  return antes_de(linha, regras_.data_inicio, regras_.hora_inicio);
}

bool CaminhadaDasColunas::dentro_do_fim(const std::string& linha) const {
  return antes_de(linha, regras_.data_termino, regras_.hora_termino);
}

void CaminhadaDasColunas::periodo_intervalo() {
  // The lines before the start are counted from the header line on, which
  // sorts before every date that begins with a digit.
  while (antes_do_inicio(LINHA_ATUAL_) && !serie_->at_end()) {
    le_serie();
    ++LINHAS_PERIODO_;
  }
  // The work-file reader has already passed the header: bring it to just
  // before the first line of the interval.
  --LINHAS_PERIODO_;
  std::string descartada;
  while (LINHAS_PERIODO_ > 0) {
    trabalho_->read_line(descartada);
    --LINHAS_PERIODO_;
  }
  while (dentro_do_fim(LINHA_ATUAL_) && !serie_->at_end()) {
    toma(LINHA_ATUAL_);
    le_serie();
  }
  if (serie_->at_end() && !antes_do_inicio(LINHA_ATUAL_) && dentro_do_fim(LINHA_ATUAL_)) toma(LINHA_ATUAL_);
  while (!serie_->at_end()) le_serie();
}

bool CaminhadaDasColunas::fecha_periodo() const {
  if (LINHA_ATUAL_ == LINHA_ANTERIOR_) return true;
  return cruza_hora_referencia(data_fixa(LINHA_ANTERIOR_), hora_fixa(LINHA_ANTERIOR_), data_fixa(LINHA_ATUAL_),
                               hora_fixa(LINHA_ATUAL_), regras_.hora_inicio) &&
         data_de_fronteira(regras_.modo, record_date(LINHA_ATUAL_));
}

void CaminhadaDasColunas::periodo_periodico() {
  if (!primeira_lida_) {
    le_serie();
    primeira_lida_ = true;
  }
  bool primeira_tomada = false;
  for (;;) {
    LINHA_ANTERIOR_.swap(LINHA_ATUAL_);
    if (!primeira_tomada) {
      PRIMEIRA_LINHA_ = LINHA_ANTERIOR_;
      primeira_tomada = true;
    }
    // At the end of the file nothing new is read: the repeated line closes
    // the period.
    atual_pendente_ = !serie_->at_end();
    if (atual_pendente_) {
      le_serie();
    } else {
      LINHA_ATUAL_ = LINHA_ANTERIOR_;
    }
    toma(LINHA_ANTERIOR_);
    if (fecha_periodo()) return;
  }
}

}  // namespace rain::maxima
