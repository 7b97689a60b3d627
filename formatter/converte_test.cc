#include "formatter/converte.h"

#include <gtest/gtest.h>

namespace rain::formatter {
namespace {

TEST(DateMask, PartsAreReorderedToDayMonthYearAsWritten) {
  EXPECT_EQ(CONVERTE_FORMATO_DATA("2005-03-15", "YYYY-MM-DD"), "15/03/2005");
  EXPECT_EQ(CONVERTE_FORMATO_DATA("3.15.05", "MM.DD.YY"), "15/3/05");
  EXPECT_EQ(CONVERTE_FORMATO_DATA("15/03/2005", "DD-MM-YY"), "15/03/2005");
  EXPECT_EQ(CONVERTE_FORMATO_DATA("06/26/24", "mm/dd/yy"), "26/06/24");
}

TEST(DateMask, InitialsOfAnyLanguageAndCaseNameTheParts) {
  EXPECT_EQ(CONVERTE_FORMATO_DATA("2005-03-15", "aaaa-mm-dd"), "15/03/2005");
  EXPECT_EQ(CONVERTE_FORMATO_DATA("2005.03.15", "yyyy.mm.dd"), "15/03/2005");
  EXPECT_EQ(CONVERTE_FORMATO_DATA("15-03-05", "day/month/year"), "15/03/05");
  EXPECT_EQ(CONVERTE_FORMATO_DATA("15-03-05", "Dia/Mes/Ano"), "15/03/05");
}

TEST(DateMask, MaskThatDoesNotNameAllThreeLeavesTheDateUnchanged) {
  EXPECT_EQ(CONVERTE_FORMATO_DATA("15-03-05", "DD-MM-XX"), "15-03-05");
  EXPECT_EQ(CONVERTE_FORMATO_DATA("15-03-05", "D-D-Y"), "15-03-05");
  EXPECT_EQ(CONVERTE_FORMATO_DATA("15-03-05", "DD-MM"), "15-03-05");
  EXPECT_EQ(CONVERTE_FORMATO_DATA("15-03-05", ""), "15-03-05");
  EXPECT_EQ(CONVERTE_FORMATO_DATA("15-03-05", "--//.."), "15-03-05");
}

TEST(DateMask, MissingDatePartsGiveEmptyTextsBetweenTheSlashes) {
  EXPECT_EQ(CONVERTE_FORMATO_DATA("15-03", "DD-MM-YY"), "15/03/");
  EXPECT_EQ(CONVERTE_FORMATO_DATA("", "DD-MM-YY"), "//");
  EXPECT_EQ(CONVERTE_FORMATO_DATA("15//03--05", "DD-MM-YY"), "15/03/05");
}

TEST(DateMask, LaterPartOverridesAnEarlierOneForTheSameLetter) {
  MascaraDeData m = le_mascara("M-D-M");
  EXPECT_EQ(m.mes, 3);
  EXPECT_EQ(m.dia, 2);
  EXPECT_FALSE(m.completa());
  EXPECT_TRUE(le_mascara("Y/M/D/extra").completa());
}

}  // namespace
}  // namespace rain::formatter
