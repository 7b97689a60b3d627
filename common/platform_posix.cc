#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "common/platform.h"

namespace rain::platform {

std::FILE* open_file(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

bool rename_no_replace(const std::string& from, const std::string& to) {
#ifdef RENAME_NOREPLACE
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
#endif
  // File systems without an atomic no-replace rename: a hard link fails when the
  // target exists, then the old name is dropped.
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  if (::unlink(from.c_str()) != 0) {
    ::unlink(to.c_str());
    return false;
  }
  return true;
}

bool rename_replace(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool remove_file(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool file_exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

bool same_file(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

EntryKind entry_kind(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT || errno == ENOTDIR ? EntryKind::kNone : EntryKind::kOther;
  return S_ISREG(st.st_mode) ? EntryKind::kRegularFile : EntryKind::kOther;
}

std::size_t folder_part_length(const std::string& path) {
  std::size_t last = path.find_last_of('/');
  return last == std::string::npos ? 0 : last + 1;
}

bool same_entry_name(const std::string& a, const std::string& b) { return a == b; }

bool stdin_is_terminal() { return ::isatty(STDIN_FILENO) != 0; }
bool stdout_is_terminal() { return ::isatty(STDOUT_FILENO) != 0; }

void clear_console() {
  if (!stdout_is_terminal()) return;
  std::fputs("\x1b[2J\x1b[H", stdout);
  std::fflush(stdout);
}

void wait_key_on_terminal() {
  std::fflush(stdout);
  struct termios saved;
  if (::tcgetattr(STDIN_FILENO, &saved) != 0) {
    char c;
    (void)!::read(STDIN_FILENO, &c, 1);
    return;
  }
  struct termios raw = saved;
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  ::tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  char c;
  (void)!::read(STDIN_FILENO, &c, 1);
  ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
}

bool console_window_closes_with_program() { return false; }

// CON or NUL are ordinary file names here.
bool is_reserved_device_name(const std::string&) { return false; }

}  // namespace rain::platform
