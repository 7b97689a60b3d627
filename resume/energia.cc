#include "resume/energia.h"

#include <cmath>

#include "common/text.h"

namespace rain::resume {
namespace {

struct Descricao {
  EquacaoDeEnergia equacao;
  std::string_view nome;
  std::string_view formula;
};

constexpr Descricao kDescricoes[] = {
    {EquacaoDeEnergia::kRusle2, "rusle2", "e = 0.29 (1 - 0.72 exp(-0.082 i))"},
    {EquacaoDeEnergia::kBf, "bf", "e = 0.29 (1 - 0.72 exp(-0.05 i))"},
    {EquacaoDeEnergia::kWs, "ws", "e = 0.119 + 0.0873 log10(i), 0.283 acima de 76 mm/h"},
};

const Descricao& descricao(EquacaoDeEnergia equacao) {
  for (const Descricao& d : kDescricoes) {
    if (d.equacao == equacao) return d;
  }
  return kDescricoes[0];
}

}  // namespace

double energia_unitaria(EquacaoDeEnergia equacao, double i) {
  switch (equacao) {
    case EquacaoDeEnergia::kRusle2:
      return 0.29 * (1 - 0.72 * std::exp(-0.082 * i));
    case EquacaoDeEnergia::kBf:
      return 0.29 * (1 - 0.72 * std::exp(-0.05 * i));
    case EquacaoDeEnergia::kWs:
      // The line falls below zero under about 0.043 mm/h, and the energy
      // levels off where drops stop growing.
      if (i <= 0.05) return 0;
      return i <= 76 ? 0.119 + 0.0873 * std::log10(i) : 0.283;
  }
  return 0;
}

std::string_view nome_da_equacao(EquacaoDeEnergia equacao) { return descricao(equacao).nome; }

std::string_view formula_da_equacao(EquacaoDeEnergia equacao) { return descricao(equacao).formula; }

std::optional<EquacaoDeEnergia> equacao_de_energia(std::string_view nome) {
  for (const Descricao& d : kDescricoes) {
    if (equals_upper(nome, to_upper(d.nome))) return d.equacao;
  }
  return std::nullopt;
}

}  // namespace rain::resume
