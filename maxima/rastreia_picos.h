// Entry of Rastreia_Picos: the nine run values from the command line (8 or 9
// parameters) or from the console dialogue (none), then the search.
#pragma once

#include <string>
#include <vector>

#include "common/console.h"
#include "common/env.h"

namespace rain::maxima {

// The whole program; returns its exit code.
int run_rastreia_picos(const std::vector<std::string>& args, Console& console, Env& env);

}  // namespace rain::maxima
