// What differs between the Linux and the Windows builds, seen through
// Ajusta_Leituras: the move to the work file that never replaces one, one file
// under two spellings, and Windows paths.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/support/e2e.h"

namespace rain::testing {
namespace {

using namespace std::chrono_literals;

const char kProgram[] = "Ajusta_Leituras";

std::string raw_export() {
  return crlf_lines({"Data;Hora;Chuva", "01/02/2005;10:00:00;0.0", "01/02/2005;10:15:00;0.2",
                     "01/02/2005;10:30:00;0.6", "01/02/2005;10:45:00;0.6"});
}

// Accumulated depth in column 3, no tip column: the tip counting runs, and
// with it the move of the series to its work file.
std::vector<std::string> args_for(const std::string& input, const std::string& output) {
  return {input, output, "total", "nenhum", ";", "s", "00:15:00", "0.2", "1", "2", "1", "2", "3", "0", "DD/MM/YY"};
}

class PlatformFormatter : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.write("bruto.txt", raw_export());
  }
  // The absolute path of a file of the scratch dir as the program under test
  // names it.
  std::string absolute(const std::string& name) const {
    return windows_build() ? wine_path(dir_.file(name)) : dir_.file(name);
  }
  ScratchDir dir_;
};

TEST_F(PlatformFormatter, StaleWorkFileIsNeverReplaced) {
  dir_.write("serie.txt.pvx", "old work file\r\n");
  RunResult run = run_program(kProgram, args_for("bruto.txt", "serie.txt"), dir_.path());
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.console.rfind("Erro: ", 0), 0u) << run.console;
  EXPECT_EQ(dir_.read("serie.txt.pvx"), "old work file\r\n");
  EXPECT_EQ(dir_.read("bruto.txt"), raw_export());
}

TEST_F(PlatformFormatter, OutputNamingTheInputInAnotherSpellingIsRefused) {
  std::vector<std::string> spellings = {absolute("bruto.txt")};
  // Windows names are caseless.
  if (windows_build()) spellings.push_back("BRUTO.TXT");
  for (const std::string& output : spellings) {
    RunResult run = run_program(kProgram, args_for("bruto.txt", output), dir_.path());
    EXPECT_EQ(run.exit_code, 1) << output;
    EXPECT_EQ(run.console.rfind("Erro: ", 0), 0u) << run.console;
    EXPECT_EQ(dir_.read("bruto.txt"), raw_export());
    EXPECT_EQ(dir_.list(), (std::vector<std::string>{"bruto.txt"}));
  }
}

TEST_F(PlatformFormatter, OnATerminalTheDialogueErasesNothing) {
  // The formatter's dialogue does not clear the window, unlike the other two
  // programs': what the terminal shows before its first question stays.
  TerminalSession terminal(kProgram, {}, dir_.path());
  ASSERT_TRUE(terminal.wait_for_letters("Digiteocaminhodoarquivodeentrada.", 60s)) << terminal.screen();
  EXPECT_FALSE(terminal.erased_before_text()) << terminal.screen();
  // A header line that is not a number ends the dialogue without a conversion;
  // in a console window of its own (Windows) the "Erro: ..." line then waits
  // for a key.
  terminal.type("\r\rx\r");
  if (windows_build()) {
    ASSERT_TRUE(terminal.wait_for_letters("Erro:", 60s)) << terminal.screen();
    terminal.settle(500ms, 2s);
    EXPECT_TRUE(terminal.running());
    terminal.type("x");
  }
  EXPECT_NE(terminal.wait_exit(60s), -1) << terminal.screen();
}

TEST_F(PlatformFormatter, DriveLetterAndBackslashPathsNameFilesOnWindows) {
  if (!windows_build()) GTEST_SKIP() << "Windows paths";
  ASSERT_EQ(::mkdir(dir_.file("sub").c_str(), 0755), 0);
  RunResult plain = run_program(kProgram, args_for("bruto.txt", "serie.txt"), dir_.path());
  ASSERT_EQ(plain.exit_code, 0) << plain.console;
  RunResult run = run_program(kProgram, args_for(absolute("bruto.txt"), "sub\\serie.txt"), dir_.path());
  EXPECT_EQ(run.exit_code, 0) << run.console;
  EXPECT_EQ(dir_.read("sub/serie.txt"), dir_.read("serie.txt"));
  EXPECT_NE(dir_.read("serie.txt"), "");
  EXPECT_FALSE(dir_.exists("sub/serie.txt.pvx"));
}

}  // namespace
}  // namespace rain::testing
