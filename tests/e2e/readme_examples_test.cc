// The README's examples, run as a reader would run them from the repository
// root, in the order they stand, all in one scratch folder:
// - an indented block (blank lines inside it belong to it) whose first line starts with "build/bin/" or "mkdir " is
//   a block of commands, one per line ("..." groups words as a shell would);
// - a line "<!-- check: file NAME -->" says that the next indented block
//   shows the file NAME as the commands before it left it; a line "..." in the
//   shown block stands for any number of lines;
// - "<!-- check: folder NAME -->": the block lists the files in NAME, one
//   "NAME/file" per line, sorted;
// - "<!-- check: console -->": the block shows what the last command printed
//   (its exit code is then not checked; every other command must succeed).
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/e2e.h"

namespace rain::testing {
namespace {

struct Block {
  int line = 0;  // of its first line in the README
  std::vector<std::string> lines;
};

struct Check {
  std::string kind;  // "file", "folder" or "console"
  std::string name;
  Block shown;
};

// One step of the README: a block of commands, or a check of what they did.
struct Step {
  bool is_check = false;
  Block commands;
  Check check;
};

bool starts_with(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

bool is_command_block(const Block& block) {
  return starts_with(block.lines.front(), "build/bin/") || starts_with(block.lines.front(), "mkdir ");
}

std::vector<Step> read_steps(const std::string& readme) {
  std::vector<Step> steps;
  std::istringstream in(readme);
  std::string line;
  int number = 0;
  Block block;
  std::optional<Check> pending;
  auto close_block = [&] {
    if (block.lines.empty()) return;
    if (pending) {
      pending->shown = block;
      steps.push_back(Step{true, {}, *pending});
      pending.reset();
    } else if (is_command_block(block)) {
      steps.push_back(Step{false, block, {}});
    }
    block = Block{};
  };
  int blank_lines = 0;  // inside a block, kept when the block goes on after them
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (starts_with(line, "    ")) {
      if (block.lines.empty()) block.line = number;
      block.lines.insert(block.lines.end(), blank_lines, "");
      blank_lines = 0;
      block.lines.push_back(line.substr(4));
      continue;
    }
    if (line.empty() && !block.lines.empty()) {
      ++blank_lines;
      continue;
    }
    blank_lines = 0;
    close_block();
    if (starts_with(line, "<!-- check: ")) {
      std::istringstream words(line.substr(12));
      Check check;
      words >> check.kind >> check.name;
      EXPECT_TRUE(check.kind == "console" || !check.name.empty()) << "README line " << number;
      pending = check;
    }
  }
  close_block();
  EXPECT_FALSE(pending) << "a check without its block at the end of the README";
  return steps;
}

// Splits a command line into words; "..." keeps blanks and drops the quotes.
std::vector<std::string> words_of(const std::string& command) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, any = false;
  for (char c : command) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (c == ' ' && !quoted) {
      if (any) words.push_back(word);
      word.clear();
      any = false;
    } else {
      word += c;
      any = true;
    }
  }
  if (any) words.push_back(word);
  return words;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  // An indented block cannot show empty lines at its end.
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

// The shown lines, "..." standing for any run of lines, against the real ones.
bool matches(const std::vector<std::string>& shown, std::size_t s, const std::vector<std::string>& real, std::size_t r) {
  if (s == shown.size()) return r == real.size();
  if (shown[s] == "...") {
    for (std::size_t skip = r; skip <= real.size(); ++skip) {
      if (matches(shown, s + 1, real, skip)) return true;
    }
    return false;
  }
  return r < real.size() && shown[s] == real[r] && matches(shown, s + 1, real, r + 1);
}

std::vector<std::string> folder_listing(const std::string& root, const std::string& name) {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir((root + "/" + name).c_str())) {
    while (dirent* entry = ::readdir(dir)) {
      std::string file = entry->d_name;
      if (file != "." && file != "..") names.push_back(name + "/" + file);
    }
    ::closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "  " + line + "\n";
  return text;
}

TEST(ReadmeExamples, PrintedOutputsAreWhatTheProgramsWrite) {
  const std::string source = RAIN_SOURCE_DIR;
  std::vector<Step> steps = read_steps(read_file(source + "/README.md"));
  ASSERT_GE(steps.size(), 4u);
  ScratchDir dir;
  ASSERT_EQ(::symlink((source + "/examples").c_str(), dir.file("examples").c_str()), 0);

  RunResult last;
  int checks = 0;
  for (const Step& step : steps) {
    if (!step.is_check) {
      for (std::size_t i = 0; i < step.commands.lines.size(); ++i) {
        const int line = step.commands.line + static_cast<int>(i);
        std::vector<std::string> words = words_of(step.commands.lines[i]);
        if (words.size() == 2 && words[0] == "mkdir") {
          ASSERT_EQ(::mkdir(dir.file(words[1]).c_str(), 0755), 0) << "README line " << line;
          continue;
        }
        ASSERT_TRUE(starts_with(words[0], "build/bin/")) << "README line " << line << ": not a program";
        last = run_program(words[0].substr(10), {words.begin() + 1, words.end()}, dir.path());
        // A command shown with its console output may fail on purpose.
        const bool console_follows = &step != &steps.back() && (&step + 1)->is_check &&
                                     (&step + 1)->check.kind == "console" && i + 1 == step.commands.lines.size();
        if (!console_follows) {
          EXPECT_EQ(last.exit_code, 0) << "README line " << line << "\n" << last.console;
        }
      }
      continue;
    }
    const Check& check = step.check;
    std::vector<std::string> real;
    if (check.kind == "file") {
      if (!dir.exists(check.name)) {
        ADD_FAILURE() << "README line " << check.shown.line << ": no file " << check.name;
        continue;
      }
      real = lines_of(dir.read(check.name));
    } else if (check.kind == "folder") {
      real = folder_listing(dir.path(), check.name);
    } else {
      real = lines_of(last.console);
    }
    EXPECT_TRUE(matches(check.shown.lines, 0, real, 0))
        << "README line " << check.shown.line << " shows\n"
        << joined(check.shown.lines) << "but the programs wrote\n"
        << joined(real.size() > 40 ? std::vector<std::string>(real.begin(), real.begin() + 40) : real);
    ++checks;
  }
  EXPECT_GE(checks, 4);
}

}  // namespace
}  // namespace rain::testing
