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

TEST(ProgramFrame, NoArgumentsAskTheDialogueATakenCountReadsTheCommandLineAnyOtherIsAFailureWithTheUsage) {
  const std::vector<std::vector<std::string>> calls = {{}, {"a", "b"}, {"a", "b", "c"}, {"a"}};
  std::string entries;
  for (const auto& args : calls) {
    ProgramRun run;
    const int code = run_dialogue_or_command_line(
        kProgram, args, run.console, {2, 3}, {}, [&](const Options&) { entries += 'D'; return 4; },
        [&](const Options&, const auto&) { entries += 'C'; return 5; });
    EXPECT_EQ(code, args.empty() ? 4 : args.size() == 1 ? 1 : 5) << args.size();
    EXPECT_EQ(run.out.str(), args.size() == 1 ? "Utilizacao: Programa <entrada>\n" : "") << args.size();
  }
  EXPECT_EQ(entries, "DCC");
}

// Runs the entry with the options --falhas (a value) and --gev (none) and
// gives what the command line saw, or the console line of the refusal.
std::string with_options(std::vector<std::string> args) {
  ProgramRun run;
  std::string seen;
  const int code = run_dialogue_or_command_line(
      kProgram, args, run.console, {2}, {{"--falhas"}, {"--gev", false}},
      [&](const Options& o) { seen = "dialogo falhas=" + o.value("--falhas").value_or("-"); return 0; },
      [&](const Options& o, const std::vector<std::string>& params) {
        seen = "falhas=" + o.value("--falhas").value_or("-") + (o.given("--gev") ? " gev" : "");
        for (const std::string& param : params) seen += " " + param;
        return 0;
      });
  return code == 0 ? seen : run.out.str();
}

TEST(ProgramFrame, LeadingOptionsAreTakenOffBeforeTheParametersAreCounted) {
  EXPECT_EQ(with_options({"a", "b"}), "falhas=- a b");
  EXPECT_EQ(with_options({"--falhas", "f.csv", "--gev", "a", "b"}), "falhas=f.csv gev a b");
  EXPECT_EQ(with_options({"--gev", "--", "--a", "b"}), "falhas=- gev --a b");
  EXPECT_EQ(with_options({"--falhas", "f.csv"}), "dialogo falhas=f.csv");
  // Only leading arguments are options: a later one is a parameter.
  EXPECT_EQ(with_options({"a", "--gev"}), "falhas=- a --gev");
}

TEST(ProgramFrame, UnknownRepeatedOrValuelessOptionsAreRefusedByName) {
  EXPECT_EQ(with_options({"--falha", "f.csv", "a", "b"}), "Erro: opcao desconhecida: --falha.\n");
  EXPECT_EQ(with_options({"--gev", "--gev", "a", "b"}), "Erro: a opcao --gev foi dada mais de uma vez.\n");
  EXPECT_EQ(with_options({"--falhas"}), "Erro: a opcao --falhas pede um valor.\n");
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
