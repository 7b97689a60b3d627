// What a folder holds, to check that a run left it as it was.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <string>

#include "tests/support/e2e.h"

namespace rain::testing {

// Every entry of a folder: the bytes of a file, where a link points, or the
// kind of anything else. Devices and pipes are never read.
inline std::map<std::string, std::string> snapshot(const ScratchDir& dir) {
  std::map<std::string, std::string> entries;
  for (const std::string& name : dir.list()) {
    struct stat st;
    if (::lstat(dir.file(name).c_str(), &st) != 0) continue;
    if (S_ISREG(st.st_mode)) {
      entries[name] = dir.read(name);
    } else if (S_ISLNK(st.st_mode)) {
      char target[4096];
      ssize_t n = ::readlink(dir.file(name).c_str(), target, sizeof target);
      entries[name] = "link to " + std::string(target, n > 0 ? static_cast<std::size_t>(n) : 0);
    } else {
      entries[name] = S_ISCHR(st.st_mode) ? "device" : S_ISDIR(st.st_mode) ? "folder" : "other";
    }
  }
  return entries;
}

}  // namespace rain::testing
