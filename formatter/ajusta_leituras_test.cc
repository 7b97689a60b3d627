#include "formatter/ajusta_leituras.h"

#include <gtest/gtest.h>

namespace rain::formatter {
namespace {

TEST(WorkFileName, OutputNamePlusPvxCutTo255) {
  EXPECT_EQ(nome_de_trabalho("serie.txt"), "serie.txt.pvx");
  std::string longo(253, 'a');
  EXPECT_EQ(nome_de_trabalho(longo), longo + ".p");
}

}  // namespace
}  // namespace rain::formatter
