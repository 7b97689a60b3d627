#include "desenha/pagina.h"

#include <gtest/gtest.h>

#include <cstdio>

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

// 25 tips of 0.254 mm added one record at a time come to 6.3499...; the
// month holds 6.35 mm, as the header's total says, and its bar reads 6.4.
TEST(DesenhaChuvadas, AMonthsBarAddsItsTipsAsTheTotalDoes) {
  ScratchDir dir;
  std::string serie = "Hora Data Acumulo Basculacao\r\n";
  for (int i = 0; i < 25; ++i) {
    char registro[40];
    std::snprintf(registro, sizeof registro, "%02d:%02d:00 01/02/05 0 1\r\n", 10 + i / 12, i % 12 * 5);
    serie += registro;
  }
  dir.write("serie.txt", serie);
  desenha_pagina(default_env(), {dir.file("serie.txt"), dir.file("p.html"), {3, 0, 0.254, 300}, {}});
  const std::string pagina = dir.read("p.html");
  const std::size_t meses = pagina.find("Chuva total de cada mes");
  ASSERT_NE(meses, std::string::npos);
  EXPECT_NE(pagina.find("class=\"valor\" text-anchor=\"middle\">6.4</text>", meses), std::string::npos);
}

}  // namespace
}  // namespace rain::desenha
