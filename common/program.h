// The frame of every program's main: run the body, and turn a Failure into its
// console line and exit code.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/console.h"

namespace rain {

// The body returns the exit code of a run that ends normally.
int run_program(Console& console, const std::function<int()>& body);

// argv[1..argc-1] as texts.
std::vector<std::string> arguments(int argc, char** argv);

}  // namespace rain
