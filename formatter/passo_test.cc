#include "formatter/passo.h"

#include <gtest/gtest.h>

#include "tests/support/expect_failure.h"

namespace rain::formatter {
namespace {

TEST(Passo, SlashesLeadingBlanksAndShortPartsReadLikeTheColonForm) {
  for (const char* texto : {"00:15:00", "00/15/00", " 0:15:0"}) {
    const Passo passo = Passo::le(texto);
    EXPECT_EQ(passo.texto, texto);
    EXPECT_EQ(passo.hora * 3600 + passo.minuto * 60 + passo.segundo, 900) << texto;
  }
}

// The refusals seen from the command line are pinned end to end; these are
// the number readings behind them.
TEST(Passo, APartThatIsNotAWholeNumberOrBeyond16BitsIsRefused) {
  for (const char* texto : {"00:1,5:00", "00:00:99999999999", "40000:00:00", "00:15:00 "}) {
    EXPECT_FALSE(testing::ExpectFailure([&] { Passo::le(texto); }).has_line()) << texto;
  }
}

}  // namespace
}  // namespace rain::formatter
