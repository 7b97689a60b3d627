#include "common/dates.h"

#include <gtest/gtest.h>

namespace rain {
namespace {

const DelimiterSet& F() { return formatter_date_separators(); }
const DelimiterSet& M() { return maxima_date_separators(); }

TEST(DateKey, ReversesTheFieldsAsTheyStand) {
  EXPECT_EQ(CONVERTE_DATA("01/02/05", F()), "05/02/01");
  EXPECT_EQ(CONVERTE_DATA("31/12/99", F()), "99/12/31");
  EXPECT_EQ(CONVERTE_DATA("1/2/05", F()), "05/2/1");
  EXPECT_EQ(CONVERTE_DATA("01/02/05 10:20:30", F()), "05/02/01");
  EXPECT_EQ(CONVERTE_DATA("/01//02/05/", F()), "05/02/01");
  EXPECT_EQ(CONVERTE_DATA("01/02", F()), "/02/01");
  EXPECT_EQ(CONVERTE_DATA("", F()), "//");
}

TEST(DateKey, DashIsASeparatorOnlyInTheMaximaSearch) {
  EXPECT_EQ(CONVERTE_DATA("01-02-05", F()), "//01-02-05");
  EXPECT_EQ(CONVERTE_DATA("01-02-05", M()), "05/02/01");
}

TEST(DateSelection, TiesReturnTheSecondArgument) {
  EXPECT_EQ(MENORDATA("05/01/06", "20/12/05", F()), "20/12/05");
  EXPECT_EQ(MAIORDATA("05/01/06", "20/12/05", F()), "05/01/06");
  EXPECT_EQ(MENORDATA("01/02/05", "01/02/05", F()), "01/02/05");
  EXPECT_EQ(MENORDATA("01/02/05", "01 02 05", F()), "01 02 05");
  EXPECT_EQ(MAIORDATA("01 02 05", "01/02/05", F()), "01/02/05");
}

TEST(DateSelection, TextOrderNotCalendarOrder) {
  EXPECT_EQ(MENORDATA("01/01/00", "31/12/99", F()), "01/01/00");
  EXPECT_EQ(MAIORDATA("1/2/05", "01/10/05", F()), "1/2/05");
}

}  // namespace
}  // namespace rain
