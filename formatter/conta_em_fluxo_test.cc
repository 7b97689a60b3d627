// The tip counting rule in memory; whole series are pinned end to end.
#include "formatter/conta_em_fluxo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rain::formatter {
namespace {

struct Linhas : DestinoDaSerie {
  std::vector<std::string> linhas;
  void recebe(std::string_view linha) override { linhas.emplace_back(linha); }
};

std::vector<std::string> conta(const std::vector<std::string>& serie) {
  Linhas saida;
  ContagemEmFluxo contagem(saida, 0.2, false);
  for (const std::string& linha : serie) contagem.recebe(linha);
  contagem.termina();
  return saida.linhas;
}

TEST(TipCount, RoundsHalvesAwayFromZeroInAFieldOfFive) {
  EXPECT_EQ(OBTEMBASCULACAO("10.2", "10.6", 0.2), "    2");
  EXPECT_EQ(OBTEMBASCULACAO("0", "0.5", 1), "    1");
  EXPECT_EQ(OBTEMBASCULACAO("0", "2.5", 1), "    3");
  EXPECT_EQ(OBTEMBASCULACAO("2.5", "0", 1), "   -3");
  EXPECT_EQ(OBTEMBASCULACAO("0", "0.49", 1), "    0");
  EXPECT_EQ(OBTEMBASCULACAO("5.0", "4.9", 0.2), "   -0");
  EXPECT_EQ(OBTEMBASCULACAO("0", "20000", 0.1), "200000");
  for (const char* bad : {"", "1.234,5", "abc", "1.5x"}) {
    EXPECT_EQ(OBTEMBASCULACAO("1.0", bad, 0.2), std::nullopt) << bad;
    EXPECT_EQ(OBTEMBASCULACAO(bad, "1.0", 0.2), std::nullopt) << bad;
  }
}

TEST(TipCount, TabsInRecordsBecomeBlanksButTheHeaderKeepsThem) {
  EXPECT_EQ(conta({"Hora\tData\tAcumulo", "10:00\t01/02/05\t0,00", "10:05\t01/02/05\t0.40"}),
            (std::vector<std::string>{"Hora\tData\tAcumulo Basculacao", "10:00 01/02/05 0,00 2"}));
}

TEST(TipCount, ALoneRecordsDepthIsNeverReadAndAnEmptySeriesStillGetsItsTitle) {
  EXPECT_EQ(conta({"H", "10:00 01/02/05 n/d"}), std::vector<std::string>{"H Basculacao"});
  EXPECT_EQ(conta({}), std::vector<std::string>{" Basculacao"});
}

TEST(TipCount, ADepthThatIsNotANumberStopsNamingItsLineAndText) {
  for (const auto& [serie, linha, texto] : {
           std::tuple<std::vector<std::string>, int, std::string>{{"H", "10:00 01/02/05 1,2,3", "10:05 01/02/05 0"}, 2,
                                                                  "1.2.3"},
           {{"H", "10:00 01/02/05 0", "", "10:10 01/02/05 0"}, 3, ""},
       }) {
    try {
      conta(serie);
      ADD_FAILURE() << texto;
    } catch (const ParadaDaEtapa& parada) {
      EXPECT_EQ(parada.linha, linha);
      EXPECT_EQ(parada.texto, texto);
    }
  }
}

}  // namespace
}  // namespace rain::formatter
