#include "common/created_file.h"

#include <utility>

namespace rain {

CreatedFile::CreatedFile(Env& env, std::string path)
    : env_(env), path_(std::move(path)), was_free_(env.entry_kind(path_) == EntryKind::kNone) {}

CreatedFile::~CreatedFile() {
  if (!kept_) remove();
}

bool CreatedFile::remove() {
  kept_ = true;  // once is enough: a later failure finds nothing of ours
  if (!was_free_ || env_.entry_kind(path_) != EntryKind::kRegularFile) return false;
  return env_.remove(path_);
}

std::string temporary_name(const std::string& path) { return path + ".tmp"; }

}  // namespace rain
