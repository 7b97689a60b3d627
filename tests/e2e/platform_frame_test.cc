// What a Windows user sees of a failed run, whatever the program: a window
// opened for the program alone (a double click) stays open on its "Erro: ..."
// line until a key is pressed, while from cmd, a script or a pipe the run ends
// at once; and device names are refused as output names.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/support/e2e.h"

namespace rain::testing {
namespace {

using namespace std::chrono_literals;

// A search whose series does not exist: the command-line form's failure.
const std::vector<std::string> kMissingSeries = {"nada.txt", "r.txt", "total", "0", "0", "0", "0", "0.2"};
const char kMissingSeriesLine[] = "Erro:naofoipossivelabriroarquivodeentrada.";

TEST(PlatformFrame, FailureInAConsoleOfItsOwnWaitsForAKeyOnWindowsOnly) {
  ScratchDir dir;
  TerminalSession terminal("Rastreia_Picos", kMissingSeries, dir.path());
  ASSERT_TRUE(terminal.wait_for_letters(kMissingSeriesLine, 60s)) << terminal.screen();
  if (!windows_build()) {
    EXPECT_EQ(terminal.wait_exit(60s), 1) << "a terminal outlives the program: no wait";
    return;
  }
  // The request for a key goes to standard error, which the session leaves
  // out under Wine: the program still running is what counts.
  terminal.settle(500ms, 2s);
  EXPECT_TRUE(terminal.running()) << "the window would close before the line can be read";
  terminal.type("x");
  EXPECT_EQ(terminal.wait_exit(60s), 1) << terminal.screen();
}

TEST(PlatformFrame, DialogueFailureInAConsoleOfItsOwnWaitsForAKeyOnWindowsOnly) {
  ScratchDir dir;
  TerminalSession terminal("Fatia_Chuvadas", {}, dir.path());
  ASSERT_TRUE(terminal.wait_for_letters("Digiteocaminhoeonomedoarquivodeentrada.", 60s)) << terminal.screen();
  terminal.type("nada.txt\rchuva\r06:00:00\r1.0\r0.2\r00:05:00\r");
  ASSERT_TRUE(terminal.wait_for_letters("Erro:naofoipossivelabriroarquivodeentrada.", 60s)) << terminal.screen();
  if (!windows_build()) {
    EXPECT_EQ(terminal.wait_exit(60s), 1);
    return;
  }
  terminal.settle(500ms, 2s);
  EXPECT_TRUE(terminal.running());
  terminal.type("x");
  EXPECT_EQ(terminal.wait_exit(60s), 1) << terminal.screen();
}

TEST(PlatformFrame, FailureFromACommandShellOrAPipeEndsAtOnce) {
  ScratchDir dir;
  TerminalSession shell("Rastreia_Picos", kMissingSeries, dir.path(), TerminalSession::Start::kFromShell);
  EXPECT_EQ(shell.wait_exit(60s), 1) << shell.screen();
  EXPECT_NE(shell.screen_letters().find(kMissingSeriesLine), std::string::npos) << shell.screen();
  EXPECT_EQ(shell.screen_letters().find("Aperte"), std::string::npos) << shell.screen();

  RunResult piped = run_program("Rastreia_Picos", kMissingSeries, dir.path(), "x\n");
  EXPECT_EQ(piped.exit_code, 1);
  EXPECT_EQ(piped.console, console_text("Erro: nao foi possivel abrir o arquivo de entrada.\n"));
}

TEST(PlatformFrame, DeviceNamesAreRefusedAsOutputsOnWindows) {
  if (!windows_build()) GTEST_SKIP() << "CON and NUL are file names here";
  ScratchDir dir;
  dir.write("raw.txt", "01/02/05;10:00:00;0.0\r\n01/02/05;10:10:00;0.2\r\n");
  dir.write("serie.txt", crlf_lines({"Hora Data Acumulo Basculacao", "10:05:00 01/02/05 0.00 1",
                                     "10:10:00 01/02/05 0.20 0"}));
  for (const char* device : {"NUL", "con.txt", "sub\\Aux", "LPT1.csv", "com9"}) {
    RunResult formatter = run_program("Ajusta_Leituras",
                                      {"raw.txt", device, "nenhum", "nenhum", ";", "s", "00:05:00", "0.2", "0", "1", "1",
                                       "2", "3", "0", "DD/MM/YY"},
                                      dir.path());
    EXPECT_EQ(formatter.exit_code, 1) << device;
    EXPECT_EQ(formatter.console, console_text("Erro: \"" + std::string(device) +
                                              "\" e um nome reservado do Windows para dispositivos, nao para arquivos.\n"));
    RunResult maxima = run_program("Rastreia_Picos", {"serie.txt", device, "total", "0", "0", "0", "0", "0.2"}, dir.path());
    EXPECT_EQ(maxima.exit_code, 1) << device;
    EXPECT_EQ(maxima.console.rfind("Erro: \"", 0), 0u) << maxima.console;
  }
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"raw.txt", "serie.txt"}));
}

}  // namespace
}  // namespace rain::testing
