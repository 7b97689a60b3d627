// The files a run writes under names of its own (a fixed work file, the
// temporary name of a staged output), and the removal rule of every program: a
// failed run removes only the plain files that it created itself. A name that
// existed before the run (a file the user keeps, a device such as /dev/full, a
// link) is never removed, whatever happened to it.
//
// Such a name is the run's alone while the run uses it: it is made new, or a
// plain file that a killed run left is taken as it is, and an advisory lock
// keeps every other run off it. A second run that finds the name held, or a
// link or a device under it, stops at once with one line.
//
//   CreatedFile work(env, path);     // takes the name, before the file is written
//   auto out = create_lines(env, path);
//   ... write; a Failure thrown here removes the new file ...
//   work.keep();                     // complete: it stays
//   (or work.finished_with();        // complete and no longer needed)
#pragma once

#include <memory>
#include <string>

#include "common/env.h"

namespace rain {

class CreatedFile {
 public:
  // Takes `path` for this run (Env::take_work_file). Throws Failure (one line,
  // exit code 1) when another run holds the name or something that is not a
  // plain file bears it; a name that cannot be made at all is left for the
  // caller's own creation of the file to report.
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
  void finished_with();
  // Removes the file now when this run made it and it is still a plain file
  // (never a link or a device that took the name meanwhile). True when it was
  // removed.
  bool remove();

 private:
  Env& env_;
  std::string path_;
  std::unique_ptr<WorkFileLock> lock_;
  bool was_free_;
  bool kept_ = false;
};

// Removes the plain file that a killed run left under a work file's name,
// unless another run holds it now (the taking of the name then refuses it).
void remove_left_over(Env& env, const std::string& path);

// The refusal of a work file's name that a link, a device or another entry
// that is not a plain file bears.
std::string not_a_work_file_line(const std::string& path);

}  // namespace rain
