// An output written under a temporary name beside its final one and moved into
// place only when complete: a failed run leaves no half file, and an earlier
// complete file is replaced only by a complete one.
#pragma once

#include <memory>
#include <string>

#include "common/created_file.h"
#include "common/env.h"
#include "common/file_names.h"
#include "common/line_io.h"

namespace rain {

class StagedFile {
 public:
  // Creates the temporary file pvx_name(path) (common/file_names.h), in the
  // same folder, so the final move never crosses file systems; nullptr when it
  // cannot be created.
  static std::unique_ptr<StagedFile> create(Env& env, const std::string& path);
  // The same under another temporary name beside `path`.
  static std::unique_ptr<StagedFile> create(Env& env, const std::string& path, const std::string& temporary);

  // A file that was not committed takes its temporary file with it (when this
  // run made it: see CreatedFile).
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  LineWriter& lines() { return *writer_; }

  // Closes the temporary file; false when anything written was lost. Closing
  // every output before moving any of them keeps a failed run from moving
  // one in and not the other.
  bool close() { return writer_->close(); }

  // Closes the temporary file and moves it over `path`. False when a write,
  // the close or the move failed: the temporary file is then removed and
  // `path` is as it was.
  bool commit();

 private:
  StagedFile(Env& env, std::string path, std::unique_ptr<CreatedFile> temporary, std::unique_ptr<LineWriter> writer);

  Env& env_;
  std::string path_;
  std::unique_ptr<CreatedFile> temporary_;
  std::unique_ptr<LineWriter> writer_;
};

}  // namespace rain
