// The resampling rule in memory: the edges of the slots that the end-to-end
// tests do not reach, and its stops.
#include "formatter/discretiza_em_fluxo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rain::formatter {
namespace {

struct Linhas : DestinoDaSerie {
  std::vector<std::string> linhas;
  void recebe(std::string_view linha) override { linhas.emplace_back(linha); }
};

std::vector<std::string> discretiza(const std::vector<std::string>& serie, const char* passo = "00:15:00") {
  Linhas saida;
  DiscretizacaoEmFluxo discretizacao(saida, Passo::le(passo));
  for (const std::string& linha : serie) discretizacao.recebe(linha);
  discretizacao.termina();
  return saida.linhas;
}

using Motivo = ParadaDaEtapa::Motivo;

ParadaDaEtapa parada_de(const std::vector<std::string>& serie) {
  try {
    discretiza(serie);
  } catch (const ParadaDaEtapa& parada) {
    return parada;
  }
  ADD_FAILURE() << "no stop";
  return {};
}

TEST(Discretizacao, TheLastOfTwoReadingsBetweenTwoSlotsSetsTheLastSlot) {
  EXPECT_EQ(discretiza({"H", "10:01:00 01/02/05 0.00", "10:20:00 01/02/05 0.20", "10:25:00 01/02/05 0.40"}),
            (std::vector<std::string>{"H", "10:15:00 01/02/05 0.00", "10:30:00 01/02/05 0.40"}));
  EXPECT_EQ(discretiza({"H", "10:02:00 01/02/05 1.00"}), (std::vector<std::string>{"H", "10:15:00 01/02/05 1.00"}));
}

TEST(Discretizacao, ALastReadingAfterTheDaysLastSlotEndsTheSeriesAtThatSlot) {
  EXPECT_EQ(discretiza({"H", "23:00:00 01/02/05 1.00", "23:50:00 01/02/05 2.00"}),
            (std::vector<std::string>{"H", "23:15:00 01/02/05 1.00", "23:30:00 01/02/05 1.00",
                                      "23:45:00 01/02/05 1.00"}));
}

TEST(Discretizacao, BlankLinesAndTabsAreBlanksAndFieldsAfterTheDepthAreDropped) {
  EXPECT_EQ(discretiza({"H\tB", "", "10:02:00\t01/02/05 0,20 1", "  ", "10:20:00 01/02/05 0.40 1", "\t"}),
            (std::vector<std::string>{"H\tB", "10:15:00 01/02/05 0.20", "10:30:00 01/02/05 0.40"}));
}

TEST(Discretizacao, ARecordThatIsNoMomentInOrderStopsWithItsText) {
  ParadaDaEtapa p = parada_de({"H", "10:00:00 30/04/05 1", "10:00:00 31/04/05 2"});
  EXPECT_EQ(p.motivo, Motivo::kDataInvalida);
  EXPECT_EQ(p.texto, "31/04/05");
  p = parada_de({"H", "10:60 30/04/05 1"});
  EXPECT_EQ(p.motivo, Motivo::kHoraInvalida);
  EXPECT_EQ(p.texto, "10:60:00");
  p = parada_de({"H", "10:00:00 02/01/05 1", "09:00:00 02/01/05 2"});
  EXPECT_EQ(p.motivo, Motivo::kForaDeOrdem);
  EXPECT_EQ(p.texto, "09:00:00 02/01/05");
  EXPECT_EQ(parada_de({"H", "", "  "}).motivo, Motivo::kSemRegistros);
  EXPECT_EQ(parada_de({}).motivo, Motivo::kSemRegistros);
}

}  // namespace
}  // namespace rain::formatter
