#include "common/staged_file.h"

namespace rain {

std::unique_ptr<StagedFile> StagedFile::create(Env& env, const std::string& path) {
  return create(env, path, pvx_name(path));
}

std::unique_ptr<StagedFile> StagedFile::create(Env& env, const std::string& path, const std::string& temporary_path) {
  auto temporary = std::make_unique<CreatedFile>(env, temporary_path);
  auto writer = create_lines(env, temporary->path());
  if (!writer) return nullptr;
  return std::unique_ptr<StagedFile>(new StagedFile(env, path, std::move(temporary), std::move(writer)));
}

StagedFile::StagedFile(Env& env, std::string path, std::unique_ptr<CreatedFile> temporary,
                       std::unique_ptr<LineWriter> writer)
    : env_(env), path_(std::move(path)), temporary_(std::move(temporary)), writer_(std::move(writer)) {}

StagedFile::~StagedFile() {
  // Closed before it is removed, which Windows requires. As in LineWriter's
  // destructor, nothing may leave here.
  try {
    writer_->close();
  } catch (...) {
  }
}

bool StagedFile::commit() {
  if (writer_->close() && env_.rename_replace(temporary_->path(), path_)) {
    temporary_->keep();
    return true;
  }
  temporary_->remove();
  return false;
}

}  // namespace rain
