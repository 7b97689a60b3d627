#include "common/created_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "tests/support/e2e.h"
#include "tests/support/expect_failure.h"

namespace rain {
namespace {

using testing::ExpectFailure;
using testing::ScopedCurrentDir;
using testing::ScratchDir;

TEST(CreatedFile, RemovesOnlyAPlainFileThisRunMade) {
  ScratchDir dir;
  ScopedCurrentDir here(dir.path());
  Env& env = default_env();
  dir.write("old", "left by a killed run");
  {
    CreatedFile made(env, "new");
    CreatedFile kept(env, "done");
    CreatedFile old(env, "old");
    for (const char* name : {"new", "done", "old"}) env.create(name)->append("written");
    kept.keep();
    EXPECT_TRUE(made.made_by_this_run());
    EXPECT_FALSE(old.made_by_this_run());
  }
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"done", "old"}));
  EXPECT_EQ(dir.read("old"), "written");
}

TEST(CreatedFile, NeverRemovesWhatTookTheNameMeanwhile) {
  ScratchDir dir;
  ScopedCurrentDir here(dir.path());
  CreatedFile made(default_env(), "x");
  ASSERT_EQ(std::remove("x"), 0);
  ASSERT_EQ(::symlink("elsewhere", dir.file("x").c_str()), 0);
  EXPECT_FALSE(made.remove());
  EXPECT_EQ(dir.list(), std::vector<std::string>{"x"});
}

TEST(CreatedFile, ALinkOrAPipeAtTheNameIsRefusedAndLeftAsItWas) {
  ScratchDir dir;
  ScopedCurrentDir here(dir.path());
  dir.write("target", "the user's");
  ASSERT_EQ(::symlink("target", dir.file("link").c_str()), 0);
  ASSERT_EQ(::symlink("nothing", dir.file("dangling").c_str()), 0);
  ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
  for (const char* name : {"link", "dangling", "fifo"}) {
    EXPECT_EQ(ExpectFailure([&] { CreatedFile work(default_env(), name); }).line(),
              "Erro: o arquivo de trabalho " + std::string(name) +
                  " nao e um arquivo comum (e um link ou um dispositivo); apague-o e execute novamente.");
  }
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"dangling", "fifo", "link", "target"}));
  EXPECT_EQ(dir.read("target"), "the user's");
}

TEST(CreatedFile, ANameIsOneRunsUntilItLetsGo) {
  ScratchDir dir;
  ScopedCurrentDir here(dir.path());
  ::mkdir("d", 0700);
  {
    CreatedFile first(default_env(), "w.pvx");
    CreatedFile in_folder(default_env(), "d/w.pvx");
    EXPECT_EQ(ExpectFailure([] { CreatedFile second(default_env(), "w.pvx"); }).line(),
              "Erro: outra execucao usa w.pvx nesta pasta.");
    EXPECT_EQ(ExpectFailure([] { CreatedFile second(default_env(), "d/w.pvx"); }).line(),
              "Erro: outra execucao usa w.pvx na pasta d/.");
    first.keep();
  }
  // What the first one left is taken as it is.
  CreatedFile next(default_env(), "w.pvx");
  EXPECT_FALSE(next.made_by_this_run());
}

}  // namespace
}  // namespace rain
