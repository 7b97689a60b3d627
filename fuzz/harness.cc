#include "fuzz/harness.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <sstream>

#include "tests/support/fake_terminal.h"

namespace rain::fuzz {

Choices::Choices(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t end = input.find('\n');
  line_ = input.substr(0, end);
  body_ = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
}

std::size_t Choices::pick(std::size_t count) {
  const std::size_t at = next_++;
  if (at >= line_.size()) return 0;
  return static_cast<unsigned char>(line_[at]) % count;
}

Run pick_run(Choices& choices, const Program& program) {
  Run run;
  run.program = &program;
  run.start = static_cast<Start>(choices.pick(kStarts));
  run.answers_cut = choices.pick(16);
  run.leftover = &choices.pick(program.leftovers);
  bool absent = false;
  // Every list takes its byte, so the bytes after an absent parameter keep
  // their places.
  for (const Candidates& candidates : program.parameters) {
    const std::string& value = choices.pick(candidates);
    absent = absent || value == kAbsent;
    if (!absent) run.parameters.push_back(value);
  }
  if (!run.parameters.empty()) run.inputs.push_back(run.parameters[0]);
  for (const Option& option : program.options) {
    const std::size_t value = choices.pick(option.values.size() + 1);
    if (value == 0) continue;
    run.options.push_back("--" + option.name);
    if (option.values.empty()) continue;
    run.options.push_back(option.values[value - 1]);
    if (option.names_input) run.inputs.push_back(option.values[value - 1]);
  }
  return run;
}

namespace {

void prepare_folder(testing::MemoryEnv& env, const std::string& input_name, std::string_view body,
                    const Leftover& leftover) {
  env.add_folder("pasta");
  env.add_folder("eventos");
  std::string_view input = body;
  std::string_view leftover_bytes = leftover.bytes;
  if (leftover.kind == Leftover::Kind::kFromInput) {
    const std::size_t nul = body.rfind('\0');
    input = nul == std::string_view::npos ? body : body.substr(0, nul);
    leftover_bytes = nul == std::string_view::npos ? std::string_view() : body.substr(nul + 1);
  }
  env.write_file(input_name, std::string(input));
  env.add_link(input_name, "apelido.txt");
  env.add_pipe("fila", std::string(input));
  env.add_device("nulo", false);
  env.add_device("cheio", true);
  switch (leftover.kind) {
    case Leftover::Kind::kNone:
      break;
    case Leftover::Kind::kFolder:
      env.add_folder(leftover.name);
      break;
    case Leftover::Kind::kFile:
    case Leftover::Kind::kFromInput:
      env.write_file(leftover.name, std::string(leftover_bytes));
      break;
    case Leftover::Kind::kHeld:
      env.hold_for_another_run(leftover.name);
      break;
  }
}

const char* start_name(Start start) {
  switch (start) {
    case Start::kCommandLine:
      return "command line";
    case Start::kDialogue:
      return "dialogue";
    case Start::kDialogueCut:
      return "dialogue cut short";
    case Start::kParameterMissing:
      return "one parameter missing";
  }
  return "?";
}

std::vector<std::string> arguments_of(const Run& run) {
  std::vector<std::string> args = run.options;
  if (run.start == Start::kCommandLine) args.insert(args.end(), run.parameters.begin(), run.parameters.end());
  if (run.start == Start::kParameterMissing && !run.parameters.empty()) {
    args.insert(args.end(), run.parameters.begin(), run.parameters.end() - 1);
  }
  return args;
}

// The answer lines, then one byte for the key the dialogue waits for at its
// end; a cut dialogue ends its input early.
std::string dialogue_input(const Run& run) {
  if (run.start != Start::kDialogue && run.start != Start::kDialogueCut) return {};
  const std::vector<std::string> answers = run.program->answers(run.parameters);
  const std::size_t given = run.start == Start::kDialogue ? answers.size() : std::min(run.answers_cut, answers.size());
  std::string input;
  for (std::size_t i = 0; i < given; ++i) input += answers[i] + "\n";
  if (run.start == Start::kDialogue) input += "\n";
  return input;
}

// What ran and how it ended, on standard error.
void show(const Run& run, const std::vector<std::string>& args, const std::string& end, const std::string& out,
          const std::string& err, const testing::MemoryEnv& env) {
  std::cerr << end << "\nprogram: " << run.program->name << " (" << start_name(run.start)
            << "), leftover: " << run.leftover->name << "\n";
  for (const std::string& arg : args) std::cerr << "  argument: [" << arg << "]\n";
  std::cerr << "answers:\n" << dialogue_input(run) << "standard output:\n" << out << "standard error:\n" << err << "files after the run:\n";
  for (const std::string& name : env.list()) {
    std::cerr << "  " << name << " (" << env.read_file(name).value_or("").size() << " bytes)\n";
  }
}

[[noreturn]] void fault(const Run& run, const std::vector<std::string>& args, const std::string& what,
                        const std::string& out, const std::string& err, const testing::MemoryEnv& env) {
  show(run, args, "FAULT: " + what, out, err, env);
  std::abort();
}

}  // namespace

void run_and_check(const Run& run, const std::string& input_name, std::string_view body) {
  testing::MemoryEnv env(run.program->file_cap);
  prepare_folder(env, input_name, body, *run.leftover);
  // What the run reads is what its parameters name, whatever that is: another
  // name of the file written here is a file like any other.
  std::vector<std::optional<std::string>> inputs_before;
  for (const std::string& input : run.inputs) inputs_before.push_back(env.read_file(input));
  const std::vector<std::string> args = arguments_of(run);
  std::istringstream in(dialogue_input(run));
  std::ostringstream out;
  std::ostringstream err;
  testing::FakeTerminal terminal;
  Console console(in, out, err, terminal);
  int code = 0;
  bool capped = false;
  try {
    code = run.program->entry(args, console, env);
  } catch (const testing::FileCapReached&) {
    capped = true;
  }
  const std::string end = capped ? "stopped at the file cap" : "exit code " + std::to_string(code);
  if (std::getenv("RAIN_FUZZ_VERBOSE")) show(run, args, end, out.str(), err.str(), env);
  if (!capped && code != 0 && code != 1) {
    fault(run, args, end, out.str(), err.str(), env);
  }
  for (std::size_t i = 0; i < run.inputs.size(); ++i) {
    if (env.read_file(run.inputs[i]) != inputs_before[i]) {
      fault(run, args, "the input changed: " + run.inputs[i], out.str(), err.str(), env);
    }
  }
}

std::string long_name(std::string_view end) { return std::string(300 - end.size(), 'n') + std::string(end); }

}  // namespace rain::fuzz
