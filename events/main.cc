#include "common/console.h"
#include "common/env.h"
#include "common/program.h"
#include "events/fatia_chuvadas.h"

int main(int argc, char** argv) {
  return rain::events::run_fatia_chuvadas(rain::arguments(argc, argv), rain::standard_console(), rain::default_env());
}
