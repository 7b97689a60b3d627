#include "common/env.h"
#include "common/program.h"
#include "maxima/rastreia_picos.h"

int main(int argc, char** argv) {
  return rain::maxima::run_rastreia_picos(rain::arguments(argc, argv), rain::standard_console(),
                                          rain::default_env());
}
