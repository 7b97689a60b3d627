#include "common/run_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/failure.h"
#include "tests/support/e2e.h"

namespace rain {
namespace {

using testing::ScopedCurrentDir;
using testing::ScratchDir;

// The line check() refuses with; empty when the run may go on.
std::string refusal(const RunFiles& files) {
  try {
    files.check(default_env());
  } catch (const Failure& f) {
    EXPECT_EQ(f.exit_code(), 1);
    return f.line();
  }
  return {};
}

TEST(RunFiles, SpellingsAndLinksOfOneFileClash) {
  ScratchDir dir;
  ScopedCurrentDir here(dir.path());
  dir.write("in.txt", "x");
  ASSERT_EQ(::symlink("in.txt", dir.file("link").c_str()), 0);
  ASSERT_EQ(::link(dir.file("in.txt").c_str(), dir.file("hard").c_str()), 0);
  ASSERT_EQ(::mkdir(dir.file("sub").c_str(), 0755), 0);
  for (const std::string& written :
       std::vector<std::string>{"in.txt", "./in.txt", "sub/../in.txt", "link", "hard", dir.file("in.txt")}) {
    RunFiles files;
    files.reads("in.txt", "o arquivo de entrada");
    files.writes(written, "o arquivo de saida");
    EXPECT_EQ(refusal(files), "Erro: o arquivo de saida nao pode ser o arquivo de entrada.") << written;
  }
}

TEST(RunFiles, NamesNotMadeYetClashInOneFolderOnly) {
  ScratchDir dir;
  ScopedCurrentDir here(dir.path());
  ASSERT_EQ(::mkdir(dir.file("sub").c_str(), 0755), 0);
  auto clash = [](const std::string& a, const std::string& b) {
    RunFiles files;
    files.writes(a);
    files.writes_derived(b, "o arquivo de trabalho " + b);
    return refusal(files);
  };
  EXPECT_EQ(clash("./w.dat", "w.dat"), "Erro: o arquivo de trabalho w.dat nao pode ser o arquivo ./w.dat.");
  EXPECT_NE(clash("sub/../w.dat", "w.dat"), "");
  EXPECT_NE(clash(dir.file("w.dat"), "w.dat"), "");
  EXPECT_NE(clash("nowhere/w.dat", "nowhere/w.dat"), "");
  EXPECT_EQ(clash("sub/w.dat", "w.dat"), "");
  EXPECT_EQ(clash("W.dat", "w.dat"), "");  // letter case counts here
  EXPECT_EQ(clash("w.dat", "w.dat~"), "");
}

TEST(RunFiles, ReadNamesMayCoincide) {
  ScratchDir dir;
  ScopedCurrentDir here(dir.path());
  dir.write("a", "x");
  RunFiles files;
  files.reads("a");
  files.reads("./a");
  files.writes("b");
  EXPECT_EQ(refusal(files), "");
}

TEST(RunFiles, ClashLineTakesThePlaceOfTheGeneralOne) {
  ScratchDir dir;
  ScopedCurrentDir here(dir.path());
  dir.write("a", "x");
  RunFiles files;
  files.reads("a", "o arquivo de entrada");
  files.writes("./a", "o arquivo de saida");
  files.clash_line("./a", "a", "Erro: outra frase.");
  EXPECT_EQ(refusal(files), "Erro: outra frase.");
}

TEST(RunFiles, UserPathsLongerThan255AreRefusedDerivedOnesAreNot) {
  ScratchDir dir;
  ScopedCurrentDir here(dir.path());
  RunFiles ok;
  ok.writes(std::string(255, 'a'));
  ok.writes_derived(std::string(255, 'a') + "~");
  EXPECT_EQ(refusal(ok), "");
  for (int use = 0; use < 3; ++use) {
    RunFiles files;
    const std::string path = "d/" + std::string(254, 'a');
    if (use == 0) files.reads(path, "o arquivo de entrada");
    if (use == 1) files.writes(path, "o arquivo de entrada");
    if (use == 2) files.given(path, "o arquivo de entrada");
    EXPECT_EQ(refusal(files), "Erro: o caminho dado para o arquivo de entrada tem mais de 255 caracteres.");
  }
}

}  // namespace
}  // namespace rain
