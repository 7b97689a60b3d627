#include "formatter/falhas.h"

#include "common/calendar.h"
#include "common/fixed.h"
#include "common/instante.h"
#include "common/program.h"

namespace rain::formatter {
namespace {


std::string dias(std::int64_t segundos) {
  return format_fixed_compact(static_cast<long double>(segundos) / kSegundosDoDia, 2) + " dias";
}

std::string mm(const std::optional<double>& chuva) {
  return chuva ? format_fixed_compact(*chuva, 2) + " mm" : std::string("uma chuva ilegivel");
}

// "hh:mm:ss", hours past 23 as they are.
std::string duracao(std::int64_t segundos) {
  const std::int64_t horas = segundos / 3600;
  std::string texto;
  if (horas < 10) texto += '0';
  texto += std::to_string(horas);
  // ":mm:ss" of a clock time of no hours.
  texto += ClockTime{0, static_cast<int>(segundos / 60 % 60), static_cast<int>(segundos % 60)}.text().substr(2);
  return texto;
}

}  // namespace

LacunasDasLeituras::LacunasDasLeituras(std::int64_t limite_s, std::int64_t passo_s, double capacidade,
                                       LineWriter* lista)
    : limite_s_(limite_s),
      perto_s_(limite_s > 0 && limite_s < kSegundosDoDia ? limite_s : kSegundosDoDia),
      passo_s_(passo_s),
      capacidade_(capacidade),
      lista_(lista) {}

std::optional<Outage> LacunasDasLeituras::falha_entre(Instante t1, Instante t2, std::int64_t passo_s) {
  if (passo_s == 0) return Outage{t1, t2, std::nullopt};
  // Every day's steps start at 00:00:00. The outage starts at the first step
  // at or after t1 and ends where the step that takes t2's rise starts: the
  // last step start before t2.
  const Instante dia1 = t1 - t1 % kSegundosDoDia;
  Instante inicio = dia1 + (t1 - dia1 + passo_s - 1) / passo_s * passo_s;
  if (inicio - dia1 >= kSegundosDoDia) inicio = dia1 + kSegundosDoDia;
  const Instante antes = t2 - 1;
  const Instante dia2 = antes - antes % kSegundosDoDia;
  const Instante fim = dia2 + (antes - dia2) / passo_s * passo_s;
  if (fim <= inicio) return std::nullopt;
  return Outage{inicio, fim, std::nullopt};
}

void LacunasDasLeituras::depois_de_uma_lacuna(bool tem_instante, Instante instante, bool tem_acumulo,
                                              double acumulo) {
  if (tem_instante && tem_anterior_ && instante > anterior_) {
    const Instante t1 = anterior_;
    const Instante t2 = instante;
    std::optional<double> subida;
    if (tem_acumulo && tem_acumulo_anterior_) subida = acumulo - acumulo_anterior_;
    std::optional<Outage> falha;
    if (limite_s_ > 0 && t2 - t1 > limite_s_) falha = falha_entre(t1, t2, passo_s_);
    if (falha) {
      falha->chuva_mm = subida;
      if (falhas_++ == 0) primeira_falha_ = *falha;
      segundos_em_falha_ += falha->fim - falha->inicio;
      if (lista_) lista_->write_line(outage_list_row(*falha));
    } else if (t2 - t1 > kSegundosDoDia && subida && *subida > capacidade_ * (1 + 1e-9)) {
      if (lacunas_++ == 0) primeira_lacuna_ = Outage{t1, t2, subida};
    }
  }
  tem_anterior_ = tem_instante;
  anterior_ = instante;
  tem_acumulo_anterior_ = tem_acumulo;
  acumulo_anterior_ = acumulo;
}

std::vector<std::string> LacunasDasLeituras::avisos(const std::string& lista) const {
  std::vector<std::string> linhas;
  if (limite_s_ > 0) {
    const std::string limite = "leituras mais de " + duracao(limite_s_) + " distantes";
    if (falhas_ == 0) {
      linhas.push_back("Nenhuma falha do registrador (" + limite + ").");
    } else {
      const Outage& f = primeira_falha_;
      linhas.push_back("Aviso: " + counted(falhas_, "falha", "falhas") + " do registrador (" + limite + "), " +
                       dias(segundos_em_falha_) + " ao todo; a primeira de " + texto_iso(f.inicio) + " a " +
                       texto_iso(f.fim) + ", com " + mm(f.chuva_mm) + " no passo seguinte" +
                       (lista.empty() ? "; --falhas <arquivo> as lista." : "; lista em " + lista + "."));
    }
  }
  if (lacunas_ > 0) {
    const Outage& l = primeira_lacuna_;
    linhas.push_back("Aviso: " +
                     counted(lacunas_, "intervalo de mais de um dia sem leituras",
                             "intervalos de mais de um dia sem leituras") +
                     " em que o contador subiu mais de uma basculada; o primeiro de " + texto_iso(l.inicio) + " a " +
                     texto_iso(l.fim) + " (" + dias(l.fim - l.inicio) + "), " + mm(l.chuva_mm) +
                     " que a serie poe num so passo; --falha-apos e --falhas listam essas falhas.");
  }
  return linhas;
}

}  // namespace rain::formatter
