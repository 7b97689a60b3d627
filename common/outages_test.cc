#include "common/outages.h"

#include <gtest/gtest.h>

#include "common/failure.h"
#include "tests/support/e2e.h"
#include "tests/support/expect_failure.h"

namespace rain {
namespace {

using testing::ExpectFailure;
using testing::ScratchDir;

Instante at(const char* hora, const char* data) { return *instante_da_serie(hora, data); }

OutageList read_list(const std::string& bytes) {
  ScratchDir dir;
  dir.write("falhas.csv", bytes);
  return OutageList::read(default_env(), dir.file("falhas.csv"));
}

TEST(OutageList, AHandWrittenListInAnyOrderIsSortedAndOverlapsAreJoined) {
  const OutageList list = read_list(
      "\xEF\xBB\xBFinicio,fim\n"
      "2025-03-10T00:00:00,2025-03-11T00:00\n"
      "\"2025-03-05 00:00:00\",2025-03-06T00:00:00\r\n"
      "\n"
      "2025-03-05T12:00:00,2025-03-07T00:00:00\n");
  ASSERT_EQ(list.outages().size(), 2u);
  EXPECT_EQ(outage_list_row(list.outages()[0]), "2025-03-05T00:00:00,2025-03-07T00:00:00,48.00,");
  EXPECT_EQ(outage_list_row(list.outages()[1]), "2025-03-10T00:00:00,2025-03-11T00:00:00,24.00,");
}

TEST(OutageList, StepsOverlappingAnOutageAndTheStepAfterItAreMarked) {
  const OutageList list =
      read_list("inicio,fim,duracao_h,chuva_mm\r\n2025-03-05T00:10:00,2025-03-05T00:20:00,0.17,4.20\r\n");
  EXPECT_EQ(*list.outages()[0].chuva_mm, 4.2);
  const std::int64_t passo = 300;
  EXPECT_EQ(list.classify(at("00:05:00", "05/03/25"), passo), StepInOutage::kClear);
  EXPECT_EQ(list.classify(at("00:10:00", "05/03/25"), passo), StepInOutage::kInOutage);
  EXPECT_EQ(list.classify(at("00:15:00", "05/03/25"), passo), StepInOutage::kInOutage);
  EXPECT_EQ(list.classify(at("00:20:00", "05/03/25"), passo), StepInOutage::kAfterOutage);
  EXPECT_EQ(list.classify(at("00:25:00", "05/03/25"), passo), StepInOutage::kClear);
  // A step that only partly overlaps counts as in the outage.
  EXPECT_EQ(list.classify(at("00:08:00", "05/03/25"), passo), StepInOutage::kInOutage);
  EXPECT_EQ(OutageList().classify(at("00:10:00", "05/03/25"), passo), StepInOutage::kClear);
}

std::string refusal(const std::string& bytes) {
  return ExpectFailure([&] { read_list(bytes); }).line();
}

TEST(OutageList, AListThatIsNotOneIsRefusedNamingItsLine) {
  EXPECT_NE(refusal("inicio;fim\n").find("nao comeca pelo cabecalho inicio,fim."), std::string::npos);
  EXPECT_NE(refusal("").find("nao comeca pelo cabecalho inicio,fim."), std::string::npos);
  // An outage that ends where it starts, a day the calendar lacks, times
  // that are not ISO 8601.
  EXPECT_NE(refusal("inicio,fim\n2025-03-05T00:10:00,2025-03-05T00:10:00\n").find("Erro: a linha 2 da lista de falhas"),
            std::string::npos);
  EXPECT_NE(refusal("inicio,fim\n2025-02-29T00:00:00,2025-03-01T00:00:00\n").find("linha 2"), std::string::npos);
  EXPECT_NE(refusal("inicio,fim\n\n05/03/2025 00:00,06/03/2025 00:00\n").find("linha 3"), std::string::npos);
}

}  // namespace
}  // namespace rain
