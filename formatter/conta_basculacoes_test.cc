#include "formatter/conta_basculacoes.h"

#include <gtest/gtest.h>

#include "tests/support/expect_failure.h"

#include "common/failure.h"
#include "tests/support/e2e.h"

namespace rain::formatter {
namespace {

using rain::testing::crlf_lines;
using rain::testing::ScratchDir;

TEST(TipCount, RoundsHalvesAwayFromZeroInAFieldOfFive) {
  EXPECT_EQ(OBTEMBASCULACAO("10.2", "10.6", 0.2), "    2");
  EXPECT_EQ(OBTEMBASCULACAO("0", "0.5", 1), "    1");
  EXPECT_EQ(OBTEMBASCULACAO("0", "2.5", 1), "    3");
  EXPECT_EQ(OBTEMBASCULACAO("2.5", "0", 1), "   -3");
  EXPECT_EQ(OBTEMBASCULACAO("0", "0.49", 1), "    0");
}

TEST(TipCount, SmallFallGivesMinusZero) {
  EXPECT_EQ(OBTEMBASCULACAO("5.0", "4.9", 0.2), "   -0");
  EXPECT_EQ(OBTEMBASCULACAO("5.0", "0", 0.2), "  -25");
}

TEST(TipCount, WidthFiveIsOnlyAMinimum) {
  EXPECT_EQ(OBTEMBASCULACAO("0", "20000", 0.1), "200000");
}

TEST(TipCount, DepthThatIsNotANumberGivesNoCount) {
  for (const char* bad : {"", "1.234,5", "abc", "1.5x"}) {
    EXPECT_EQ(OBTEMBASCULACAO("1.0", bad, 0.2), std::nullopt) << bad;
    EXPECT_EQ(OBTEMBASCULACAO(bad, "1.0", 0.2), std::nullopt) << bad;
  }
}

TEST(TipCount, LastRecordIsDroppedAndCommaDepthsAreRead) {
  ScratchDir dir;
  dir.write("in.pvx", crlf_lines({"Hora Data Acumulo", "10:00 01/02/05 12,2", "10:05 01/02/05 12,4",
                                  "10:10 01/02/05 12,4"}));
  CONTA_BASCULACOES(default_env(), dir.file("in.pvx"), dir.file("out"), 0.2);
  EXPECT_EQ(dir.read("out"), crlf_lines({"Hora Data Acumulo Basculacao", "10:00 01/02/05 12,2 1",
                                         "10:05 01/02/05 12,4 0"}));
}

TEST(TipCount, TabsInRecordsBecomeBlanksButTheHeaderKeepsThem) {
  ScratchDir dir;
  dir.write("in.pvx", crlf_lines({"Hora\tData\tAcumulo", "10:00\t01/02/05\t0.00", "10:05\t01/02/05\t0.40"}));
  CONTA_BASCULACOES(default_env(), dir.file("in.pvx"), dir.file("out"), 0.2);
  EXPECT_EQ(dir.read("out"), crlf_lines({"Hora\tData\tAcumulo Basculacao", "10:00 01/02/05 0.00 2"}));
}

TEST(TipCount, HeaderOnlyOrSingleRecordGivesTheHeaderAlone) {
  ScratchDir dir;
  dir.write("a", crlf_lines({"H"}));
  dir.write("b", crlf_lines({"H", "10:00 01/02/05 0.00"}));
  CONTA_BASCULACOES(default_env(), dir.file("a"), dir.file("a.out"), 0.2);
  CONTA_BASCULACOES(default_env(), dir.file("b"), dir.file("b.out"), 0.2);
  EXPECT_EQ(dir.read("a.out"), crlf_lines({"H Basculacao"}));
  EXPECT_EQ(dir.read("b.out"), crlf_lines({"H Basculacao"}));
}

TEST(TipCount, LongRecordIsCutTo255ThenGetsBlankAndCount) {
  ScratchDir dir;
  std::string longo = "10:00 01/02/05 0.00 " + std::string(300, 'x');
  std::string header(300, 'H');
  dir.write("in", crlf_lines({header, longo, "10:05 01/02/05 0.20"}));
  CONTA_BASCULACOES(default_env(), dir.file("in"), dir.file("out"), 0.2);
  EXPECT_EQ(dir.read("out"), crlf_lines({std::string(255, 'H'), longo.substr(0, 255) + " 1"}));
}

TEST(TipCount, UnreadableLastDepthStopsWithPartialOutput) {
  ScratchDir dir;
  dir.write("in", crlf_lines({"H", "10:00 01/02/05 0.00", "10:05 01/02/05 0.20", "10:10 01/02/05"}));
  EXPECT_FALSE(
      testing::ExpectFailure([&] { CONTA_BASCULACOES(default_env(), dir.file("in"), dir.file("out"), 0.2); })
          .has_line());
  EXPECT_EQ(dir.read("out"), crlf_lines({"H Basculacao", "10:00 01/02/05 0.00 1"}));
}

}  // namespace
}  // namespace rain::formatter
