#include "common/console.h"
#include "common/env.h"
#include "common/program.h"
#include "formatter/entrada.h"

int main(int argc, char** argv) {
  return rain::formatter::run_ajusta_leituras(rain::arguments(argc, argv), rain::standard_console(),
                                               rain::default_env());
}
