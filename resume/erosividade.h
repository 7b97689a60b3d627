// The erosivity of a record per month and per year, and its means over the
// complete years: the rows of the erosivity table, which Resumo fills as it
// reads the series.
//
// A kept storm counts in the month and year where it starts; its EI30 counts
// in R when it is erosive, which a storm touching an outage never is. The
// means average the years whose share of steps in the series (outside
// outages) reaches the minimum; a month's mean is its sum over those years
// divided by their number, so the twelve means add up to the annual one.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "common/instante.h"
#include "resume/resumo.h"

namespace rain::resume {

// The EI30 a kept storm adds to R: 0 unless it is erosive and its EI30 known.
double contribuicao_para_r(const LinhaDeEvento& evento);

// One row of the erosivity table. Month rows have ano and mes, year rows ano
// alone, mean rows neither (anos instead).
struct LinhaDeErosividade {
  std::optional<int> ano;
  std::optional<int> mes;
  std::optional<std::int64_t> registros;  // records outside outages; none in means
  std::optional<double> completude_pct;   // none in means
  // Period rows count whole storms; mean rows hold means.
  std::optional<double> chuva_mm;
  std::optional<double> eventos;
  std::optional<double> eventos_erosivos;
  std::optional<double> r_mj_mm_ha_h;       // none when 30 minutes are not whole steps
  std::optional<double> densidade_mj_ha_h;  // r / chuva; none when chuva is 0
  std::optional<double> fracao_pct;         // share of the year's (or the mean annual) r; none when that is 0
  std::optional<int> anos;                  // complete years averaged, in mean rows only
};

class Erosividade {
 public:
  Erosividade(double precisao, std::int64_t passo_s, double completude_minima);

  // A record of the series, in time order; `em_falha` when its step lies in an outage.
  void registro(Instante inicio, std::int32_t basculacoes, bool em_falha) {
    if (inicio < mes_inicio_ || inicio >= mes_fim_) muda_de_mes(inicio);
    ++mes_->registros_na_serie;
    mes_->registros += em_falha ? 0 : 1;
    mes_->basculacoes += basculacoes;
  }

  // A kept storm.
  void evento(const LinhaDeEvento& evento);

  // The table's rows: months of the record, then years, then the means.
  std::vector<LinhaDeErosividade> linhas() const;
  // The thirteen mean rows alone, over the years whose share reaches `minima`.
  std::vector<LinhaDeErosividade> medias(double minima) const;

 private:
  struct Periodo {
    std::int64_t registros_na_serie = 0;
    std::int64_t registros = 0;  // outside outages
    std::int64_t basculacoes = 0;
    std::int64_t eventos = 0;
    std::int64_t erosivos = 0;
    double r = 0;
  };
  using Ano = std::array<Periodo, 12>;

  void muda_de_mes(Instante inicio);
  Periodo& periodo_de(Instante instante);
  Periodo soma_do_ano(const Ano& ano) const;
  LinhaDeErosividade linha(const Periodo& p, std::int64_t passos, double r_do_ano) const;

  double precisao_;
  std::int64_t passo_s_;
  double completude_minima_;
  bool r_calculavel_;
  std::map<int, Ano> anos_;
  Periodo* mes_ = nullptr;
  Instante mes_inicio_ = 0, mes_fim_ = 0;
};

}  // namespace rain::resume
