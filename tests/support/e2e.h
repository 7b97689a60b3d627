// Support for tests that run the real executables: a scratch directory, file
// helpers and a runner that feeds standard input and captures standard output
// and the exit code.
//
// The executables are taken from RAIN_BIN_DIR (default: the build's bin/),
// with RAIN_EXE_SUFFIX appended (".exe" for the Windows build) and started
// through RAIN_LAUNCHER when it is set (the Wine loader). When
// RAIN_CONSOLE_CRLF=1 the programs' console lines end with CR LF.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace rain::testing {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

  void write(const std::string& name, const std::string& bytes) const;
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;
  // Names of the entries, sorted; "." and ".." left out.
  std::vector<std::string> list() const;

 private:
  std::string path_;
};

// Changes the current directory for the life of the object.
class ScopedCurrentDir {
 public:
  explicit ScopedCurrentDir(const std::string& dir);
  ~ScopedCurrentDir();

 private:
  std::string saved_;
};

struct RunResult {
  int exit_code = -1;
  std::string console;  // standard output, line ends as the program wrote them
  // Standard error: the notes and the summary line (under Wine the loader may
  // add lines of its own, so look for a line rather than compare the whole).
  std::string errors;
};

// Runs `program` (for example "Ajusta_Leituras") in `cwd`.
RunResult run_program(const std::string& program, const std::vector<std::string>& args, const std::string& cwd,
                      const std::string& stdin_text = "");

// A program run with a pseudo terminal as its standard input, output and error:
// what a user at a console sees and types (under Wine, a console window).
class TerminalSession {
 public:
  // kFromShell starts the program through the system's command shell (cmd on
  // Windows), which then shares the console with it.
  enum class Start { kDirect, kFromShell };
  TerminalSession(const std::string& program, const std::vector<std::string>& args, const std::string& cwd,
                  Start start = Start::kDirect);
  ~TerminalSession();  // ends a program that still runs
  TerminalSession(const TerminalSession&) = delete;
  TerminalSession& operator=(const TerminalSession&) = delete;

  // Collects what the program writes until nothing came for `quiet`, or
  // until `limit` has passed.
  void settle(std::chrono::milliseconds quiet, std::chrono::milliseconds limit);
  // Collects output until screen_letters() holds `letters`; false after `limit`.
  bool wait_for_letters(const std::string& letters, std::chrono::milliseconds limit);
  void type(const std::string& keys);
  bool running();
  // The exit code once the program ended within `limit`; -1 while it runs.
  int wait_exit(std::chrono::milliseconds limit);

  // Everything the terminal received, control sequences included.
  const std::string& screen() const { return screen_; }
  // The printed characters but blanks, without control sequences: the text as
  // it stands on the screen, whatever cursor moves drew it.
  std::string screen_letters() const;
  // Part of the screen was erased before the first printed character.
  bool erased_before_text() const;

 private:
  bool read_some(std::chrono::milliseconds wait);

  pid_t pid_ = -1;
  int master_ = -1;
  int exit_code_ = -1;
  std::string screen_;
};

// The console text a program writes for `text` written with "\n" line ends.
std::string console_text(const std::string& text);

// Every line of `console` ends as the platform's console lines do: CR LF on
// Windows, a bare LF elsewhere.
bool has_platform_line_ends(const std::string& console);

// Joins lines, each ended with CR LF, as the programs write files.
std::string crlf_lines(const std::vector<std::string>& lines);

// The executables under test are the Windows build (RAIN_EXE_SUFFIX is ".exe").
bool windows_build();

// `path` (absolute) as a Windows program under Wine names it: the root of the
// Linux file system is drive Z:, and the separators are "\".
std::string wine_path(const std::string& path);

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);

}  // namespace rain::testing
