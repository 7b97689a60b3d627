#include "tests/support/e2e.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
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

  int in_pipe[2], out_pipe[2];
  if (::pipe(in_pipe) != 0 || ::pipe(out_pipe) != 0) throw std::runtime_error("pipe failed");
  pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    ::dup2(in_pipe[0], 0);
    ::dup2(out_pipe[1], 1);
    int null_fd = ::open("/dev/null", O_WRONLY);
    if (!launcher.empty() && null_fd >= 0) ::dup2(null_fd, 2);  // the loader's own chatter
    ::close(in_pipe[0]);
    ::close(in_pipe[1]);
    ::close(out_pipe[0]);
    ::close(out_pipe[1]);
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
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
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

bool program_built(const std::string& program) {
  return ::access(executable_path(program).c_str(), F_OK) == 0;
}

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
