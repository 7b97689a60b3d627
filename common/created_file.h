// The removal rule of every program: a failed run removes only the plain files
// that it created itself. A name that existed before the run (a file the user
// keeps, a device such as /dev/full, a link) is never removed, whatever
// happened to it.
//
//   CreatedFile report(env, path);   // before the file is created
//   auto out = create_lines(env, path);
//   ... write; a Failure thrown here removes the new file ...
//   report.keep();                   // complete: it stays
//   (or work.finished_with();        // complete and no longer needed)
#pragma once

#include <string>

#include "common/env.h"

namespace rain {

class CreatedFile {
 public:
  // Notes whether `path` is free; to be made just before the file is created.
  CreatedFile(Env& env, std::string path);
  // Removes the file unless keep() was called (see remove()).
  ~CreatedFile();
  CreatedFile(const CreatedFile&) = delete;
  CreatedFile& operator=(const CreatedFile&) = delete;

  const std::string& path() const { return path_; }
  // The name was free before: whatever bears it now, this run made.
  bool made_by_this_run() const { return was_free_; }

  // The file is complete and stays.
  void keep() { kept_ = true; }
  // A work file whose step completed has served: it goes, whoever made the
  // name, since the run wrote over whatever bore it.
  void finished_with() {
    kept_ = true;
    env_.remove(path_);
  }
  // Removes the file now when this run made it and it is still a plain file
  // (never a link or a device that took the name meanwhile). True when it was
  // removed.
  bool remove();

 private:
  Env& env_;
  std::string path_;
  bool was_free_;
  bool kept_ = false;
};

// The temporary name of a file that a later run may take up as it finds it (a
// cache): it is staged there (common/staged_file.h) and moved into place only
// when complete, so that a run killed half-way leaves a cut file only under
// the temporary name.
std::string temporary_name(const std::string& path);

}  // namespace rain
