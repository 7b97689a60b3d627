// The Windows side of the platform layer (cross-built with MinGW-w64).
//
// Paths come as the command line gave them, in the ANSI code page, so "\" and
// "/" separators, drive letters and UNC names all work. A path whose full form
// reaches the old limit of 260 characters (a 255-character file name in any
// folder does) is handed to the file functions in its long form "\\?\C:\...".
// The standard streams stay in text mode: a "\n" written to the console or to
// a pipe leaves as CR LF, as Windows console programs write it. Files are
// opened in binary mode by the callers and carry their CR LF themselves.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/device_names.h"
#include "common/platform.h"

namespace rain::platform {
namespace {

// A standard handle is a console when the console accepts a mode query on it;
// pipes, files and the NUL device do not (the C run time's _isatty would call
// NUL a terminal and the key wait would then block on the keyboard).
bool is_console(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != 0;
}

bool is_modifier_key(WORD key) {
  switch (key) {
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_CAPITAL:
    case VK_NUMLOCK:
    case VK_SCROLL:
    case VK_LWIN:
    case VK_RWIN:
      return true;
    default:
      return false;
  }
}

std::wstring widen(const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

// The path for the wide file functions: as given while its full form is short
// (so device names such as NUL keep their meaning), else the full form with the
// prefix that lifts the length limit.
std::wstring file_path(const std::string& path) {
  std::wstring given = widen(path);
  if (given.empty() || given.rfind(L"\\\\?\\", 0) == 0) return given;
  DWORD n = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
  if (n == 0 || n < MAX_PATH) return given;
  std::wstring full(n, L'\0');
  n = GetFullPathNameW(given.c_str(), n, full.data(), nullptr);
  if (n == 0 || n >= full.size()) return given;
  full.resize(n);
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

bool one_file(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

bool identify(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  // No access right asked: this only reads the file's identity, and works on
  // files that another program holds open.
  HANDLE handle = CreateFileW(file_path(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  BOOL ok = GetFileInformationByHandle(handle, &info);
  CloseHandle(handle);
  return ok != 0;
}

// Answers typed at the prompts (file names among them) must reach the file
// functions in the code page that the command line arrives in, the ANSI one;
// the console would deliver them in its OEM code page, where "ç" and "ã" are
// other bytes and a typed "Estação.txt" would name no file. The console's own
// setting comes back when the program ends.
class ConsoleInputInAnsiCodePage {
 public:
  ConsoleInputInAnsiCodePage() {
    if (!is_console(STD_INPUT_HANDLE)) return;
    saved_ = GetConsoleCP();
    if (saved_ != 0 && saved_ != GetACP() && SetConsoleCP(GetACP())) changed_ = true;
  }
  ~ConsoleInputInAnsiCodePage() {
    if (changed_) SetConsoleCP(saved_);
  }
  ConsoleInputInAnsiCodePage(const ConsoleInputInAnsiCodePage&) = delete;
  ConsoleInputInAnsiCodePage& operator=(const ConsoleInputInAnsiCodePage&) = delete;

 private:
  UINT saved_ = 0;
  bool changed_ = false;
};

const ConsoleInputInAnsiCodePage console_input_code_page;

// Locks are mandatory on Windows: the byte locked lies far beyond any data, so
// that the run's own reads and writes through other handles pass.
constexpr DWORD kLockedByteHigh = 0x7FFFFFFF;
constexpr DWORD kLockedByteLow = 0xFFFFFFF0;

// A handle keeps a deleted file's name taken until it is closed, where a
// POSIX system frees the name at once: the run's own locks are kept here by
// the identity of their files, so that deleting one of them lets go of its
// lock first and the name is free for the run's next file.
class LockedFile;
std::vector<LockedFile*>& held_locks() {
  static std::vector<LockedFile*> locks;
  return locks;
}

class LockedFile final : public WorkFileLock {
 public:
  LockedFile(HANDLE handle, const BY_HANDLE_FILE_INFORMATION& info) : handle_(handle), info_(info) {
    held_locks().push_back(this);
  }
  ~LockedFile() override {
    let_go();
    auto& locks = held_locks();
    locks.erase(std::remove(locks.begin(), locks.end(), this), locks.end());
  }
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;

  bool is(const BY_HANDLE_FILE_INFORMATION& other) const { return one_file(other, info_); }
  // The lock goes with the handle.
  void let_go() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
  BY_HANDLE_FILE_INFORMATION info_;
};

constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;

// The handle shares deletion, so that the run may still move and remove the
// file while it holds it; the file's other handles are the run's own.
HANDLE open_work_file(const std::wstring& path, DWORD disposition) {
  return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, disposition, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

}  // namespace

std::FILE* open_file(const std::string& path, const char* mode) {
  return _wfopen(file_path(path).c_str(), widen(mode).c_str());
}

bool seek_file(std::FILE* file, std::uint64_t offset) {
  return _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
}

bool rename_no_replace(const std::string& from, const std::string& to) {
  // Without MOVEFILE_REPLACE_EXISTING the move fails when the target exists.
  return MoveFileExW(file_path(from).c_str(), file_path(to).c_str(), 0) != 0;
}

bool rename_replace(const std::string& from, const std::string& to) {
  return MoveFileExW(file_path(from).c_str(), file_path(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool remove_file(const std::string& path) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!held_locks().empty() && identify(path, info)) {
    for (LockedFile* lock : held_locks()) {
      if (lock->is(info)) lock->let_go();
    }
  }
  return DeleteFileW(file_path(path).c_str()) != 0;
}

bool file_exists(const std::string& path) {
  return GetFileAttributesW(file_path(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool same_file(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION ia, ib;
  return identify(a, ia) && identify(b, ib) && one_file(ia, ib);
}

EntryKind entry_kind(const std::string& path) {
  DWORD attributes = GetFileAttributesW(file_path(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? EntryKind::kNone : EntryKind::kOther;
  }
  return (attributes & kNotPlain) == 0 ? EntryKind::kRegularFile : EntryKind::kOther;
}

FileKind file_kind(const std::string& path) {
  if (names_windows_device(path) || path.rfind("\\\\.\\", 0) == 0) return FileKind::kOther;
  // Through a link to what it names.
  HANDLE handle = CreateFileW(file_path(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileKind::kNone : FileKind::kRegularFile;
  }
  FileKind kind = FileKind::kOther;
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &info)) {
    kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileKind::kFolder : FileKind::kRegularFile;
  }
  CloseHandle(handle);
  return kind;
}

WorkFile take_work_file(const std::string& path) {
  if (names_windows_device(path)) return {WorkFileTaken::kNotAFile, nullptr};
  const std::wstring wide = file_path(path);
  for (int attempt = 0; attempt < 16; ++attempt) {
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotPlain) != 0) {
      return {(attributes & kNotPlain) == FILE_ATTRIBUTE_DIRECTORY ? WorkFileTaken::kFailed : WorkFileTaken::kNotAFile,
              nullptr};
    }
    bool created = true;
    HANDLE handle = open_work_file(wide, CREATE_NEW);
    if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS) {
      created = false;
      handle = open_work_file(wide, OPEN_EXISTING);
      if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND) continue;
    }
    if (handle == INVALID_HANDLE_VALUE) {
      // A file that another run removes while holding it stays until it lets go.
      DWORD error = GetLastError();
      return {error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ? WorkFileTaken::kHeldByAnotherRun
                                                                               : WorkFileTaken::kFailed,
              nullptr};
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info) ||
        (info.dwFileAttributes & kNotPlain) != 0) {
      CloseHandle(handle);
      return {WorkFileTaken::kNotAFile, nullptr};
    }
    auto lock = std::make_unique<LockedFile>(handle, info);
    OVERLAPPED at = {};
    at.Offset = kLockedByteLow;
    at.OffsetHigh = kLockedByteHigh;
    if (!LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
      if (GetLastError() == ERROR_LOCK_VIOLATION || GetLastError() == ERROR_IO_PENDING) {
        return {WorkFileTaken::kHeldByAnotherRun, nullptr};
      }
    }
    BY_HANDLE_FILE_INFORMATION now;
    if (!identify(path, now) || !lock->is(now)) continue;
    return {created ? WorkFileTaken::kCreated : WorkFileTaken::kLeftOver, std::move(lock)};
  }
  return {WorkFileTaken::kHeldByAnotherRun, nullptr};
}

std::size_t folder_part_length(const std::string& path) {
  std::size_t last = path.find_last_of("\\/:");
  return last == std::string::npos ? 0 : last + 1;
}

bool same_entry_name(const std::string& a, const std::string& b) {
  std::wstring wa = widen(a);
  std::wstring wb = widen(b);
  return CompareStringOrdinal(wa.data(), static_cast<int>(wa.size()), wb.data(), static_cast<int>(wb.size()), TRUE) ==
         CSTR_EQUAL;
}

bool stdin_is_terminal() { return is_console(STD_INPUT_HANDLE); }
bool stdout_is_terminal() { return is_console(STD_OUTPUT_HANDLE); }

void clear_console() {
  if (!stdout_is_terminal()) return;
  std::fflush(stdout);
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(out, &info)) return;
  DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
  COORD home = {0, 0};
  DWORD written = 0;
  FillConsoleOutputCharacterA(out, ' ', cells, home, &written);
  FillConsoleOutputAttribute(out, info.wAttributes, cells, home, &written);
  SetConsoleCursorPosition(out, home);
}

void wait_key_on_terminal() {
  std::fflush(stdout);
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  // Raw input events: no echo and no Enter needed. The release of the Enter
  // that ended the last answer and lone modifier keys do not count.
  for (;;) {
    INPUT_RECORD record;
    DWORD got = 0;
    if (!ReadConsoleInputA(in, &record, 1, &got) || got == 0) return;
    if (record.EventType != KEY_EVENT) continue;
    const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
    if (key.bKeyDown && !is_modifier_key(key.wVirtualKeyCode)) return;
  }
}

bool console_window_closes_with_program() {
  // Asked for room for one process: the count comes back all the same.
  DWORD processes[1];
  return GetConsoleProcessList(processes, 1) == 1;
}

bool is_reserved_device_name(const std::string& path) { return names_windows_device(path); }

}  // namespace rain::platform
