// What the operating system provides. One implementation per platform:
// platform_posix.cc and platform_windows.cc.
#pragma once

#include <cstdio>
#include <string>

namespace rain::platform {

std::FILE* open_file(const std::string& path, const char* mode);

// Moves `from` to `to` and fails when `to` exists (a plain POSIX rename would
// replace it).
bool rename_no_replace(const std::string& from, const std::string& to);
// Moves `from` to `to`, replacing a file of that name at once: a reader sees
// either the old file or the new one.
bool rename_replace(const std::string& from, const std::string& to);
bool remove_file(const std::string& path);
bool file_exists(const std::string& path);
bool same_file(const std::string& a, const std::string& b);

bool stdin_is_terminal();
bool stdout_is_terminal();

// Clears the console window; does nothing when standard output is not a
// terminal, so redirected output holds no control codes.
void clear_console();

// Waits for one key press on an interactive console, without echo and without
// waiting for Enter. Only called when standard input is a terminal.
void wait_key_on_terminal();


}  // namespace rain::platform
