// What the operating system provides. One implementation per platform:
// platform_posix.cc and platform_windows.cc.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "common/env.h"

namespace rain::platform {

std::FILE* open_file(const std::string& path, const char* mode);
// The next read of `file` starts at byte `offset`.
bool seek_file(std::FILE* file, std::uint64_t offset);

// Moves `from` to `to` and fails when `to` exists (a plain POSIX rename would
// replace it).
bool rename_no_replace(const std::string& from, const std::string& to);
// Moves `from` to `to`, replacing a file of that name at once: a reader sees
// either the old file or the new one.
bool rename_replace(const std::string& from, const std::string& to);
bool remove_file(const std::string& path);
bool file_exists(const std::string& path);
bool same_file(const std::string& a, const std::string& b);
// What the name itself is, a link not followed.
EntryKind entry_kind(const std::string& path);
// What the name leads to, links followed.
FileKind file_kind(const std::string& path);
// Env::take_work_file on the machine's file system: flock on POSIX,
// LockFileEx on Windows.
WorkFile take_work_file(const std::string& path);

// Where the folder part of `path` ends: the position just after its last
// separator ("/"; on Windows "\", "/" and the ":" of a drive as well), 0 when
// the path is a bare name in the current folder.
std::size_t folder_part_length(const std::string& path);
// Two entry names within one folder name the same entry: letter case counts
// here, and not on Windows.
bool same_entry_name(const std::string& a, const std::string& b);

bool stdin_is_terminal();
bool stdout_is_terminal();

// Clears the console window; does nothing when standard output is not a
// terminal, so redirected output holds no control codes.
void clear_console();

// Waits for one key press on an interactive console, without echo and without
// waiting for Enter. Only called when standard input is a terminal.
void wait_key_on_terminal();

// The console window was opened for this program alone and closes when it
// ends: on Windows, a program started by a double click is the only process of
// its console, while one started from cmd or a script shares it. Never on
// other systems, where a terminal outlives its programs.
bool console_window_closes_with_program();

// `path` names a device rather than a file wherever it lies (on Windows CON,
// PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9, in any letter case, with or
// without an extension, in any folder): written to, it would lose the output.
bool is_reserved_device_name(const std::string& path);


}  // namespace rain::platform
