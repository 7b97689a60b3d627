// The frame of every program's main: answer the help and version requests,
// run the body, and turn a Failure into its console line and exit code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "common/console.h"
#include "common/options.h"

namespace rain {

// What the frame knows of a program: its name (version line, summary line) and
// its usage text (help request).
struct ProgramInfo {
  std::string_view name;
  void (*write_usage)(Console& console);
};

// One program run. A lone "--help", "-h" or "/?" prints the usage text and a
// lone "--version" the line "<name> (<tool set>) <version>", both with exit
// code 0 and without running the body. Otherwise the body runs and returns
// the exit code of a run that ends normally; a Failure it throws prints its
// line (standard output) and note (standard error) and gives its exit code.
// A failure in a console window of the program's own (started by a double
// click) then waits for a key, so the window stays open to be read.
int run_program(const ProgramInfo& program, const std::vector<std::string>& args, Console& console,
                const std::function<int()>& body);

// The entry of a program that takes its parameters either way, run in the
// frame above. The leading options (`options`: those the program knows) are
// taken off first; then no arguments ask the parameters in the dialogue, a
// count among `command_line_counts` reads them from the command line, and any
// other count prints the usage text and ends with exit code 1, so that a
// script can tell that nothing ran.
int run_dialogue_or_command_line(
    const ProgramInfo& program, const std::vector<std::string>& args, Console& console,
    std::initializer_list<std::size_t> command_line_counts, OptionList options,
    const std::function<int(const Options&)>& dialogue,
    const std::function<int(const Options&, const std::vector<std::string>& positional)>& command_line);

// The one line a run that succeeded writes on standard error, before any
// closing message of the dialogue: the program's name, then the figures joined
// by ", " and a final ".", e.g.
// "Fatia_Chuvadas: 8760 registros lidos, 3 eventos escritos, 45.20 mm nos eventos."
void write_summary(Console& console, const ProgramInfo& program, std::initializer_list<std::string> figures);

// A figure for the summary line: "1 evento escrito", "3 eventos escritos".
std::string counted(std::int64_t n, std::string_view one, std::string_view many);

// "1.0.0": one version for the whole tool set.
std::string_view tool_set_version();

// argv[1..argc-1] as texts.
std::vector<std::string> arguments(int argc, char** argv);

}  // namespace rain
