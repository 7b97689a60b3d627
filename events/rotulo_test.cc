#include "events/rotulo.h"

#include <gtest/gtest.h>

namespace rain::events {
namespace {

TEST(MontaRotulo, DateWithDashesThenHoursAndMinutes) {
  EXPECT_EQ(MONTA_ROTULO("14:35:00 01/02/05 12.40 3"), "01-02-05_14h35");
}

TEST(MontaRotulo, TimeWithoutColonKeepsAllDigitsAsHours) {
  EXPECT_EQ(MONTA_ROTULO("1435 01/02/05 0.20 1"), "01-02-05_1435h");
}

TEST(MontaRotulo, FourDigitYearIsKept) {
  EXPECT_EQ(MONTA_ROTULO("9:5:00 1/2/2005 0.20 1"), "1-2-2005_9h5");
}

TEST(MontaRotulo, MissingWordsGiveEmptyParts) {
  EXPECT_EQ(MONTA_ROTULO(""), "_h");
  EXPECT_EQ(MONTA_ROTULO("14:35:00"), "_14h35");
}

TEST(MontaRotulo, LeadingAndRepeatedBlanksDoNotShiftTheWords) {
  EXPECT_EQ(MONTA_ROTULO("  14:35:00   01/02/05 0.20 1"), "01-02-05_14h35");
}

TEST(NomeDoEvento, EightPartsJoinedWithoutSeparators) {
  EXPECT_EQ(nome_do_evento("saida", 3, "01-02-05_14h35", "01-02-05_18h05"),
            "saida_Parte3_01-02-05_14h35_a_01-02-05_18h05.txt");
  EXPECT_EQ(nome_do_evento("dir/saida.txt", 12, "a", "b"), "dir/saida.txt_Parte12_a_a_b.txt");
}

TEST(NomeDoEvento, NumberBeyond16BitsStaysPositive) {
  EXPECT_EQ(nome_do_evento("s", 40000, "x", "y"), "s_Parte40000_x_a_y.txt");
}

TEST(NomeDoEvento, LongNameIsCutAt255Characters) {
  const std::string saida(240, 'a');
  const std::string nome = nome_do_evento(saida, 1, "01-02-05_14h35", "01-02-05_18h05");
  ASSERT_EQ(nome.size(), 255u);
  EXPECT_EQ(nome, saida + "_Parte1_01-02-0");
}

TEST(NomeDoEvento, ACutThatFallsInTheFolderPartIsMarked) {
  // A time written with "/" puts a folder into the label.
  const NomeDoEvento cortado = nome_do_evento_inteiro(std::string(250, 'a'), 1, "01-02-05_10/00h", "x");
  EXPECT_EQ(cortado.texto.size(), 255u);
  EXPECT_TRUE(cortado.fora_da_pasta);
  const NomeDoEvento inteiro = nome_do_evento_inteiro("d/" + std::string(240, 'a'), 1, "01-02-05_14h35", "x");
  EXPECT_EQ(inteiro.texto, nome_do_evento("d/" + std::string(240, 'a'), 1, "01-02-05_14h35", "x"));
  EXPECT_FALSE(inteiro.fora_da_pasta);
}

}  // namespace
}  // namespace rain::events
