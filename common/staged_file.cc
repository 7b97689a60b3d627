#include "common/staged_file.h"

namespace rain {

std::unique_ptr<StagedFile> StagedFile::create(Env& env, const std::string& path) {
  auto writer = create_lines(env, temporary_name(path));
  if (!writer) return nullptr;
  return std::unique_ptr<StagedFile>(new StagedFile(env, path, std::move(writer)));
}

StagedFile::StagedFile(Env& env, std::string path, std::unique_ptr<LineWriter> writer)
    : env_(env), path_(std::move(path)), writer_(std::move(writer)) {}

StagedFile::~StagedFile() {
  if (done_) return;
  writer_->close();
  env_.remove(temporary_name(path_));
}

bool StagedFile::commit() {
  done_ = true;
  const std::string temporary = temporary_name(path_);
  if (writer_->close() && env_.rename_replace(temporary, path_)) return true;
  env_.remove(temporary);
  return false;
}

}  // namespace rain
