#include "maxima/partes_do_relatorio.h"

#include <gtest/gtest.h>

#include "tests/support/e2e.h"
#include "tests/support/fault_env.h"

namespace rain::maxima {
namespace {

using testing::FaultEnv;
using testing::ScratchDir;

// Lines of three columns given in the walk's order (period by period, every
// column in turn) come out column after column, the later ones through the
// work file, whose copy of the series stays as it was.
TEST(PartesDoRelatorio, LaterColumnsComeAfterTheFirstInTheirOwnOrder) {
  ScratchDir dir;
  const std::string copia = "Hora Data Acumulo B1 B2 B3\r\n";
  dir.write("w.pvx", copia);
  std::string esperado[3];
  {
    auto relatorio = create_lines(default_env(), dir.file("r.txt"));
    PartesDoRelatorio partes(default_env(), *relatorio, dir.file("w.pvx"), copia.size(), 6, 1);
    for (int periodo = 0; periodo < 300; ++periodo) {
      for (int coluna = 4; coluna <= 6; ++coluna) {
        const std::string linha = "coluna " + std::to_string(coluna) + ", periodo " + std::to_string(periodo);
        partes.linha(coluna, linha);
        esperado[coluna - 4] += linha + "\r\n";
      }
    }
    ASSERT_TRUE(partes.junta());
    ASSERT_TRUE(relatorio->close());
  }
  EXPECT_EQ(dir.read("r.txt"), esperado[0] + esperado[1] + esperado[2]);
  EXPECT_EQ(dir.read("w.pvx").substr(0, copia.size()), copia);
  EXPECT_GT(dir.read("w.pvx").size(), copia.size()) << "the parts never waited in the work file";
}

TEST(PartesDoRelatorio, AWorkFileThatTakesNoPieceIsAFailure) {
  ScratchDir dir;
  dir.write("w.pvx", "");
  FaultEnv env(default_env());
  env.fail_append(dir.file("w.pvx"));
  auto relatorio = create_lines(env, dir.file("r.txt"));
  PartesDoRelatorio partes(env, *relatorio, dir.file("w.pvx"), 0, 5, 1);
  for (int i = 0; i < 1000; ++i) partes.linha(5, "uma linha da coluna 5");
  EXPECT_FALSE(partes.ok());
  EXPECT_FALSE(partes.junta());
}

}  // namespace
}  // namespace rain::maxima
