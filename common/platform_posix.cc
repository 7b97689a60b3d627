#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "common/platform.h"

namespace rain::platform {
namespace {

class FlockedFile final : public WorkFileLock {
 public:
  explicit FlockedFile(int fd) : fd_(fd) {}
  ~FlockedFile() override { ::close(fd_); }  // the lock goes with the descriptor
  FlockedFile(const FlockedFile&) = delete;
  FlockedFile& operator=(const FlockedFile&) = delete;

 private:
  int fd_;
};

bool same_inode(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

WorkFileTaken kind_of_taken_name(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return WorkFileTaken::kFailed;
  if (S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)) return WorkFileTaken::kFailed;
  return WorkFileTaken::kNotAFile;
}

}  // namespace

std::FILE* open_file(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

bool seek_file(std::FILE* file, std::uint64_t offset) {
  return ::fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}

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
  return same_inode(sa, sb);
}

EntryKind entry_kind(const std::string& path) {
  struct stat st;
  // A name too long for the system cannot bear anything either.
  if (::lstat(path.c_str(), &st) != 0) {
    return errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG ? EntryKind::kNone : EntryKind::kOther;
  }
  return S_ISREG(st.st_mode) ? EntryKind::kRegularFile : EntryKind::kOther;
}

FileKind file_kind(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return FileKind::kNone;
  if (S_ISREG(st.st_mode)) return FileKind::kRegularFile;
  return S_ISDIR(st.st_mode) ? FileKind::kFolder : FileKind::kOther;
}

WorkFile take_work_file(const std::string& path) {
  // A run that ends removes its work file while holding it: a name opened just
  // before that is gone (or another file) once locked, and is taken again.
  for (int attempt = 0; attempt < 16; ++attempt) {
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return {kind_of_taken_name(path), nullptr};
    bool created = true;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) {
      created = false;
      fd = ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
      if (fd < 0 && errno == ENOENT) continue;
    }
    if (fd < 0) return {errno == ELOOP ? WorkFileTaken::kNotAFile : kind_of_taken_name(path), nullptr};
    auto lock = std::make_unique<FlockedFile>(fd);
    if (::fstat(fd, &st) != 0) return {WorkFileTaken::kFailed, nullptr};
    if (!S_ISREG(st.st_mode)) return {WorkFileTaken::kNotAFile, nullptr};
    // A file system without locks still gives the run its file.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
      return {WorkFileTaken::kHeldByAnotherRun, nullptr};
    }
    struct stat now;
    if (::lstat(path.c_str(), &now) != 0 || !same_inode(st, now)) continue;
    return {created ? WorkFileTaken::kCreated : WorkFileTaken::kLeftOver, std::move(lock)};
  }
  return {WorkFileTaken::kHeldByAnotherRun, nullptr};
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
