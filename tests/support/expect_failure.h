// The one way a test expects a procedure to stop the program.
#pragma once

#include <gtest/gtest.h>

#include "common/failure.h"

namespace rain::testing {

// Runs `run`, which must stop with a Failure of exit code `exit_code`, and
// gives that Failure for the test to look at. When `run` returns, or stops
// with another code, the test fails; a run that returns gives a Failure whose
// line is "(no failure)".
template <class Run>
Failure ExpectFailure(Run&& run, int exit_code = 1) {
  try {
    run();
  } catch (const Failure& f) {
    EXPECT_EQ(f.exit_code(), exit_code) << f.line();
    return f;
  }
  ADD_FAILURE() << "the run ended without a Failure";
  return Failure("(no failure)", 0);
}

}  // namespace rain::testing
