#include "tests/support/e2e.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace rain::testing {
namespace {

std::string env_or(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::string(value) : fallback;
}

void remove_tree(const std::string& path) {
  if (DIR* dir = ::opendir(path.c_str())) {
    while (dirent* entry = ::readdir(dir)) {
      std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      std::string child = path + "/" + name;
      struct stat st;
      if (::lstat(child.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        remove_tree(child);
      } else {
        ::unlink(child.c_str());
      }
    }
    ::closedir(dir);
  }
  ::rmdir(path.c_str());
}

// The length of the control sequence at `i` (ESC [ ... final, ESC ] ... BEL or
// ESC \, or ESC and one character), 0 when none starts there.
std::size_t control_sequence_length(const std::string& text, std::size_t i) {
  if (text[i] != '\x1b' || i + 1 >= text.size()) return 0;
  std::size_t j = i + 2;
  if (text[i + 1] == '[') {
    while (j < text.size() && !(text[j] >= '@' && text[j] <= '~')) ++j;
    return std::min(j + 1, text.size()) - i;
  }
  if (text[i + 1] == ']') {
    while (j < text.size() && text[j] != '\a' && !(text[j] == '\x1b' && j + 1 < text.size() && text[j + 1] == '\\')) ++j;
    return std::min(j + (j < text.size() && text[j] == '\x1b' ? 2 : 1), text.size()) - i;
  }
  return 2;
}

std::string executable_path(const std::string& program) {
  return env_or("RAIN_BIN_DIR", RAIN_DEFAULT_BIN_DIR) + "/" + program + env_or("RAIN_EXE_SUFFIX", "");
}

}  // namespace

ScratchDir::ScratchDir() {
  std::string base = env_or("TMPDIR", "/tmp");
  std::string pattern = base + "/rain-test-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!::mkdtemp(buffer.data())) throw std::runtime_error("mkdtemp failed");
  path_ = buffer.data();
}

ScratchDir::~ScratchDir() { remove_tree(path_); }

void ScratchDir::write(const std::string& name, const std::string& bytes) const { write_file(file(name), bytes); }

std::string ScratchDir::read(const std::string& name) const { return read_file(file(name)); }

bool ScratchDir::exists(const std::string& name) const {
  struct stat st;
  return ::stat(file(name).c_str(), &st) == 0;
}

std::vector<std::string> ScratchDir::list() const {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(path_.c_str())) {
    while (dirent* entry = ::readdir(dir)) {
      std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

ScopedCurrentDir::ScopedCurrentDir(const std::string& dir) {
  char buffer[4096];
  if (!::getcwd(buffer, sizeof buffer)) throw std::runtime_error("getcwd failed");
  saved_ = buffer;
  if (::chdir(dir.c_str()) != 0) throw std::runtime_error("chdir failed: " + dir);
}

ScopedCurrentDir::~ScopedCurrentDir() { (void)!::chdir(saved_.c_str()); }

RunResult run_program(const std::string& program, const std::vector<std::string>& args, const std::string& cwd,
                      const std::string& stdin_text) {
  std::string executable = executable_path(program);
  std::vector<std::string> argv_text;
  std::string launcher = env_or("RAIN_LAUNCHER", "");
  if (!launcher.empty()) argv_text.push_back(launcher);
  argv_text.push_back(executable);
  argv_text.insert(argv_text.end(), args.begin(), args.end());

  // Standard error goes to an unnamed file rather than a pipe: processes the
  // program leaves behind (Wine's own services, started by the first program
  // run under a new server) inherit it and would hold a pipe open for good.
  char err_name[] = "/tmp/rain-stderr-XXXXXX";
  int err_fd = ::mkstemp(err_name);
  if (err_fd < 0) throw std::runtime_error("mkstemp failed");
  ::unlink(err_name);
  int in_pipe[2], out_pipe[2];
  if (::pipe(in_pipe) != 0 || ::pipe(out_pipe) != 0) throw std::runtime_error("pipe failed");
  pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    ::dup2(in_pipe[0], 0);
    ::dup2(out_pipe[1], 1);
    ::dup2(err_fd, 2);
    for (int fd : {in_pipe[0], in_pipe[1], out_pipe[0], out_pipe[1], err_fd}) ::close(fd);
    if (::chdir(cwd.c_str()) != 0) ::_exit(126);
    std::vector<char*> argv;
    for (auto& a : argv_text) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(in_pipe[0]);
  ::close(out_pipe[1]);
  ::signal(SIGPIPE, SIG_IGN);
  std::thread feeder([fd = in_pipe[1], &stdin_text] {
    std::size_t done = 0;
    while (done < stdin_text.size()) {
      ssize_t n = ::write(fd, stdin_text.data() + done, stdin_text.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    ::close(fd);
  });
  RunResult result;
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(out_pipe[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    result.console.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(out_pipe[0]);
  feeder.join();
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  ::lseek(err_fd, 0, SEEK_SET);
  for (;;) {
    ssize_t n = ::read(err_fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    result.errors.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(err_fd);
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

TerminalSession::TerminalSession(const std::string& program, const std::vector<std::string>& args,
                                 const std::string& cwd, Start start) {
  std::vector<std::string> argv_text;
  std::string launcher = env_or("RAIN_LAUNCHER", "");
  if (!launcher.empty()) argv_text.push_back(launcher);
  if (start == Start::kFromShell && windows_build()) {
    argv_text.insert(argv_text.end(), {"cmd", "/c", wine_path(executable_path(program))});
  } else if (start == Start::kFromShell) {
    argv_text.insert(argv_text.end(), {"/bin/sh", "-c", "\"$0\" \"$@\"", executable_path(program)});
  } else {
    argv_text.push_back(executable_path(program));
  }
  argv_text.insert(argv_text.end(), args.begin(), args.end());
  struct winsize size = {};
  size.ws_row = 25;
  size.ws_col = 80;
  pid_ = ::forkpty(&master_, nullptr, nullptr, &size);
  if (pid_ < 0) throw std::runtime_error("forkpty failed");
  if (pid_ == 0) {
    if (!launcher.empty()) {
      int null_fd = ::open("/dev/null", O_WRONLY);
      if (null_fd >= 0) ::dup2(null_fd, 2);  // the loader's own chatter
    }
    ::setenv("TERM", "xterm", 0);
    if (::chdir(cwd.c_str()) != 0) ::_exit(126);
    std::vector<char*> argv;
    for (auto& a : argv_text) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
}

TerminalSession::~TerminalSession() {
  if (running()) {
    ::kill(pid_, SIGKILL);
    while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  ::close(master_);
}

bool TerminalSession::read_some(std::chrono::milliseconds wait) {
  struct pollfd fd = {master_, POLLIN, 0};
  if (::poll(&fd, 1, static_cast<int>(wait.count())) <= 0) return false;
  char buffer[4096];
  ssize_t n = ::read(master_, buffer, sizeof buffer);
  if (n <= 0) {
    // The program has ended and closed the terminal: nothing more will come.
    std::this_thread::sleep_for(wait);
    return false;
  }
  screen_.append(buffer, static_cast<std::size_t>(n));
  return true;
}

void TerminalSession::settle(std::chrono::milliseconds quiet, std::chrono::milliseconds limit) {
  auto end = std::chrono::steady_clock::now() + limit;
  bool got_any = false;
  while (std::chrono::steady_clock::now() < end) {
    if (read_some(quiet)) {
      got_any = true;
    } else if (got_any) {
      return;
    }
  }
}

bool TerminalSession::wait_for_letters(const std::string& letters, std::chrono::milliseconds limit) {
  auto end = std::chrono::steady_clock::now() + limit;
  while (screen_letters().find(letters) == std::string::npos) {
    if (std::chrono::steady_clock::now() >= end) return false;
    // A program that has ended writes nothing more.
    if (!read_some(std::chrono::milliseconds(100)) && !running()) {
      settle(std::chrono::milliseconds(50), std::chrono::milliseconds(200));
      return screen_letters().find(letters) != std::string::npos;
    }
  }
  return true;
}

void TerminalSession::type(const std::string& keys) {
  if (windows_build()) {
    // Wine's console takes the terminal out of line mode when the program
    // first reads; keys typed before that would reach it as cooked lines.
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    struct termios mode;
    while (::tcgetattr(master_, &mode) == 0 && (mode.c_lflag & ICANON) && std::chrono::steady_clock::now() < end) {
      read_some(std::chrono::milliseconds(50));
    }
  }
  std::size_t done = 0;
  while (done < keys.size()) {
    ssize_t n = ::write(master_, keys.data() + done, keys.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw std::runtime_error("cannot type on the terminal");
    done += static_cast<std::size_t>(n);
  }
}

bool TerminalSession::running() {
  if (exit_code_ >= 0) return false;
  int status = 0;
  pid_t done = ::waitpid(pid_, &status, WNOHANG);
  if (done == 0) return true;
  if (done == pid_) {
    exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  } else {
    exit_code_ = 255;  // lost: count it as ended badly
  }
  return false;
}

int TerminalSession::wait_exit(std::chrono::milliseconds limit) {
  auto end = std::chrono::steady_clock::now() + limit;
  while (running()) {
    if (std::chrono::steady_clock::now() >= end) return -1;
    read_some(std::chrono::milliseconds(50));
  }
  settle(std::chrono::milliseconds(50), std::chrono::milliseconds(200));
  return exit_code_;
}

std::string TerminalSession::screen_letters() const {
  std::string letters;
  for (std::size_t i = 0; i < screen_.size();) {
    if (std::size_t n = control_sequence_length(screen_, i)) {
      i += n;
      continue;
    }
    if (static_cast<unsigned char>(screen_[i]) > ' ') letters += screen_[i];
    ++i;
  }
  return letters;
}

bool TerminalSession::erased_before_text() const {
  for (std::size_t i = 0; i < screen_.size();) {
    if (std::size_t n = control_sequence_length(screen_, i)) {
      char final = screen_[i + n - 1];
      if (screen_[i + 1] == '[' && (final == 'J' || final == 'K')) return true;
      i += n;
      continue;
    }
    if (static_cast<unsigned char>(screen_[i]) > ' ') return false;
    ++i;
  }
  return false;
}

std::string console_text(const std::string& text) {
  if (env_or("RAIN_CONSOLE_CRLF", "0") != "1") return text;
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

bool has_platform_line_ends(const std::string& console) {
  bool crlf = env_or("RAIN_CONSOLE_CRLF", "0") == "1";
  for (std::size_t i = 0; i < console.size(); ++i) {
    bool after_cr = i > 0 && console[i - 1] == '\r';
    if (console[i] == '\n' && after_cr != crlf) return false;
  }
  return true;
}

bool windows_build() { return env_or("RAIN_EXE_SUFFIX", "") == ".exe"; }

std::string wine_path(const std::string& path) {
  std::string out = "Z:";
  for (char c : path) out += c == '/' ? '\\' : c;
  return out;
}

std::string crlf_lines(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) out += line + "\r\n";
  return out;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path);
  out << bytes;
}

}  // namespace rain::testing
