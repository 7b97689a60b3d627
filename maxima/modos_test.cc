#include "maxima/modos.h"

#include <gtest/gtest.h>

namespace rain::maxima {
namespace {

TEST(CruzaHoraReferencia, ADateChangeAloneIsNotACrossing) {
  // Same date: only the step from before the hour to at-or-after it.
  EXPECT_TRUE(cruza_hora_referencia("05/03/05", "06:55:00", "05/03/05", "07:00:00", "07:00:00"));
  EXPECT_FALSE(cruza_hora_referencia("05/03/05", "07:00:00", "05/03/05", "07:05:00", "07:00:00"));
  EXPECT_FALSE(cruza_hora_referencia("05/03/05", "06:50:00", "05/03/05", "06:55:00", "07:00:00"));
  // New date: the new line must be at or after the hour.
  EXPECT_FALSE(cruza_hora_referencia("05/03/05", "23:55:00", "06/03/05", "06:59:59", "07:00:00"));
  EXPECT_TRUE(cruza_hora_referencia("05/03/05", "23:55:00", "06/03/05", "07:00:00", "07:00:00"));
  EXPECT_TRUE(cruza_hora_referencia("31/03/05", "23:55:00", "01/04/05", "00:00:00", "00:00:00"));
}

TEST(CruzaHoraReferencia, AnHourTypedWithSlashesComparesAsText) {
  // ":" sorts after "/", so 07/00/00 lies before every 07:mm:ss ...
  EXPECT_TRUE(cruza_hora_referencia("05/03/05", "06:59:00", "05/03/05", "07:00:00", "07/00/00"));
  // ... and 07/30/00 is already passed at 07:15:00.
  EXPECT_TRUE(cruza_hora_referencia("05/03/05", "06:59:00", "05/03/05", "07:15:00", "07/30/00"));
}

TEST(DataDeFronteira, EachModeOpensOnItsOwnDays) {
  EXPECT_TRUE(data_de_fronteira(Modo::DIARIO, "17/08/05"));
  EXPECT_TRUE(data_de_fronteira(Modo::MENSAL, "01/08/05"));
  EXPECT_FALSE(data_de_fronteira(Modo::MENSAL, "1/08/05"));
  EXPECT_TRUE(data_de_fronteira(Modo::MENSAL, "01-08-05"));
  EXPECT_TRUE(data_de_fronteira(Modo::BIMESTRAL, "01/11/05"));
  EXPECT_FALSE(data_de_fronteira(Modo::BIMESTRAL, "01/12/05"));
  EXPECT_TRUE(data_de_fronteira(Modo::TRIMESTRAL, "01/10/05"));
  EXPECT_FALSE(data_de_fronteira(Modo::TRIMESTRAL, "01/11/05"));
  EXPECT_TRUE(data_de_fronteira(Modo::SEMESTRAL, "01/7/05"));
  EXPECT_FALSE(data_de_fronteira(Modo::SEMESTRAL, "01/04/05"));
  for (const char* inicio : {"20/03/05", "21/06/05", "22/09/05", "21/12/05"}) {
    EXPECT_TRUE(data_de_fronteira(Modo::SAZONAL, inicio)) << inicio;
  }
  for (const char* outro : {"21/03/05", "20/06/05", "21/09/05", "22/12/05", "20/3x/05"}) {
    EXPECT_FALSE(data_de_fronteira(Modo::SAZONAL, outro)) << outro;
  }
  // A month that is not a number counts as 0: never a boundary.
  EXPECT_FALSE(data_de_fronteira(Modo::SEMESTRAL, "01/jan/05"));
}

// Column `coluna` of `linha` as valores_das_colunas reads it.
std::optional<std::int32_t> valor_da_coluna(std::string_view linha, int coluna) {
  std::vector<std::optional<std::int32_t>> valores;
  valores_das_colunas(linha, coluna, valores);
  return valores[static_cast<std::size_t>(coluna - 4)];
}

TEST(ValorDaColuna, WholeNumbersOfThirtyTwoBitsOnly) {
  EXPECT_EQ(valor_da_coluna("10:00:00 01/02/05 0.20 40000", 4), 40000);
  EXPECT_EQ(valor_da_coluna("10:00:00  01/02/05   0.20 $10", 4), 16);
  EXPECT_EQ(valor_da_coluna("10:00:00 01/02/05 0.20 -3", 4), -3);
  EXPECT_EQ(valor_da_coluna("10:00:00 01/02/05 0.20 5000000000", 4), std::nullopt);
  EXPECT_EQ(valor_da_coluna("10:00:00 01/02/05 0.20 3.0", 4), std::nullopt);
  EXPECT_EQ(valor_da_coluna("10:00:00 01/02/05 0.20", 4), std::nullopt);
  EXPECT_EQ(valor_da_coluna("10:00:00\t01/02/05\t0.20\t1", 4), std::nullopt);
  EXPECT_EQ(valor_da_coluna("10:00:00 01/02/05 0.20 x  7", 5), 7);
}

TEST(ModoDePesquisa, AnyLetterCaseButOnlyTheEightNames) {
  EXPECT_EQ(modo_de_pesquisa("SaZonaL"), Modo::SAZONAL);
  EXPECT_EQ(modo_de_pesquisa("intervalo"), Modo::INTERVALO);
  EXPECT_EQ(modo_de_pesquisa("mensal "), std::nullopt);
  EXPECT_EQ(modo_de_pesquisa(""), std::nullopt);
}

}  // namespace
}  // namespace rain::maxima
