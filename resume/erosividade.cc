#include "resume/erosividade.h"

namespace rain::resume {

double contribuicao_para_r(const LinhaDeEvento& evento) {
  return evento.erosiva.value_or(false) && evento.ei30_mj_mm_ha_h ? *evento.ei30_mj_mm_ha_h : 0;
}

Erosividade::Erosividade(double precisao, std::int64_t passo_s, double completude_minima)
    : precisao_(precisao),
      passo_s_(passo_s),
      completude_minima_(completude_minima),
      // EI30 needs the 30 minutes to be whole steps.
      r_calculavel_(registros_da_duracao(30, passo_s) > 0) {}

void Erosividade::muda_de_mes(Instante inicio) {
  const DataHora d = data_hora_de(inicio);
  mes_ = &anos_[d.ano][static_cast<std::size_t>(d.mes - 1)];
  mes_inicio_ = segundos_de(DataHora{d.ano, d.mes, 1, 0, 0, 0});
  mes_fim_ = d.mes == 12 ? segundos_de(DataHora{d.ano + 1, 1, 1, 0, 0, 0}) : segundos_de(DataHora{d.ano, d.mes + 1, 1, 0, 0, 0});
}

Erosividade::Periodo& Erosividade::periodo_de(Instante instante) {
  const DataHora d = data_hora_de(instante);
  return anos_[d.ano][static_cast<std::size_t>(d.mes - 1)];
}

void Erosividade::evento(const LinhaDeEvento& evento) {
  Periodo& p = periodo_de(evento.inicio);
  ++p.eventos;
  if (evento.erosiva.value_or(false)) ++p.erosivos;
  p.r += contribuicao_para_r(evento);
}

Erosividade::Periodo Erosividade::soma_do_ano(const Ano& ano) const {
  Periodo soma;
  for (const Periodo& p : ano) {
    soma.registros_na_serie += p.registros_na_serie;
    soma.registros += p.registros;
    soma.basculacoes += p.basculacoes;
    soma.eventos += p.eventos;
    soma.erosivos += p.erosivos;
    soma.r += p.r;
  }
  return soma;
}

LinhaDeErosividade Erosividade::linha(const Periodo& p, std::int64_t passos, double r_do_ano) const {
  LinhaDeErosividade l;
  l.registros = p.registros;
  l.completude_pct = completude_pct(p.registros, passos);
  l.chuva_mm = static_cast<double>(p.basculacoes) * precisao_;
  l.eventos = static_cast<double>(p.eventos);
  l.eventos_erosivos = static_cast<double>(p.erosivos);
  if (r_calculavel_) {
    l.r_mj_mm_ha_h = p.r;
    if (p.basculacoes != 0) l.densidade_mj_ha_h = p.r / *l.chuva_mm;
    if (r_do_ano > 0) l.fracao_pct = 100 * p.r / r_do_ano;
  }
  return l;
}

std::vector<LinhaDeErosividade> Erosividade::linhas() const {
  std::vector<LinhaDeErosividade> linhas;
  if (anos_.empty()) return medias(completude_minima_);
  const int primeiro = anos_.begin()->first, ultimo = anos_.rbegin()->first;
  const Ano vazio{};
  auto meses_do = [&](int ano) -> const Ano& {
    auto it = anos_.find(ano);
    return it != anos_.end() ? it->second : vazio;
  };
  for (int ano = primeiro; ano <= ultimo; ++ano) {
    const Ano& meses = meses_do(ano);
    const double r_do_ano = soma_do_ano(meses).r;
    for (int mes = 1; mes <= 12; ++mes) {
      const Periodo& p = meses[static_cast<std::size_t>(mes - 1)];
      if (p.registros_na_serie == 0) continue;
      linhas.push_back(linha(p, passos_do_mes(ano, mes, passo_s_), r_do_ano));
      linhas.back().ano = ano;
      linhas.back().mes = mes;
    }
  }
  for (int ano = primeiro; ano <= ultimo; ++ano) {
    const Periodo soma = soma_do_ano(meses_do(ano));
    linhas.push_back(linha(soma, passos_do_ano(ano, passo_s_), soma.r));
    linhas.back().ano = ano;
  }
  for (LinhaDeErosividade& m : medias(completude_minima_)) linhas.push_back(m);
  return linhas;
}

std::vector<LinhaDeErosividade> Erosividade::medias(double minima) const {
  Ano soma{};
  int anos = 0;
  for (const auto& [ano, meses] : anos_) {
    if (!completo(completude_pct(soma_do_ano(meses).registros, passos_do_ano(ano, passo_s_)), minima)) continue;
    ++anos;
    for (std::size_t m = 0; m < 12; ++m) {
      soma[m].basculacoes += meses[m].basculacoes;
      soma[m].eventos += meses[m].eventos;
      soma[m].erosivos += meses[m].erosivos;
      soma[m].r += meses[m].r;
    }
  }
  const Periodo anual = soma_do_ano(soma);
  auto media = [&](const Periodo& p, std::optional<int> mes) {
    LinhaDeErosividade l;
    l.mes = mes;
    l.anos = anos;
    if (anos == 0) return l;
    const double n = anos;
    l.chuva_mm = static_cast<double>(p.basculacoes) * precisao_ / n;
    l.eventos = static_cast<double>(p.eventos) / n;
    l.eventos_erosivos = static_cast<double>(p.erosivos) / n;
    if (r_calculavel_) {
      l.r_mj_mm_ha_h = p.r / n;
      if (p.basculacoes != 0) l.densidade_mj_ha_h = *l.r_mj_mm_ha_h / *l.chuva_mm;
      if (anual.r > 0) l.fracao_pct = 100 * p.r / anual.r;
    }
    return l;
  };
  std::vector<LinhaDeErosividade> linhas;
  for (int mes = 1; mes <= 12; ++mes) linhas.push_back(media(soma[static_cast<std::size_t>(mes - 1)], mes));
  linhas.push_back(media(anual, std::nullopt));
  return linhas;
}

}  // namespace rain::resume
