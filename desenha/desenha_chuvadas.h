// Desenha_Chuvadas: the program's entry, with its parameters from the command
// line or from the dialogue.
#pragma once

#include <string>
#include <vector>

#include "common/console.h"
#include "common/env.h"

namespace rain::desenha {

// The whole run; returns the exit code.
int run_desenha_chuvadas(const std::vector<std::string>& args, Console& console, Env& env);

}  // namespace rain::desenha
