#include "common/program.h"

#include <iostream>
#include <new>

#include "common/failure.h"

namespace rain {

int run_program(Console& console, const std::function<int()>& body) {
  int code = 0;
  try {
    code = body();
  } catch (const Failure& failure) {
    if (failure.has_line()) console.write_line(failure.line());
    if (!failure.note().empty()) console.write_note(failure.note());
    code = failure.exit_code();
  } catch (const std::bad_alloc&) {
    console.write_line("Erro: memoria insuficiente.");
    code = 1;
  }
  std::cout.flush();
  return code;
}

std::vector<std::string> arguments(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  return args;
}

}  // namespace rain
