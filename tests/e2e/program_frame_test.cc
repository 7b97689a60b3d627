// What every program answers besides its work: the help and version requests,
// and the one summary line on standard error after a run that succeeded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/e2e.h"

namespace rain::testing {
namespace {

const char* const kPrograms[] = {"Ajusta_Leituras", "Rastreia_Picos", "Fatia_Chuvadas", "Resume_Chuvadas",
                                   "Desenha_Chuvadas"};

bool has_line(const std::string& text, const std::string& line) {
  std::string whole = "\n";
  whole += text;
  std::string wanted = "\n";
  wanted += console_text(line + "\n");
  return whole.find(wanted) != std::string::npos;
}

TEST(ProgramFrame, HelpRequestsPrintTheUsageOfAWrongArgumentCount) {
  ScratchDir dir;
  for (const char* program : kPrograms) {
    const RunResult usage = run_program(program, {"a", "b"}, dir.path());
    for (const char* request : {"--help", "-h", "/?"}) {
      RunResult run = run_program(program, {request}, dir.path());
      EXPECT_EQ(run.exit_code, 0) << program << " " << request;
      EXPECT_EQ(run.console, usage.console) << program << " " << request;
    }
  }
  EXPECT_EQ(dir.list(), std::vector<std::string>{});
}

TEST(ProgramFrame, VersionNamesTheProgramAndTheToolSet) {
  ScratchDir dir;
  for (const char* program : kPrograms) {
    RunResult run = run_program(program, {"--version"}, dir.path());
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.console, console_text(std::string(program) + " (Pluviometria) 1.0.0\n"));
  }
}

// Three readings 10 minutes apart: 0.2 mm, then 0.6 mm more.
const char kRaw[] = "01/02/05;10:00:00;0.0\r\n01/02/05;10:10:00;0.2\r\n01/02/05;10:20:00;0.6\r\n";

TEST(ProgramFrame, EachProgramSumsUpASuccessfulRunOnStandardErrorOnly) {
  ScratchDir dir;
  dir.write("raw.txt", kRaw);
  RunResult formatter = run_program("Ajusta_Leituras",
                                    {"raw.txt", "serie.txt", "nenhum", "nenhum", ";", "n", "00:05:00", "0.2", "0", "1",
                                     "1", "2", "3", "0", "DD/MM/YY"},
                                    dir.path());
  EXPECT_EQ(formatter.exit_code, 0);
  EXPECT_EQ(formatter.console, "");
  EXPECT_TRUE(has_line(formatter.errors,
                       "Ajusta_Leituras: 3 leituras lidas, 4 registros escritos em serie.txt, acumulo final 0.80 mm, "
                       "4 basculadas = 0.80 mm."))
      << formatter.errors;

  RunResult maxima = run_program("Rastreia_Picos", {"serie.txt", "r.txt", "total", "0", "0", "0", "0", "0.2"}, dir.path());
  EXPECT_EQ(maxima.exit_code, 0);
  EXPECT_EQ(maxima.console, "");
  EXPECT_TRUE(has_line(maxima.errors, "Rastreia_Picos: 4 registros lidos, 1 periodo no relatorio r.txt."))
      << maxima.errors;

  RunResult events =
      run_program("Fatia_Chuvadas", {"serie.txt", "ev", "00:10:00", "0", "0.2", "00:05:00"}, dir.path());
  EXPECT_EQ(events.exit_code, 0);
  EXPECT_EQ(events.console, "");
  EXPECT_TRUE(has_line(events.errors, "Fatia_Chuvadas: 4 registros lidos, 1 evento escrito, 0.80 mm nos eventos."))
      << events.errors;
}

TEST(ProgramFrame, AFailedRunWritesNoSummary) {
  ScratchDir dir;
  RunResult run = run_program("Fatia_Chuvadas", {"nada.txt", "ev", "00:10:00", "0", "0.2", "00:05:00"}, dir.path());
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.errors.find("Fatia_Chuvadas:"), std::string::npos) << run.errors;
}

}  // namespace
}  // namespace rain::testing
