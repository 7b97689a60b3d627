#include "maxima/periodos.h"

#include <utility>

#include "common/calendar.h"
#include "common/dates.h"

namespace rain::maxima {
namespace {

std::string_view hora_de(std::string_view linha) { return word_view(linha, 1, separador_campos()); }
std::string_view data_de(std::string_view linha) { return word_view(linha, 2, separador_campos()); }

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
  std::string_view hora = hora_de(linha);
  if (na_forma_fixa(hora, ':')) return std::string(hora);
  std::optional<ClockTime> t = typed_clock_time(hora);
  return t ? t->text() : std::string(hora);
}

std::string data_fixa(std::string_view linha) {
  std::string_view data = data_de(linha);
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

CaminhadaColuna::CaminhadaColuna(LineReader& serie, LineReader& trabalho, const RegrasPeriodo& regras,
                                 int coluna, std::string cabecalho)
    : serie_(serie), trabalho_(trabalho), regras_(regras), coluna_(coluna), LINHA_ATUAL(std::move(cabecalho)) {}

bool CaminhadaColuna::ha_periodo() {
  if (!serie_.at_end()) return true;
  return modo_periodico(regras_.modo) && atual_pendente_;
}

void CaminhadaColuna::faz_periodo() {
  VALOR_MAXIMO = 0;
  ACUMULO_PERIODO = 0;
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

void CaminhadaColuna::toma(const std::string& linha) {
  if (std::optional<std::int32_t> valor = valor_da_coluna(linha, coluna_)) {
    if (*valor > VALOR_MAXIMO) VALOR_MAXIMO = *valor;
    ACUMULO_PERIODO += *valor;
  }
  ++LINHAS_PERIODO;
}

void CaminhadaColuna::le_serie() { serie_.read_line(LINHA_ATUAL); }

void CaminhadaColuna::periodo_total() {
  while (!serie_.at_end()) {
    le_serie();
    toma(LINHA_ATUAL);
  }
}

bool CaminhadaColuna::antes_do_inicio(const std::string& linha) const {
  return antes_de(linha, regras_.data_inicio, regras_.hora_inicio);
}

bool CaminhadaColuna::dentro_do_fim(const std::string& linha) const {
  return antes_de(linha, regras_.data_termino, regras_.hora_termino);
}

void CaminhadaColuna::periodo_intervalo() {
  // The lines before the start are counted from the header line on, which
  // sorts before every date that begins with a digit.
  while (antes_do_inicio(LINHA_ATUAL) && !serie_.at_end()) {
    le_serie();
    ++LINHAS_PERIODO;
  }
  // The work-file reader has already passed the header: bring it to just
  // before the first line of the interval.
  --LINHAS_PERIODO;
  std::string descartada;
  while (LINHAS_PERIODO > 0) {
    trabalho_.read_line(descartada);
    --LINHAS_PERIODO;
  }
  while (dentro_do_fim(LINHA_ATUAL) && !serie_.at_end()) {
    toma(LINHA_ATUAL);
    le_serie();
  }
  if (serie_.at_end() && !antes_do_inicio(LINHA_ATUAL) && dentro_do_fim(LINHA_ATUAL)) toma(LINHA_ATUAL);
  while (!serie_.at_end()) le_serie();
}

bool CaminhadaColuna::fecha_periodo() const {
  if (LINHA_ATUAL == LINHA_ANTERIOR) return true;
  return cruza_hora_referencia(data_fixa(LINHA_ANTERIOR), hora_fixa(LINHA_ANTERIOR), data_fixa(LINHA_ATUAL),
                               hora_fixa(LINHA_ATUAL), regras_.hora_inicio) &&
         data_de_fronteira(regras_.modo, data_de(LINHA_ATUAL));
}

void CaminhadaColuna::periodo_periodico() {
  if (!primeira_lida_) {
    le_serie();
    primeira_lida_ = true;
  }
  bool primeira_tomada = false;
  for (;;) {
    LINHA_ANTERIOR.swap(LINHA_ATUAL);
    if (!primeira_tomada) {
      PRIMEIRA_LINHA = LINHA_ANTERIOR;
      primeira_tomada = true;
    }
    // At the end of the file nothing new is read: the repeated line closes
    // the period.
    atual_pendente_ = !serie_.at_end();
    if (atual_pendente_) {
      le_serie();
    } else {
      LINHA_ATUAL = LINHA_ANTERIOR;
    }
    toma(LINHA_ANTERIOR);
    if (fecha_periodo()) return;
  }
}

}  // namespace rain::maxima
