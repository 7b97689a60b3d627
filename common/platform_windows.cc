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

#include <cstdio>
#include <string>

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

}  // namespace

std::FILE* open_file(const std::string& path, const char* mode) {
  return _wfopen(file_path(path).c_str(), widen(mode).c_str());
}

bool rename_no_replace(const std::string& from, const std::string& to) {
  // Without MOVEFILE_REPLACE_EXISTING the move fails when the target exists.
  return MoveFileExW(file_path(from).c_str(), file_path(to).c_str(), 0) != 0;
}

bool rename_replace(const std::string& from, const std::string& to) {
  return MoveFileExW(file_path(from).c_str(), file_path(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool remove_file(const std::string& path) { return DeleteFileW(file_path(path).c_str()) != 0; }

bool file_exists(const std::string& path) {
  return GetFileAttributesW(file_path(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool same_file(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION ia, ib;
  if (!identify(a, ia) || !identify(b, ib)) return false;
  return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
         ia.nFileIndexLow == ib.nFileIndexLow;
}

EntryKind entry_kind(const std::string& path) {
  DWORD attributes = GetFileAttributesW(file_path(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? EntryKind::kNone : EntryKind::kOther;
  }
  const DWORD not_plain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
  return (attributes & not_plain) == 0 ? EntryKind::kRegularFile : EntryKind::kOther;
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
