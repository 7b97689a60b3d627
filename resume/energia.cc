#include "resume/energia.h"

#include <cmath>

#include "common/text.h"

namespace rain::resume {

double energia_unitaria(EquacaoDeEnergia equacao, double i) {
  switch (equacao) {
    case EquacaoDeEnergia::kRusle2:
      return 0.29 * (1 - 0.72 * std::exp(-0.082 * i));
    case EquacaoDeEnergia::kBf:
      return 0.29 * (1 - 0.72 * std::exp(-0.05 * i));
    case EquacaoDeEnergia::kWs:
      // The logarithm turns negative below about 0.04 mm/h, and the energy
      // levels off where drops stop growing.
      if (i <= 0.05) return 0;
      return i <= 76 ? 0.119 + 0.0873 * std::log10(i) : 0.283;
  }
  return 0;
}

std::string_view nome_da_equacao(EquacaoDeEnergia equacao) {
  switch (equacao) {
    case EquacaoDeEnergia::kRusle2:
      return "rusle2";
    case EquacaoDeEnergia::kBf:
      return "bf";
    case EquacaoDeEnergia::kWs:
      return "ws";
  }
  return "";
}

std::string_view formula_da_equacao(EquacaoDeEnergia equacao) {
  switch (equacao) {
    case EquacaoDeEnergia::kRusle2:
      return "e = 0.29 (1 - 0.72 exp(-0.082 i))";
    case EquacaoDeEnergia::kBf:
      return "e = 0.29 (1 - 0.72 exp(-0.05 i))";
    case EquacaoDeEnergia::kWs:
      return "e = 0.119 + 0.0873 log10(i), 0.283 acima de 76 mm/h";
  }
  return "";
}

std::optional<EquacaoDeEnergia> equacao_de_energia(std::string_view nome) {
  for (EquacaoDeEnergia e : {EquacaoDeEnergia::kRusle2, EquacaoDeEnergia::kBf, EquacaoDeEnergia::kWs}) {
    if (equals_upper(nome, to_upper(nome_da_equacao(e)))) return e;
  }
  return std::nullopt;
}

}  // namespace rain::resume
