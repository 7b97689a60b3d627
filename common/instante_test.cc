#include "common/instante.h"

#include <gtest/gtest.h>

namespace rain {
namespace {

TEST(Instante, TwoDigitYearsTurnAtSeventyAndFourDigitYearsKeepTheirCentury) {
  EXPECT_EQ(texto_iso(*instante_da_serie("23:59:59", "31/12/69")), "2069-12-31T23:59:59");
  EXPECT_EQ(texto_iso(*instante_da_serie("00:00:00", "01/01/70")), "1970-01-01T00:00:00");
  EXPECT_EQ(texto_iso(*instante_da_serie("12:05", "29/02/2000")), "2000-02-29T12:05:00");
  EXPECT_FALSE(instante_da_serie("12:05:00", "29/02/2100"));
  EXPECT_FALSE(instante_da_serie("24:00:00", "01/01/25"));
}

TEST(Instante, CalendarFieldsGoBothWaysBeforeAndAfter1970) {
  for (const DataHora d : {DataHora{1969, 12, 31, 23, 59, 59}, DataHora{2024, 2, 29, 0, 0, 0},
                           DataHora{2100, 3, 1, 12, 30, 5}}) {
    const DataHora volta = data_hora_de(segundos_de(d));
    EXPECT_EQ(texto_iso(segundos_de(volta)), texto_iso(segundos_de(d)));
    EXPECT_EQ(volta.ano * 10000 + volta.mes * 100 + volta.dia, d.ano * 10000 + d.mes * 100 + d.dia);
  }
  EXPECT_EQ(segundos_de(DataHora{1970, 1, 2, 0, 0, 0}), 86400);
  EXPECT_EQ(ano_de(-1), 1969);
  EXPECT_EQ(dias_desde_1970(2000, 3, 1) - dias_desde_1970(2000, 2, 28), 2);
}

}  // namespace
}  // namespace rain
