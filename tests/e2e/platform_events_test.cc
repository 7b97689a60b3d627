// What differs between the Linux and the Windows builds, seen through
// Fatia_Chuvadas: console line ends, no clear codes and no key wait on a pipe,
// a move that never replaces a file, and Windows paths.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/support/e2e.h"

namespace rain::testing {
namespace {

using namespace std::chrono_literals;

const char kProgram[] = "Fatia_Chuvadas";

// One event of one tip at 10:05, closed by three dry records (limit 00:15:00,
// interval 00:05:00) right at the end of the input, so an interactive run
// reaches its closing message and key wait.
std::string series(const std::string& header) {
  return crlf_lines({header, "10:00:00 01/02/05 0.00 0", "10:05:00 01/02/05 0.20 1", "10:10:00 01/02/05 0.20 0",
                     "10:15:00 01/02/05 0.20 0", "10:20:00 01/02/05 0.20 0"});
}

const char kEventFile[] = "chuva_Parte1_01-02-05_10h05_a_01-02-05_10h05.txt";

std::vector<std::string> args_for(const std::string& input, const std::string& output) {
  return {input, output, "00:15:00", "0", "0.2", "00:05:00"};
}

class PlatformEvents : public ::testing::Test {
 protected:
  ScratchDir dir_;
};

TEST_F(PlatformEvents, ConsoleLinesEndWithCrLfOnlyOnWindows) {
  RunResult run = run_program(kProgram, {"one"}, dir_.path());
  EXPECT_EQ(run.exit_code, 1);  // the usage of a wrong parameter count
  ASSERT_NE(run.console.find('\n'), std::string::npos);
  EXPECT_TRUE(has_platform_line_ends(run.console)) << run.console;
}

TEST_F(PlatformEvents, InteractiveRunOnAPipeWritesNoClearCodesAndEndsAtEndOfInput) {
  dir_.write("serie.txt", series("Hora Data Acumulo Basculacao"));
  // The six answers and nothing more: the key wait meets the end of the input
  // and must return instead of waiting for a keyboard.
  RunResult run = run_program(kProgram, {}, dir_.path(), "serie.txt\nchuva\n00:15:00\n0\n0.2\n00:05:00\n");
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.console.rfind(console_text("Digite o caminho e o nome do arquivo de entrada.\n>"), 0), 0u)
      << run.console;
  EXPECT_EQ(run.console.find('\x1b'), std::string::npos);
  EXPECT_EQ(run.console.find('\f'), std::string::npos);
  EXPECT_NE(run.console.find("Processo concluido! Aperte uma tecla para sair..."), std::string::npos);
  EXPECT_TRUE(dir_.exists(kEventFile));
}

TEST_F(PlatformEvents, OnATerminalTheDialogueClearsTheWindowAndWaitsForOneKey) {
  dir_.write("serie.txt", series("Hora Data Acumulo Basculacao"));
  TerminalSession terminal(kProgram, {}, dir_.path());
  ASSERT_TRUE(terminal.wait_for_letters("Digiteocaminhoeonomedoarquivodeentrada.", 60s)) << terminal.screen();
  EXPECT_TRUE(terminal.erased_before_text()) << terminal.screen();
  terminal.type("serie.txt\rchuva\r00:15:00\r0\r0.2\r00:05:00\r");
  ASSERT_TRUE(terminal.wait_for_letters("Processoconcluido!Aperteumateclaparasair...", 60s)) << terminal.screen();
  terminal.settle(500ms, 2s);
  EXPECT_TRUE(terminal.running()) << "ended without waiting for a key";
  terminal.type("x");  // one key, no Enter
  EXPECT_EQ(terminal.wait_exit(60s), 0) << terminal.screen();
  EXPECT_TRUE(dir_.exists(kEventFile));
}

TEST_F(PlatformEvents, OnATerminalATypedAccentedFileNameOpensTheFile) {
  // The terminal sends UTF-8, as the Linux file names are; under Wine the name
  // reaches the Windows program as typed at a console.
  dir_.write("Esta\xc3\xa7\xc3\xa3o.txt", series("Hora Data Acumulo Basculacao"));
  TerminalSession terminal(kProgram, {}, dir_.path());
  ASSERT_TRUE(terminal.wait_for_letters("Digiteocaminhoeonomedoarquivodeentrada.", 60s)) << terminal.screen();
  terminal.type("Esta\xc3\xa7\xc3\xa3o.txt\rchuva\r00:15:00\r0\r0.2\r00:05:00\r");
  ASSERT_TRUE(terminal.wait_for_letters("Processoconcluido!Aperteumateclaparasair...", 60s)) << terminal.screen();
  terminal.type("x");
  EXPECT_EQ(terminal.wait_exit(60s), 0) << terminal.screen();
  EXPECT_TRUE(dir_.exists(kEventFile));
}

TEST_F(PlatformEvents, AccentedFileNamesOnTheCommandLineNameTheFiles) {
  dir_.write("Esta\xc3\xa7\xc3\xa3o.txt", series("Hora Data Acumulo Basculacao"));
  RunResult run = run_program(kProgram, args_for("Esta\xc3\xa7\xc3\xa3o.txt", "Ribeir\xc3\xa3o"), dir_.path());
  EXPECT_EQ(run.exit_code, 0) << run.console;
  EXPECT_TRUE(dir_.exists("Ribeir\xc3\xa3o_Parte1_01-02-05_10h05_a_01-02-05_10h05.txt"));
}

TEST_F(PlatformEvents, MoveNeverReplacesAnEventFileOfAnEarlierRun) {
  dir_.write("serie.txt", series("first run"));
  ASSERT_EQ(run_program(kProgram, args_for("serie.txt", "chuva"), dir_.path()).exit_code, 0);
  ASSERT_EQ(dir_.read(kEventFile), crlf_lines({"first run", "10:05:00 01/02/05 0.20 1"}));

  dir_.write("serie.txt", series("second run"));
  // The refused move is reported, never taken for success.
  RunResult again = run_program(kProgram, args_for("serie.txt", "chuva"), dir_.path());
  EXPECT_EQ(again.exit_code, 1);
  EXPECT_EQ(again.console.rfind("Erro: ", 0), 0u) << again.console;
  EXPECT_EQ(dir_.read(kEventFile), crlf_lines({"first run", "10:05:00 01/02/05 0.20 1"}));
  EXPECT_EQ(dir_.read("buffer_eventos.pvx"), crlf_lines({"second run", "10:05:00 01/02/05 0.20 1"}));
}

TEST_F(PlatformEvents, DriveLetterAndBackslashPathsNameFilesOnWindows) {
  if (!windows_build()) GTEST_SKIP() << "Windows paths";
  dir_.write("serie.txt", series("Hora Data Acumulo Basculacao"));
  ASSERT_EQ(::mkdir(dir_.file("sub").c_str(), 0755), 0);
  RunResult run = run_program(kProgram, args_for(wine_path(dir_.file("serie.txt")), "sub\\chuva"), dir_.path());
  EXPECT_EQ(run.exit_code, 0) << run.console;
  EXPECT_EQ(dir_.read(std::string("sub/") + kEventFile),
            crlf_lines({"Hora Data Acumulo Basculacao", "10:05:00 01/02/05 0.20 1"}));
  EXPECT_FALSE(dir_.exists("buffer_eventos.pvx"));
}

}  // namespace
}  // namespace rain::testing
