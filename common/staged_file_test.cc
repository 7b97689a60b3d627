#include "common/staged_file.h"

#include <gtest/gtest.h>

#include "tests/support/e2e.h"
#include "tests/support/fault_env.h"

namespace rain {
namespace {

using testing::FaultEnv;
using testing::ScratchDir;

class StagedFileTest : public ::testing::Test {
 protected:
  StagedFileTest() : env_(default_env()) { dir_.write("t.csv", "old\r\n"); }

  // Writes two lines to t.csv through a staged file; commit's answer.
  bool write_new(bool commit = true) {
    auto file = StagedFile::create(env_, path_);
    EXPECT_NE(file, nullptr);
    EXPECT_TRUE(dir_.exists("t.csv.pvx"));
    file->lines().write_line("a");
    file->lines().write_line("b");
    return commit ? file->commit() : false;
  }

  ScratchDir dir_;
  FaultEnv env_;
  std::string path_ = dir_.file("t.csv");
};

TEST_F(StagedFileTest, CommitReplacesTheEarlierFileAndLeavesNoTemporary) {
  EXPECT_TRUE(write_new());
  EXPECT_EQ(dir_.list(), std::vector<std::string>{"t.csv"});
  EXPECT_EQ(dir_.read("t.csv"), "a\r\nb\r\n");
}

TEST_F(StagedFileTest, FailedWriteMoveOrAbandonKeepsTheEarlierFileAndRemovesTheTemporary) {
  env_.fail_writes_after(pvx_name(path_), 2);
  EXPECT_FALSE(write_new());
  EXPECT_EQ(dir_.list(), std::vector<std::string>{"t.csv"});
  EXPECT_EQ(dir_.read("t.csv"), "old\r\n");

  env_.fail_writes_after("", 0);
  env_.fail_rename();
  EXPECT_FALSE(write_new());
  EXPECT_EQ(dir_.list(), std::vector<std::string>{"t.csv"});
  EXPECT_EQ(dir_.read("t.csv"), "old\r\n");

  write_new(false);
  EXPECT_EQ(dir_.list(), std::vector<std::string>{"t.csv"});
  EXPECT_EQ(dir_.read("t.csv"), "old\r\n");
}

TEST_F(StagedFileTest, TemporaryThatCannotBeCreatedGivesNothing) {
  env_.fail_create(pvx_name(path_));
  EXPECT_EQ(StagedFile::create(env_, path_), nullptr);
  EXPECT_EQ(dir_.read("t.csv"), "old\r\n");
}

}  // namespace
}  // namespace rain
