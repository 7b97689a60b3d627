#include "common/program.h"

#include <iostream>
#include <new>

#include "common/failure.h"
#include "common/version.h"

namespace rain {
namespace {

bool is_help_request(const std::string& arg) { return arg == "--help" || arg == "-h" || arg == "/?"; }

// Runs `body`, turning a Failure into its console line, note and exit code.
int run_caught(Console& console, const std::function<int()>& body) {
  int code = 0;
  try {
    code = body();
  } catch (const Failure& failure) {
    if (failure.has_line()) console.write_line(failure.line());
    if (!failure.note().empty()) console.write_note(failure.note());
    if (failure.has_line() || !failure.note().empty()) console.wait_key_before_own_window_closes();
    code = failure.exit_code();
  } catch (const std::bad_alloc&) {
    console.write_line("Erro: memoria insuficiente.");
    console.wait_key_before_own_window_closes();
    code = 1;
  }
  std::cout.flush();
  return code;
}

}  // namespace

int run_program(const ProgramInfo& program, const std::vector<std::string>& args, Console& console,
                const std::function<int()>& body) {
  return run_caught(console, [&]() -> int {
    if (args.size() == 1 && is_help_request(args[0])) {
      program.write_usage(console);
      return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
      console.write_line(std::string(program.name) + " (" + kToolSetName + ") " + kToolSetVersion);
      return 0;
    }
    return body();
  });
}

int run_dialogue_or_command_line(
    const ProgramInfo& program, const std::vector<std::string>& args, Console& console,
    std::initializer_list<std::size_t> command_line_counts, OptionList options,
    const std::function<int(const Options&)>& dialogue,
    const std::function<int(const Options&, const std::vector<std::string>& positional)>& command_line) {
  return run_program(program, args, console, [&] {
    std::vector<std::string> positional = args;
    const Options given = Options::take_leading(positional, options);
    if (positional.empty()) return dialogue(given);
    for (std::size_t count : command_line_counts) {
      if (positional.size() == count) return command_line(given, positional);
    }
    program.write_usage(console);
    return 1;
  });
}

void write_summary(Console& console, const ProgramInfo& program, std::initializer_list<std::string> figures) {
  std::string line(program.name);
  line += ": ";
  bool first = true;
  for (const std::string& figure : figures) {
    if (!first) line += ", ";
    line += figure;
    first = false;
  }
  line += '.';
  console.write_note(line);
}

std::string counted(std::int64_t n, std::string_view one, std::string_view many) {
  std::string figure = std::to_string(n);
  figure += ' ';
  figure += n == 1 ? one : many;
  return figure;
}

std::string_view tool_set_version() { return kToolSetVersion; }

std::vector<std::string> arguments(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  return args;
}

}  // namespace rain
