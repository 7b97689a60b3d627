#include "common/console.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/fake_terminal.h"

namespace rain {
namespace {

using testing::FakeTerminal;

struct Dialogue {
  explicit Dialogue(const std::string& input) : in(input), console(in, out, terminal) {}
  std::istringstream in;
  std::ostringstream out;
  FakeTerminal terminal;
  Console console;
};

TEST(Console, AskWritesTheLinesThenTheMarkerWithoutLineEnd) {
  Dialogue d("");
  d.console.ask({"Pergunta um.", "Pergunta dois."});
  EXPECT_EQ(d.out.str(), "Pergunta um.\nPergunta dois.\n>");
}

TEST(Console, TextAnswerIsTheWholeLineCutTo255) {
  Dialogue d("  dados brutos.txt  \r\n" + std::string(300, 'y') + "\nlast");
  EXPECT_EQ(d.console.read_text_answer(), "  dados brutos.txt  ");
  EXPECT_EQ(d.console.read_text_answer(), std::string(255, 'y'));
  EXPECT_EQ(d.console.read_text_answer(), "last");
  EXPECT_EQ(d.console.read_text_answer(), "");
}

TEST(Console, NumberTokenSkipsBlankLinesAndDropsTheRestOfItsLine) {
  Dialogue d("\n   \n  0.2 mm por bascula\nnext\n");
  EXPECT_EQ(d.console.read_number_token(), std::optional<std::string>("0.2"));
  EXPECT_EQ(d.console.read_text_answer(), "next");
}

TEST(Console, NumberTokenAtEndOfInputIsNothing) {
  Dialogue d("\n  \n");
  EXPECT_EQ(d.console.read_number_token(), std::nullopt);
}

TEST(Console, KeyWaitFromAPipeTakesOneByteAndReturnsAtEnd) {
  Dialogue d("xy");
  d.console.wait_key();
  EXPECT_EQ(d.in.get(), 'y');
  Dialogue empty("");
  empty.console.wait_key();  // must not block
  EXPECT_EQ(empty.terminal.key_waits, 0);
}

TEST(Console, ClearGoesToTheTerminal) {
  Dialogue d("");
  d.console.clear();
  EXPECT_EQ(d.terminal.clears, 1);
  EXPECT_EQ(d.out.str(), "");
}

}  // namespace
}  // namespace rain
