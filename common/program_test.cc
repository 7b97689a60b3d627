#include "common/program.h"

#include <gtest/gtest.h>

#include <sstream>

#include "common/failure.h"
#include "tests/support/fake_terminal.h"

namespace rain {
namespace {

using testing::FakeTerminal;

void write_usage(Console& console) { console.write_line("Utilizacao: Programa <entrada>"); }

const ProgramInfo kProgram{"Programa", write_usage};

struct ProgramRun {
  std::istringstream in;
  std::ostringstream out, err;
  FakeTerminal terminal;
  Console console{in, out, err, terminal};
  bool body_ran = false;

  int operator()(const std::vector<std::string>& args, const std::function<int()>& body = [] { return 0; }) {
    return run_program(kProgram, args, console, [&] {
      body_ran = true;
      return body();
    });
  }
};

TEST(ProgramFrame, HelpRequestsPrintTheUsageAndSkipTheRun) {
  for (const char* request : {"--help", "-h", "/?"}) {
    ProgramRun run;
    EXPECT_EQ(run({request}), 0);
    EXPECT_EQ(run.out.str(), "Utilizacao: Programa <entrada>\n") << request;
    EXPECT_FALSE(run.body_ran);
  }
}

TEST(ProgramFrame, VersionRequestNamesProgramToolSetAndVersion) {
  ProgramRun run;
  EXPECT_EQ(run({"--version"}), 0);
  EXPECT_EQ(run.out.str(), "Programa (Pluviometria) " + std::string(tool_set_version()) + "\n");
  EXPECT_FALSE(run.body_ran);
}

TEST(ProgramFrame, RequestsAmongOtherArgumentsAreOrdinaryArguments) {
  ProgramRun run;
  EXPECT_EQ(run({"--help", "x"}), 0);
  EXPECT_TRUE(run.body_ran);
  EXPECT_EQ(run.out.str(), "");
}

TEST(ProgramFrame, FailureInAWindowOfItsOwnWaitsForAKeyAfterItsLine) {
  ProgramRun run;
  run.terminal.interactive = run.terminal.own_window = true;
  EXPECT_EQ(run({}, []() -> int { throw Failure("Erro: arquivo nao encontrado.", 1); }), 1);
  EXPECT_EQ(run.out.str(), "Erro: arquivo nao encontrado.\n");
  EXPECT_EQ(run.err.str(), "Aperte uma tecla para sair...\n");
  EXPECT_EQ(run.terminal.key_waits, 1);
}

TEST(ProgramFrame, FailureInASharedConsoleOrWithoutAnyLineEndsAtOnce) {
  ProgramRun shared;
  shared.terminal.interactive = true;
  EXPECT_EQ(shared({}, []() -> int { throw Failure("Erro: arquivo nao encontrado.", 1); }), 1);
  EXPECT_EQ(shared.terminal.key_waits, 0);
  EXPECT_EQ(shared.err.str(), "");

  ProgramRun silent;
  silent.terminal.interactive = silent.terminal.own_window = true;
  EXPECT_EQ(silent({}, []() -> int { throw Failure::silent(1); }), 1);
  EXPECT_EQ(silent.terminal.key_waits, 0);
}

TEST(ProgramFrame, NoArgumentsAskTheDialogueATakenCountReadsTheCommandLineAnyOtherPrintsTheUsage) {
  const std::vector<std::vector<std::string>> calls = {{}, {"a", "b"}, {"a", "b", "c"}, {"a"}};
  std::string entries;
  for (const auto& args : calls) {
    ProgramRun run;
    const int code = run_dialogue_or_command_line(
        kProgram, args, run.console, {2, 3}, [&] { entries += 'D'; return 4; }, [&] { entries += 'C'; return 5; });
    EXPECT_EQ(code, args.empty() ? 4 : args.size() == 1 ? 0 : 5) << args.size();
    EXPECT_EQ(run.out.str(), args.size() == 1 ? "Utilizacao: Programa <entrada>\n" : "") << args.size();
  }
  EXPECT_EQ(entries, "DCC");
}

TEST(ProgramFrame, SummaryIsOneLineOnStandardError) {
  ProgramRun run;
  write_summary(run.console, kProgram, {"10 registros lidos", "2 eventos escritos"});
  EXPECT_EQ(run.out.str(), "");
  EXPECT_EQ(run.err.str(), "Programa: 10 registros lidos, 2 eventos escritos.\n");
  EXPECT_EQ(counted(1, "evento escrito", "eventos escritos"), "1 evento escrito");
  EXPECT_EQ(counted(0, "evento escrito", "eventos escritos"), "0 eventos escritos");
}

}  // namespace
}  // namespace rain
