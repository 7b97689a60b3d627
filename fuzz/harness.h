// What the fuzz targets share: reading an input as choices plus files, running
// a program's own entry on an in-memory file system with a string console, and
// the checks after the run.
//
// An input is one line of choice bytes, then the bytes of the file the program
// reads. Each choice takes one byte of the line and picks among its candidate
// values (byte modulo their count). A choice past the end of the line takes its
// first candidate, the sensible one: a choice added at the end (a new option)
// leaves the meaning of every stored input as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/console.h"
#include "common/env.h"
#include "tests/support/memory_env.h"

namespace rain::fuzz {

// The value of a positional parameter that leaves it out, with every one after
// it (an optional last parameter).
inline constexpr std::string_view kAbsent = "\x01(ausente)";

using Candidates = std::vector<std::string>;

class Choices {
 public:
  Choices(const std::uint8_t* data, std::size_t size);

  // The index of one of `count` candidates.
  std::size_t pick(std::size_t count);
  template <typename T>
  const T& pick(const std::vector<T>& candidates) {
    return candidates[pick(candidates.size())];
  }
  // The bytes after the choice line.
  std::string_view body() const { return body_; }

 private:
  std::string_view line_;
  std::string_view body_;
  std::size_t next_ = 0;
};

// An option a program takes before its parameters, with the values to try.
struct Option {
  std::string name;
  Candidates values;          // none: an option without a value
  bool names_input = false;  // its value names a file the run reads
};

// A file left in the folder before the run: a work file of an interrupted run,
// an output of an earlier one.
struct Leftover {
  enum class Kind { kNone, kFile, kFolder, kFromInput, kHeld };
  std::string name;
  Kind kind = Kind::kNone;
  std::string bytes;  // kFile

  static Leftover file(std::string name, std::string bytes) { return {std::move(name), Kind::kFile, std::move(bytes)}; }
  static Leftover from_input(std::string name) { return {std::move(name), Kind::kFromInput, {}}; }
  static Leftover folder(std::string name) { return {std::move(name), Kind::kFolder, {}}; }
  // A work file another run holds.
  static Leftover held(std::string name) { return {std::move(name), Kind::kHeld, {}}; }
};

using Entry = int (*)(const std::vector<std::string>& args, Console& console, Env& env);

// A program as the targets try it.
struct Program {
  const char* name;
  Entry entry;
  std::vector<Candidates> parameters;  // one list per positional parameter
  std::vector<Option> options;         // a new option is one line here
  std::vector<Leftover> leftovers;     // the first: none
  // The dialogue's answers, in its order, for the positional values.
  std::vector<std::string> (*answers)(const std::vector<std::string>& parameters);
  // A cap on each file of a run: a run that would write more stops there.
  std::size_t file_cap;
};

// How the program is started.
enum class Start {
  kCommandLine,
  kDialogue,         // no parameters: the values are the answers
  kDialogueCut,      // the answers stop early
  kParameterMissing  // one positional parameter too few
};
inline constexpr std::size_t kStarts = 4;

// One run as the choices made it.
struct Run {
  const Program* program = nullptr;
  Start start = Start::kCommandLine;
  std::size_t answers_cut = 0;          // kDialogueCut: how many answers are given
  const Leftover* leftover = nullptr;
  std::vector<std::string> parameters;  // the positional values
  std::vector<std::string> options;     // the option arguments, first on the command line
  // What the run reads: the file its first parameter names, and those of the
  // options that name an input.
  std::vector<std::string> inputs;
};

// The run the choices make of `program`, in this order of choice bytes: how it
// starts, where a cut dialogue stops, the leftover, each positional parameter
// (kAbsent leaves out it and those after it), then each option: left out or
// given with one of its values.
Run pick_run(Choices& choices, const Program& program);

// Runs `run` in a folder of its own and aborts, with what ran on standard
// error, when the exit code is neither 0 nor 1 or one of its inputs changed. A run
// stopped by the file cap is a bounded run, not a fault.
//
// The folder holds the input under `input_name`, a second name of it
// "apelido.txt", a pipe "fila" that holds the same bytes, the folders "pasta"
// and "eventos", a device "nulo" that takes every write and one "cheio" that
// fails them, and the leftover. A leftover kFromInput takes the bytes of `body`
// after its last NUL; the input is what comes before them.
void run_and_check(const Run& run, const std::string& input_name, std::string_view body);

// A file name longer than any path the programs accept, ending in `end`.
std::string long_name(std::string_view end);

}  // namespace rain::fuzz
