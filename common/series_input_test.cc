#include "common/series_input.h"

#include <gtest/gtest.h>

#include "tests/support/e2e.h"
#include "tests/support/expect_failure.h"
#include "tests/support/fault_env.h"

namespace rain {
namespace {

using testing::ForwardingEnv;
using testing::ScopedCurrentDir;
using testing::ScratchDir;

// The series arrives as a pipe would: it cannot be read twice.
class PipeEnv final : public ForwardingEnv {
 public:
  PipeEnv() : ForwardingEnv(default_env()) {}
  FileKind file_kind(const std::string& path) override {
    return path == "pipe" ? FileKind::kOther : ForwardingEnv::file_kind(path);
  }
};

TEST(SeriesInput, ASeriesThatCannotBeReadTwiceIsReadFromItsCopyWhichGoesAtTheEnd) {
  ScratchDir dir;
  ScopedCurrentDir here(dir.path());
  PipeEnv env;
  SeriesRules rules;
  rules.step_s = 300;
  dir.write("pipe", "Hora Data Acumulo Basculacao\r10:00:00 01/02/05 0.00 0\r10:05:00 01/02/05 0.20 1\r");
  {
    SeriesInput serie(env, "pipe", rules, series_copy_in_current_folder());
    EXPECT_EQ(serie.path(), "buffer_serie.pvx");
    EXPECT_EQ(dir.read("buffer_serie.pvx"),
              "Hora Data Acumulo Basculacao\r\n10:00:00 01/02/05 0.00 0\r\n10:05:00 01/02/05 0.20 1\r\n");
    EXPECT_EQ(serie.lines(), 3);
    serie.finished();
  }
  EXPECT_EQ(dir.list(), std::vector<std::string>{"pipe"});

  rules.step_s = 60;
  testing::ExpectFailure([&] { SeriesInput serie(env, "pipe", rules, series_copy_in_current_folder()); });
  EXPECT_EQ(dir.list(), std::vector<std::string>{"pipe"});
}

}  // namespace
}  // namespace rain
