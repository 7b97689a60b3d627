#include "common/console.h"

#include <iostream>
#include <string>

#include "common/platform.h"
#include "common/text.h"

namespace rain {
namespace {

class RealTerminal final : public Terminal {
 public:
  void clear() override {
    std::cout.flush();
    platform::clear_console();
  }
  bool input_is_terminal() override { return platform::stdin_is_terminal(); }
  void wait_key_on_terminal() override {
    std::cout.flush();
    platform::wait_key_on_terminal();
  }
  bool window_closes_with_program() override { return platform::console_window_closes_with_program(); }
};

bool is_blank(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

Terminal& default_terminal() {
  static RealTerminal terminal;
  return terminal;
}

Console::Console(std::istream& in, std::ostream& out, Terminal& terminal) : in_(in), out_(out), terminal_(terminal) {}

Console::Console(std::istream& in, std::ostream& out, std::ostream& err, Terminal& terminal)
    : in_(in), out_(out), err_(&err), terminal_(terminal) {}

void Console::write_line(std::string_view line) { out_ << line << '\n'; }

void Console::write(std::string_view text) { out_ << text; }

void Console::write_note(std::string_view line) {
  if (err_ == nullptr) return;
  out_.flush();
  *err_ << line << '\n';
  err_->flush();
}

void Console::ask(std::initializer_list<std::string_view> lines) {
  for (std::string_view line : lines) write_line(line);
  out_ << '>';
  out_.flush();
}

std::string Console::read_path_answer() {
  std::string line;
  if (!std::getline(in_, line)) return {};
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::string Console::read_text_answer() { return cut_short(read_path_answer()); }

std::string Console::ask_text_then_blank_line(std::initializer_list<std::string_view> lines) {
  return cut_short(ask_path_then_blank_line(lines));
}

std::string Console::ask_path_then_blank_line(std::initializer_list<std::string_view> lines) {
  ask(lines);
  std::string answer = read_path_answer();
  write_line("");
  return answer;
}

std::optional<std::string> Console::read_number_token() {
  int c = in_.peek();
  while (c != std::char_traits<char>::eof() && is_blank(c)) {
    in_.get();
    c = in_.peek();
  }
  if (c == std::char_traits<char>::eof()) return std::nullopt;
  std::string token;
  while (c != std::char_traits<char>::eof() && !is_blank(c)) {
    token.push_back(static_cast<char>(in_.get()));
    c = in_.peek();
  }
  std::string rest_of_line;
  std::getline(in_, rest_of_line);
  return token;
}

void Console::clear() {
  out_.flush();
  terminal_.clear();
}

void Console::wait_key() {
  out_.flush();
  if (terminal_.input_is_terminal()) {
    terminal_.wait_key_on_terminal();
    return;
  }
  in_.get();
}

void Console::end_dialogue() {
  write_line("Processo concluido! Aperte uma tecla para sair...");
  wait_key();
}

void Console::wait_key_before_own_window_closes() {
  if (!terminal_.window_closes_with_program() || !terminal_.input_is_terminal()) return;
  write_note("Aperte uma tecla para sair...");
  terminal_.wait_key_on_terminal();
}

Console& standard_console() {
  static Console console(std::cin, std::cout, std::cerr, default_terminal());
  return console;
}

}  // namespace rain
