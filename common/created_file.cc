#include "common/created_file.h"

#include <utility>

#include "common/failure.h"
#include "common/platform.h"

namespace rain {
namespace {

// "nesta pasta" for a name in the current folder, the folder's name otherwise.
std::string where(const std::string& path) {
  const std::size_t folder = platform::folder_part_length(path);
  if (folder == 0) return path.substr(folder) + " nesta pasta";
  return path.substr(folder) + " na pasta " + path.substr(0, folder);
}

WorkFile taken_for_this_run(Env& env, const std::string& path) {
  WorkFile work = env.take_work_file(path);
  switch (work.taken) {
    case WorkFileTaken::kHeldByAnotherRun:
      throw Failure("Erro: outra execucao usa " + where(path) + ".", 1);
    case WorkFileTaken::kNotAFile:
      throw Failure(not_a_work_file_line(path), 1);
    default:
      return work;
  }
}

}  // namespace

CreatedFile::CreatedFile(Env& env, std::string path) : env_(env), path_(std::move(path)) {
  WorkFile work = taken_for_this_run(env_, path_);
  lock_ = std::move(work.lock);
  was_free_ = work.taken == WorkFileTaken::kCreated;
}

CreatedFile::~CreatedFile() {
  if (!kept_) remove();
}

void CreatedFile::finished_with() {
  kept_ = true;
  env_.remove(path_);
  lock_.reset();
}

bool CreatedFile::remove() {
  kept_ = true;  // once is enough: a later failure finds nothing of ours
  if (!was_free_ || env_.entry_kind(path_) != EntryKind::kRegularFile) return false;
  const bool removed = env_.remove(path_);
  lock_.reset();
  return removed;
}

void remove_left_over(Env& env, const std::string& path) {
  if (env.entry_kind(path) != EntryKind::kRegularFile) return;
  WorkFile work = env.take_work_file(path);
  if (work.taken == WorkFileTaken::kLeftOver || work.taken == WorkFileTaken::kCreated) env.remove(path);
}

std::string not_a_work_file_line(const std::string& path) {
  return "Erro: o arquivo de trabalho " + path +
         " nao e um arquivo comum (e um link ou um dispositivo); apague-o e execute novamente.";
}

}  // namespace rain
