#include "common/platform.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/support/e2e.h"

namespace rain {
namespace {

using testing::ScratchDir;

TEST(RenameNoReplace, MovesToAFreeName) {
  ScratchDir dir;
  dir.write("a", "A");
  EXPECT_TRUE(platform::rename_no_replace(dir.file("a"), dir.file("b")));
  EXPECT_FALSE(dir.exists("a"));
  EXPECT_EQ(dir.read("b"), "A");
}

TEST(RenameNoReplace, NeverReplacesAnExistingFile) {
  ScratchDir dir;
  dir.write("a", "new");
  dir.write("b", "old");
  EXPECT_FALSE(platform::rename_no_replace(dir.file("a"), dir.file("b")));
  EXPECT_EQ(dir.read("a"), "new");
  EXPECT_EQ(dir.read("b"), "old");
}

TEST(RenameNoReplace, FailsIntoAMissingDirectory) {
  ScratchDir dir;
  dir.write("a", "A");
  EXPECT_FALSE(platform::rename_no_replace(dir.file("a"), dir.file("nowhere/b")));
  EXPECT_TRUE(dir.exists("a"));
}

TEST(SameFile, SeesThroughDifferentSpellings) {
  ScratchDir dir;
  dir.write("a", "A");
  dir.write("b", "A");
  EXPECT_TRUE(platform::same_file(dir.file("a"), dir.path() + "/./a"));
  EXPECT_TRUE(platform::same_file(dir.file("a"), dir.path() + "/../" +
                                                     dir.path().substr(dir.path().rfind('/') + 1) + "/a"));
  EXPECT_FALSE(platform::same_file(dir.file("a"), dir.file("b")));
  EXPECT_FALSE(platform::same_file(dir.file("a"), dir.file("missing")));
}

TEST(RemoveFile, ReportsAMissingFile) {
  ScratchDir dir;
  dir.write("a", "A");
  EXPECT_TRUE(platform::remove_file(dir.file("a")));
  EXPECT_FALSE(platform::remove_file(dir.file("a")));
}

}  // namespace
}  // namespace rain
