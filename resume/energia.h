// The unit energy of rain, MJ/(ha mm), at an intensity in mm/h: the three
// equations a user may choose to compare storm erosivity with published
// figures.
#pragma once

#include <optional>
#include <string_view>

namespace rain::resume {

enum class EquacaoDeEnergia {
  kRusle2,  // 0.29 (1 - 0.72 exp(-0.082 i)), the RUSLE2 (McGregor et al. 1995)
  kBf,      // 0.29 (1 - 0.72 exp(-0.05 i)), Brown and Foster (1987), the RUSLE
  kWs,      // 0.119 + 0.0873 log10 i up to 76 mm/h, Wischmeier and Smith (1978), the USLE
};

double energia_unitaria(EquacaoDeEnergia equacao, double intensidade_mm_h);

// The name the user gives and the tables show: "rusle2", "bf", "ws".
std::string_view nome_da_equacao(EquacaoDeEnergia equacao);

// The equation as a reader of the page sees it: "e = 0.29 (1 - 0.72 exp(-0.082 i))".
std::string_view formula_da_equacao(EquacaoDeEnergia equacao);

// The equation of a name, in any letter case; nothing for another text.
std::optional<EquacaoDeEnergia> equacao_de_energia(std::string_view nome);

}  // namespace rain::resume
