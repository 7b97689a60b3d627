#include "resume/tabelas_da_serie.h"

#include <gtest/gtest.h>

#include "common/failure.h"
#include "common/staged_file.h"
#include "tests/support/e2e.h"
#include "tests/support/fault_env.h"
#include "tests/support/expect_failure.h"

namespace rain::resume {
namespace {

using testing::FaultEnv;
using testing::ScratchDir;

TEST(EscreveTabelas, AFailedWriteOrMoveLeavesBothEarlierTablesAndNoTemporary) {
  ScratchDir dir;
  dir.write("serie.txt", "Hora Data Acumulo Basculacao\r\n10:00:00 01/02/05 0.20 1\r\n10:05:00 01/02/05 0.20 0\r\n");
  dir.write("e.csv", "antes e\r\n");
  dir.write("m.csv", "antes m\r\n");
  const ArquivosDoResumo arquivos{dir.file("serie.txt"), dir.file("e.csv"), dir.file("m.csv"), {}, {}, {}};
  ParametrosDoResumo p;
  p.precisao = 0.2;
  p.passo_s = 300;
  for (int caso = 0; caso < 2; ++caso) {
    FaultEnv env(default_env());
    if (caso == 0) env.fail_writes_after(pvx_name(arquivos.maximas), 100);
    if (caso == 1) env.fail_rename();
    EXPECT_EQ(testing::ExpectFailure([&] { escreve_tabelas(env, arquivos, p); }).line(),
              "Erro: nao foi possivel gravar o arquivo de saida " + (caso == 0 ? arquivos.maximas : arquivos.eventos) +
                  ".");
    EXPECT_EQ(dir.list(), (std::vector<std::string>{"e.csv", "m.csv", "serie.txt"}));
    EXPECT_EQ(dir.read("e.csv"), "antes e\r\n");
    EXPECT_EQ(dir.read("m.csv"), "antes m\r\n");
  }
  escreve_tabelas(default_env(), arquivos, p);
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"e.csv", "m.csv", "serie.txt"}));
  EXPECT_NE(dir.read("m.csv"), "antes m\r\n");
}

}  // namespace
}  // namespace rain::resume
