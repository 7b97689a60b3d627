#include "resume/opcoes.h"

#include "common/failure.h"
#include "common/numbers.h"

namespace rain::resume {

OpcoesDaAnalise opcoes_da_analise(const Options& opcoes) {
  OpcoesDaAnalise o;
  o.falhas = opcoes.value("--falhas");
  if (const std::optional<std::string> nome = opcoes.value("--energia")) {
    const std::optional<EquacaoDeEnergia> equacao = equacao_de_energia(*nome);
    if (!equacao) throw Failure("Erro: equacao de energia invalida: " + *nome + " (rusle2, bf ou ws).", 1);
    o.energia = *equacao;
  }
  if (const std::optional<std::string> texto = opcoes.value("--completude-minima")) {
    const std::optional<double> pct = decimal(*texto);
    if (!pct || !(*pct >= 0 && *pct <= 100)) {
      throw Failure("Erro: completude minima invalida: " + *texto + " (um numero de 0 a 100).", 1);
    }
    o.completude_minima = *pct;
  }
  if (const std::optional<std::string> nome = opcoes.value("--distribuicao")) {
    const std::optional<Distribuicao> distribuicao = distribuicao_de(*nome);
    if (!distribuicao) throw Failure("Erro: distribuicao invalida: " + *nome + " (gumbel ou gev).", 1);
    o.distribuicao = *distribuicao;
  }
  return o;
}

ParametrosDoResumo parametros_do_resumo(const events::ParametrosDeCorte& corte, double limite_seco,
                                        const OpcoesDaAnalise& opcoes) {
  ParametrosDoResumo p;
  p.janela = corte.janela;
  p.minimo = corte.minimo;
  p.precisao = corte.precisao;
  p.passo_s = corte.passo_s;
  p.limite_seco = limite_seco;
  p.energia = opcoes.energia;
  p.completude_minima = opcoes.completude_minima;
  return p;
}

}  // namespace rain::resume
