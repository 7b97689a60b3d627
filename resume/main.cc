#include "common/console.h"
#include "common/env.h"
#include "common/program.h"
#include "resume/resume_chuvadas.h"

int main(int argc, char** argv) {
  return rain::resume::run_resume_chuvadas(rain::arguments(argc, argv), rain::standard_console(), rain::default_env());
}
