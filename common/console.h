// The console dialogue: question lines, the ">" marker, and answers read as a
// whole line or as one number token. Standard streams in the programs, string
// streams in tests; the window clear and the key wait go through a Terminal.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace rain {

class Terminal {
 public:
  virtual ~Terminal() = default;
  virtual void clear() = 0;
  virtual bool input_is_terminal() = 0;
  virtual void wait_key_on_terminal() = 0;
  // The console window was opened for this program alone and closes when it
  // ends (a double click on Windows).
  virtual bool window_closes_with_program() { return false; }
};

// The real console.
Terminal& default_terminal();

class Console {
 public:
  // `err` takes the notes; a console without one drops them.
  Console(std::istream& in, std::ostream& out, Terminal& terminal);
  Console(std::istream& in, std::ostream& out, std::ostream& err, Terminal& terminal);

  void write_line(std::string_view line);
  void write(std::string_view text);
  // One line on standard error: what a user needs beyond the specified console
  // text (why a run stopped, a summary of a run). Standard output is untouched.
  void write_note(std::string_view line);
  // The question lines, then ">" without a line end.
  void ask(std::initializer_list<std::string_view> lines);

  // A whole answer line cut to 255 characters; empty at the end of input.
  std::string read_text_answer();
  // A whole answer line as typed, however long: a path, which the run refuses
  // when longer than 255 characters rather than cut it to another name.
  std::string read_path_answer();
  // ask(), the text answer, then an empty line, as the search and the event
  // dialogues lay out their questions.
  std::string ask_text_then_blank_line(std::initializer_list<std::string_view> lines);
  // The same with a path for the answer (read_path_answer).
  std::string ask_path_then_blank_line(std::initializer_list<std::string_view> lines);
  // The first token of the answer (blanks and empty lines before it are passed
  // over; the rest of its line is dropped); nothing at the end of input.
  std::optional<std::string> read_number_token();

  void clear();
  // One key press; from a pipe one byte, returning at once at the end of input.
  void wait_key();
  // The last line of a dialogue that ran to its end, "Processo concluido!
  // Aperte uma tecla para sair...", then one key press.
  void end_dialogue();
  // In a console window that closes with the program, a note asking for a key
  // and one key press, so the last lines can be read; elsewhere nothing.
  void wait_key_before_own_window_closes();

 private:
  std::istream& in_;
  std::ostream& out_;
  std::ostream* err_ = nullptr;
  Terminal& terminal_;
};

// The console of the running program (standard input and output).
Console& standard_console();

}  // namespace rain
