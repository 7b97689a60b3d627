#include "common/line_io.h"

#include <gtest/gtest.h>

#include "tests/support/e2e.h"
#include "tests/support/fault_env.h"

namespace rain {
namespace {

using testing::FaultEnv;
using testing::ScratchDir;

std::vector<std::string> all_lines(const std::string& path, LineEnds ends = LineEnds::kLf) {
  auto reader = open_lines(default_env(), path, ends);
  std::vector<std::string> lines;
  std::string line;
  while (reader->read_line(line)) lines.push_back(line);
  return lines;
}

TEST(LineReader, AcceptsLfAndCrLfAndAnUnterminatedLastLine) {
  ScratchDir dir;
  dir.write("a.txt", "one\r\ntwo\nthree");
  EXPECT_EQ(all_lines(dir.file("a.txt")), (std::vector<std::string>{"one", "two", "three"}));
  dir.write("b.txt", "one\r\n\r\n");
  EXPECT_EQ(all_lines(dir.file("b.txt")), (std::vector<std::string>{"one", ""}));
  dir.write("c.txt", "");
  EXPECT_TRUE(all_lines(dir.file("c.txt")).empty());
}

TEST(LineReader, ASeriesReaderTakesLoneCrLineEndsOnlyWhereTheFirstLineEndsSo) {
  ScratchDir dir;
  const LineEnds cr = LineEnds::kAlsoLoneCr;
  dir.write("mac.txt", "one\rtwo\r\rthree\r\nfour");
  EXPECT_EQ(all_lines(dir.file("mac.txt"), cr), (std::vector<std::string>{"one", "two", "", "three", "four"}));
  // A file whose first line ends at a LF reads as it always has.
  dir.write("unix.txt", "one\r\ntwo\rtwo\r\r\n");
  EXPECT_EQ(all_lines(dir.file("unix.txt"), cr), (std::vector<std::string>{"one", "two\rtwo\r"}));
  // The lone CR is the last byte of a read: whether a LF follows is learnt
  // from the next.
  for (std::size_t length : {std::size_t{262143}, std::size_t{262142}}) {
    const std::string first(length, 'a');
    dir.write("a.txt", first + "\rb\rc\r\nd");
    EXPECT_EQ(all_lines(dir.file("a.txt"), cr), (std::vector<std::string>{first, "b", "c", "d"})) << length;
  }
}

TEST(LineReader, LinesLongerThanTheBufferArriveWhole) {
  ScratchDir dir;
  std::string long_line(300000, 'x');
  dir.write("a.txt", "h\r\n" + long_line + "\r\nend\r\n");
  auto lines = all_lines(dir.file("a.txt"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], long_line);
  EXPECT_EQ(lines[2], "end");
}

TEST(LineReader, LineEndSplitBetweenTwoReadsIsOneLineEnd) {
  ScratchDir dir;
  // The CR is the last byte of the first 256 KiB block, the LF the first of
  // the next; blocks of other sizes still meet lines cut anywhere.
  for (std::size_t length : {std::size_t{262143}, std::size_t{262142}, std::size_t{65535}}) {
    std::string first(length, 'a');
    dir.write("a.txt", first + "\r\nb\r\n");
    EXPECT_EQ(all_lines(dir.file("a.txt")), (std::vector<std::string>{first, "b"})) << length;
  }
}

TEST(LineReader, TheLineBeforeSurvivesTheRefillsOfTheBuffer) {
  ScratchDir dir;
  // Lines of every length from 1 to 99 characters cross the ends of the
  // 256 KiB blocks at every offset; one longer than a block makes it grow.
  std::vector<std::string> lines;
  std::string text;
  for (int i = 0; i < 12000; ++i) {
    lines.push_back(std::to_string(i) + std::string(static_cast<std::size_t>(i % 97), 'x'));
    if (i == 7000) lines.back() += std::string(300000, 'y');
  }
  for (const LineEnds ends : {LineEnds::kLf, LineEnds::kAlsoLoneCr}) {
    text.clear();
    for (const std::string& line : lines) text += line + (ends == LineEnds::kLf ? "\r\n" : "\r");
    dir.write("a.txt", text);
    auto reader = open_lines(default_env(), dir.file("a.txt"), ends);
    EXPECT_EQ(reader->line_before(), "");
    std::string_view line;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      ASSERT_FALSE(reader->at_end());
      ASSERT_TRUE(reader->read_view(line));
      ASSERT_EQ(line, lines[i]);
      ASSERT_EQ(reader->line_before(), i == 0 ? "" : lines[i - 1]) << i;
    }
  }
}

TEST(LineReader, ReadingPastTheEndYieldsEmptyLines) {
  ScratchDir dir;
  dir.write("a.txt", "only\r\n");
  auto reader = open_lines(default_env(), dir.file("a.txt"));
  EXPECT_FALSE(reader->at_end());
  EXPECT_EQ(reader->read_line(), "only");
  EXPECT_TRUE(reader->at_end());
  std::string line = "stale";
  EXPECT_FALSE(reader->read_line(line));
  EXPECT_EQ(line, "");
}

TEST(LineReader, EndOfFileMarkAtTheStartOfALineEndsTheInput) {
  ScratchDir dir;
  dir.write("a.txt", "a\r\n\x1a" "b\r\n");
  auto reader = open_lines(default_env(), dir.file("a.txt"));
  EXPECT_FALSE(reader->at_end_or_eof_mark());
  reader->read_line();
  EXPECT_TRUE(reader->at_end_or_eof_mark());
  EXPECT_FALSE(reader->at_end());
}

TEST(LineWriter, EndsEveryLineWithCrLf) {
  ScratchDir dir;
  auto writer = create_lines(default_env(), dir.file("out.txt"));
  writer->write_line("a");
  writer->write_line("");
  writer->write("b");
  writer->write_line(" c");
  EXPECT_TRUE(writer->close());
  EXPECT_EQ(dir.read("out.txt"), "a\r\n\r\nb c\r\n");
}

TEST(LineWriter, AFailedWriteIsReportedByClose) {
  ScratchDir dir;
  FaultEnv env(default_env());
  env.fail_writes_after(dir.file("out.txt"), 10);
  auto writer = create_lines(env, dir.file("out.txt"));
  for (int i = 0; i < 100000; ++i) writer->write_line("0123456789");
  EXPECT_FALSE(writer->close());
}

TEST(LineWriter, CreateFailsInAMissingDirectory) {
  ScratchDir dir;
  EXPECT_EQ(create_lines(default_env(), dir.file("missing/out.txt")), nullptr);
  EXPECT_EQ(open_lines(default_env(), dir.file("missing.txt")), nullptr);
}

}  // namespace
}  // namespace rain
