#include "common/console.h"
#include "common/env.h"
#include "common/program.h"
#include "desenha/desenha_chuvadas.h"

int main(int argc, char** argv) {
  return rain::desenha::run_desenha_chuvadas(rain::arguments(argc, argv), rain::standard_console(),
                                             rain::default_env());
}
