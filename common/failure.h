// The one way a procedure stops the program: it throws a Failure carrying the
// console line to print (none for the silent stops) and the exit code. Each
// program's main catches it, prints the line and returns the code.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace rain {

class Failure : public std::exception {
 public:
  Failure(std::string line, int exit_code) : line_(std::move(line)), exit_code_(exit_code), has_line_(true) {}

  // A stop that writes nothing on standard output; `note`, when given, says on
  // standard error what was wrong.
  static Failure silent(int exit_code, std::string note = {}) {
    Failure f("", exit_code);
    f.has_line_ = false;
    f.note_ = std::move(note);
    return f;
  }

  // The same stop with `note` on standard error beside its line: what exactly
  // was refused.
  Failure noted(std::string note) && {
    note_ = std::move(note);
    return std::move(*this);
  }

  const std::string& line() const { return line_; }
  bool has_line() const { return has_line_; }
  int exit_code() const { return exit_code_; }
  const std::string& note() const { return note_; }
  const char* what() const noexcept override { return line_.c_str(); }

 private:
  std::string line_;
  std::string note_;
  int exit_code_;
  bool has_line_;
};

}  // namespace rain
