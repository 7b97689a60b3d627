#include "resume/idf.h"

#include <algorithm>
#include <cmath>

#include "common/fixed.h"
#include "common/program.h"
#include "resume/centesimos.h"
#include "resume/completude.h"

namespace rain::resume {
namespace {

std::string mm_h(double valor) { return format_fixed_compact(valor, 2) + " mm/h"; }

// The first place where a return period's fitted intensity grows from one
// duration to the next longer one, and how many such places there are.
struct Cruzamentos {
  int quantos = 0;
  std::size_t periodo = 0;  // index in kPeriodosDeRetorno
  const LinhaIdf* curta = nullptr;
  const LinhaIdf* longa = nullptr;
};

Cruzamentos cruzamentos(const std::vector<LinhaIdf>& linhas) {
  Cruzamentos c;
  for (std::size_t t = 0; t < kPeriodosDeRetorno.size(); ++t) {
    const LinhaIdf* anterior = nullptr;
    for (const LinhaIdf& l : linhas) {
      if (!l.ajuste) continue;
      if (anterior && centesimos(l.intensidades_mm_h[t]) > centesimos(anterior->intensidades_mm_h[t])) {
        if (c.quantos++ == 0) c = {1, t, anterior, &l};
      }
      anterior = &l;
    }
  }
  return c;
}

}  // namespace

bool entra_na_idf(const LinhaDeMaxima& m, double completude_minima) {
  // Even against a minimum of 0, a year whose every step lay in outages saw
  // no storm: its maximum of 0 is no figure.
  return m.maximo.calculavel && m.registros_validos > 0 && completo(m.completude_pct, completude_minima);
}

CurvasIdf::CurvasIdf(std::int64_t passo_s, Distribuicao distribuicao, double completude_minima)
    : distribuicao_(distribuicao), completude_minima_(completude_minima) {
  for (int d : kDuracoesAnuais) {
    if (registros_da_duracao(d, passo_s) > 0) amostras_.emplace_back(d, std::vector<double>{});
  }
}

void CurvasIdf::maxima(const LinhaDeMaxima& m) {
  if (!entra_na_idf(m, completude_minima_)) return;
  for (auto& [duracao, amostra] : amostras_) {
    if (duracao == m.duracao_min) amostra.push_back(m.maximo.intensidade_mm_h);
  }
}

std::vector<LinhaIdf> CurvasIdf::linhas() const {
  std::vector<LinhaIdf> linhas;
  for (const auto& [duracao, amostra] : amostras_) {
    LinhaIdf l;
    l.duracao_min = duracao;
    l.anos = static_cast<int>(amostra.size());
    if (l.anos >= kAnosDoAjuste) {
      l.ajuste = ajusta(distribuicao_, momentos_l(amostra));
      for (std::size_t t = 0; t < kPeriodosDeRetorno.size(); ++t) {
        l.intensidades_mm_h[t] = l.ajuste->quantil(kPeriodosDeRetorno[t]);
      }
    }
    linhas.push_back(l);
  }
  return linhas;
}

std::vector<std::string> avisos_da_idf(const std::vector<LinhaIdf>& linhas, double completude_minima) {
  std::vector<std::string> avisos;
  if (linhas.empty()) {
    avisos.push_back("Aviso: sem curvas IDF: nenhuma duracao de 5 a 1440 minutos e um numero inteiro de passos.");
    return avisos;
  }
  int anos = linhas.front().anos;
  for (const LinhaIdf& l : linhas) anos = std::min(anos, l.anos);
  const std::string completos = counted(anos, "ano completo", "anos completos") + " (ao menos " +
                                format_fixed_compact(completude_minima, 2) + "% dos passos registrados fora de falhas)";
  if (anos < kAnosDoAjuste) {
    avisos.push_back("Aviso: sem curvas IDF: " + completos + ", e o ajuste pede " +
                     std::to_string(kAnosDoAjuste) + " ou mais.");
  } else if (anos < kAnosRecomendados) {
    avisos.push_back("Aviso: curvas IDF ajustadas a so " + completos + "; " + std::to_string(kAnosRecomendados) +
                     " ou mais sao recomendados.");
  }
  const Cruzamentos c = cruzamentos(linhas);
  if (c.quantos > 0) {
    const std::size_t t = c.periodo;
    avisos.push_back("Aviso: curvas IDF que se cruzam: a intensidade de " + std::to_string(kPeriodosDeRetorno[t]) +
                     " anos cresce de " + mm_h(c.curta->intensidades_mm_h[t]) + " em " +
                     std::to_string(c.curta->duracao_min) + " min para " + mm_h(c.longa->intensidades_mm_h[t]) +
                     " em " + std::to_string(c.longa->duracao_min) + " min" +
                     (c.quantos > 1 ? " (e em mais " + std::to_string(c.quantos - 1) + " pontos)" : "") +
                     "; os valores ficam como ajustados.");
  }
  return avisos;
}

}  // namespace rain::resume
