#include "formatter/falhas.h"

#include <gtest/gtest.h>

namespace rain::formatter {
namespace {

constexpr Instante kDia = 86400;
Instante as(Instante dia, int h, int m, int s = 0) { return dia * kDia + h * 3600 + m * 60 + s; }

TEST(FalhaEntre, CoversTheStepsWhollyBetweenTheReadingsUpToTheStepThatTakesTheLaterRise) {
  // On the grid, the step of the first reading carries none of the later rain.
  auto f = LacunasDasLeituras::falha_entre(as(10, 10, 0), as(12, 10, 0), 300);
  ASSERT_TRUE(f);
  EXPECT_EQ(f->inicio, as(10, 10, 0));
  EXPECT_EQ(f->fim, as(12, 9, 55));
  // Off the grid; a later reading at midnight rises in the last step of the day before.
  f = LacunasDasLeituras::falha_entre(as(10, 10, 1), as(12, 0, 0), 300);
  ASSERT_TRUE(f);
  EXPECT_EQ(f->inicio, as(10, 10, 5));
  EXPECT_EQ(f->fim, as(11, 23, 55));
  // A step that does not divide the day starts again at midnight.
  f = LacunasDasLeituras::falha_entre(as(10, 23, 56), as(11, 0, 30), 420);
  ASSERT_TRUE(f);
  EXPECT_EQ(f->inicio, as(11, 0, 0));
  EXPECT_EQ(f->fim, as(11, 0, 28));
}

TEST(FalhaEntre, NoWholeStepBetweenTheReadingsIsNoOutageAndUnresampledSpansTheReadings) {
  EXPECT_FALSE(LacunasDasLeituras::falha_entre(as(10, 10, 1), as(10, 10, 9), 300));
  EXPECT_FALSE(LacunasDasLeituras::falha_entre(as(10, 10, 1), as(10, 10, 5), 300));
  auto f = LacunasDasLeituras::falha_entre(as(10, 10, 1), as(10, 10, 9), 0);
  ASSERT_TRUE(f);
  EXPECT_EQ(f->inicio, as(10, 10, 1));
  EXPECT_EQ(f->fim, as(10, 10, 9));
}

}  // namespace
}  // namespace rain::formatter
