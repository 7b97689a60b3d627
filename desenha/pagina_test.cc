#include "desenha/pagina.h"

#include <gtest/gtest.h>

#include "common/failure.h"
#include "tests/support/e2e.h"
#include "tests/support/fault_env.h"
#include "tests/support/expect_failure.h"

namespace rain::desenha {
namespace {

using rain::testing::FaultEnv;
using rain::testing::ScratchDir;

// A page that cannot be written whole, or cannot be moved into place, leaves
// the earlier page as it was and no temporary file behind.
TEST(DesenhaChuvadas, AFailedWriteOrMoveKeepsTheEarlierPage) {
  ScratchDir dir;
  dir.write("serie.txt", "Hora Data Acumulo Basculacao\r\n10:00:00 01/02/05 0.20 1\r\n10:05:00 01/02/05 0.40 1\r\n");
  ParametrosDaPagina p{dir.file("serie.txt"), dir.file("p.html"), {3, 0, 0.2, 300}, {}};
  for (int caso = 0; caso < 2; ++caso) {
    dir.write("p.html", "a pagina anterior");
    FaultEnv env(default_env());
    if (caso == 0) env.fail_writes_after(dir.file("p.html.pvx"), 1000);
    if (caso == 1) env.fail_rename();
    EXPECT_EQ(testing::ExpectFailure([&] { desenha_pagina(env, p); }).line(),
              "Erro: nao foi possivel gravar o arquivo de saida.")
        << caso;
    EXPECT_EQ(dir.read("p.html"), "a pagina anterior") << caso;
    EXPECT_EQ(dir.list(), (std::vector<std::string>{"p.html", "serie.txt"})) << caso;
  }
}

}  // namespace
}  // namespace rain::desenha
