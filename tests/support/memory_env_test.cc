#include "tests/support/memory_env.h"

#include <gtest/gtest.h>

#include "common/line_io.h"

namespace rain::testing {
namespace {

std::string read_all(Env& env, const std::string& path) {
  auto file = env.open_read(path);
  if (!file) return "<none>";
  std::string bytes;
  char buffer[4];
  while (std::size_t got = file->read(buffer, sizeof buffer)) bytes.append(buffer, got);
  return bytes;
}

TEST(MemoryEnv, SpellingsOfOneNameMeetInOneFileAndNamesOutsideTheFoldersDoNot) {
  MemoryEnv env;
  ASSERT_TRUE(env.add_folder("pasta"));
  ASSERT_TRUE(env.write_file("serie.txt", "a\n"));
  EXPECT_TRUE(env.same_file("serie.txt", "./serie.txt"));
  EXPECT_TRUE(env.same_file("serie.txt", "pasta/../serie.txt"));
  EXPECT_EQ(read_all(env, "pasta//.././serie.txt"), "a\n");
  EXPECT_FALSE(env.exists("../serie.txt"));
  EXPECT_FALSE(env.exists("serie.txt/"));
  EXPECT_FALSE(env.exists("serie.txt/."));
  EXPECT_FALSE(env.exists("sem_pasta/../serie.txt"));
  EXPECT_EQ(env.create("sem_pasta/x"), nullptr);
  EXPECT_EQ(env.create(std::string(256, 'x')), nullptr);
  EXPECT_NE(env.create(std::string(255, 'x')), nullptr);
  // The C library hands a path on up to its first NUL.
  EXPECT_TRUE(env.same_file(std::string("serie.txt\0x", 11), "serie.txt"));
  EXPECT_EQ(env.list(), (std::vector<std::string>{"pasta/", "serie.txt", std::string(255, 'x')}));
}

TEST(MemoryEnv, AnOpenFileOutlivesItsNameAndCreatingEmptiesTheFileOfEveryName) {
  MemoryEnv env;
  env.write_file("a", "antigo");
  ASSERT_TRUE(env.add_link("a", "b"));
  auto reader = env.open_read("a");
  ASSERT_TRUE(env.remove("a"));
  EXPECT_EQ(env.entry_kind("a"), EntryKind::kNone);
  char buffer[16];
  EXPECT_EQ(reader->read(buffer, sizeof buffer), 6u);

  auto writer = env.create("b");
  ASSERT_TRUE(writer->append("novo"));
  ASSERT_TRUE(writer->close());
  EXPECT_EQ(env.read_file("b"), "novo");
  auto appender = env.open_append("b");
  appender->append("!");
  EXPECT_EQ(env.read_file("b"), "novo!");
}

TEST(MemoryEnv, MovesReplaceOnlyWhenAskedAndNeverMoveAFolder) {
  MemoryEnv env;
  env.add_folder("pasta");
  env.write_file("a", "1");
  env.write_file("b", "2");
  EXPECT_FALSE(env.rename_no_replace("a", "b"));
  EXPECT_FALSE(env.rename_replace("a", "pasta"));
  EXPECT_FALSE(env.rename_replace("pasta", "c"));
  EXPECT_FALSE(env.rename_replace("a", "sem_pasta/a"));
  EXPECT_TRUE(env.rename_replace("a", "b"));
  EXPECT_EQ(env.read_file("b"), "1");
  EXPECT_FALSE(env.exists("a"));
  EXPECT_TRUE(env.rename_no_replace("b", "pasta/c"));
  env.add_link("pasta/c", "d");
  EXPECT_TRUE(env.rename_replace("d", "pasta/c"));  // two names of one file: nothing moves
  EXPECT_TRUE(env.exists("d"));
  EXPECT_EQ(env.entry_kind("pasta"), EntryKind::kOther);
  EXPECT_EQ(env.entry_kind("d"), EntryKind::kRegularFile);
  EXPECT_FALSE(env.remove("pasta"));
  // A folder opens for reading and fails at the first read, as on Linux.
  auto folder = env.open_read("pasta");
  char c;
  EXPECT_EQ(folder->read(&c, 1), 0u);
  EXPECT_TRUE(folder->failed());
}

TEST(MemoryEnv, DevicesAndPipesAreNoFilesAndAHeldWorkFileIsRefusedUntilLetGo) {
  MemoryEnv env;
  env.add_device("nulo", false);
  env.add_device("cheio", true);
  env.add_pipe("fila", "abc");
  EXPECT_EQ(env.file_kind("nulo"), FileKind::kOther);
  EXPECT_EQ(env.entry_kind("fila"), EntryKind::kOther);
  EXPECT_TRUE(env.create("nulo")->append("x"));
  EXPECT_FALSE(env.create("cheio")->append("x"));
  EXPECT_EQ(read_all(env, "fila"), "abc");
  EXPECT_EQ(read_all(env, "fila"), "");  // read once
  EXPECT_FALSE(env.open_read("fila")->seek(0));
  EXPECT_EQ(env.take_work_file("nulo").taken, WorkFileTaken::kNotAFile);

  ASSERT_TRUE(env.hold_for_another_run("buffer.pvx"));
  EXPECT_EQ(env.take_work_file("./buffer.pvx").taken, WorkFileTaken::kHeldByAnotherRun);
  WorkFile mine = env.take_work_file("outro.pvx");
  EXPECT_EQ(mine.taken, WorkFileTaken::kCreated);
  EXPECT_EQ(env.take_work_file("outro.pvx").taken, WorkFileTaken::kHeldByAnotherRun);
  mine.lock.reset();
  EXPECT_EQ(env.take_work_file("outro.pvx").taken, WorkFileTaken::kLeftOver);
}

TEST(MemoryEnv, AWriteBeyondTheCapStopsTheRunUnlessAnotherStopIsUnderway) {
  MemoryEnv env(8);
  auto file = env.create("saida.txt");
  ASSERT_TRUE(file->append("12345678"));
  EXPECT_THROW(file->append("9"), FileCapReached);
  EXPECT_THROW(
      {
        LineWriter writer(env.create("outra.txt"));
        writer.write_line("123456789");
        throw 1;  // the writer's destructor flushes while this unwinds
      },
      int);
  EXPECT_EQ(env.read_file("outra.txt"), "");
  {
    LineWriter dropped(env.create("largada.txt"));
    dropped.write_line("123456789");
  }  // given up without close(): the destructor's write past the cap ends nothing
  EXPECT_EQ(env.read_file("largada.txt"), "");
}

}  // namespace
}  // namespace rain::testing
