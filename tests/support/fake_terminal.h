// A Terminal for in-process tests: counts clears and key waits, never blocks.
#pragma once

#include "common/console.h"

namespace rain::testing {

class FakeTerminal : public Terminal {
 public:
  void clear() override { ++clears; }
  bool input_is_terminal() override { return interactive; }
  void wait_key_on_terminal() override { ++key_waits; }
  bool window_closes_with_program() override { return own_window; }

  bool interactive = false;
  bool own_window = false;
  int clears = 0;
  int key_waits = 0;
};

}  // namespace rain::testing
