// Everything the programs ask of the file system goes through an Env, so that a
// test can run a program against a file system that fails on purpose.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace rain {

class ReadableFile {
 public:
  virtual ~ReadableFile() = default;
  // Up to `n` bytes into `buffer`; 0 at the end of the file or on a read error.
  virtual std::size_t read(char* buffer, std::size_t n) = 0;
  virtual bool failed() const = 0;
  // The next read starts at byte `offset`; false where that cannot be done (a
  // pipe, or an Env without it).
  virtual bool seek(std::uint64_t offset) {
    (void)offset;
    return false;
  }
};

class WritableFile {
 public:
  virtual ~WritableFile() = default;
  virtual bool append(std::string_view data) = 0;
  // Flushes and closes; false when anything written was lost.
  virtual bool close() = 0;
};

// What a name itself is, a link not followed.
enum class EntryKind {
  kNone,         // nothing bears the name
  kRegularFile,  // a plain file
  kOther,        // a link (even one to nowhere), a folder, a device, ...
};

// What a name leads to, links followed.
enum class FileKind {
  kNone,         // nothing, or a link to nowhere
  kRegularFile,
  kFolder,
  kOther,  // a device, a pipe, a socket: written to, it loses or holds up the output
};

// Held while a run uses a work file: the advisory lock that keeps every other
// run off it, released when destroyed.
class WorkFileLock {
 public:
  virtual ~WorkFileLock() = default;
};

// How taking a work file went (Env::take_work_file).
enum class WorkFileTaken {
  kCreated,           // no entry bore the name: an empty file of this run's now does
  kLeftOver,          // a plain file no run holds (one a killed run left): this run's now
  kHeldByAnotherRun,  // another run holds it
  kNotAFile,          // a link, a device or another entry that is not a plain file
  kFailed,            // it could not be made (no such folder, a folder of that name, ...)
};

struct WorkFile {
  WorkFileTaken taken = WorkFileTaken::kFailed;
  std::unique_ptr<WorkFileLock> lock;  // set when taken (kCreated, kLeftOver)
};

class Env {
 public:
  virtual ~Env() = default;
  // nullptr when the file cannot be opened.
  virtual std::unique_ptr<ReadableFile> open_read(const std::string& path) = 0;
  // Creates the file, emptying one of that name; nullptr on failure.
  virtual std::unique_ptr<WritableFile> create(const std::string& path) = 0;
  // Opens the file for writing at its end; nullptr on failure.
  virtual std::unique_ptr<WritableFile> open_append(const std::string& path) = 0;
  // Moves `from` to `to`; never replaces an existing `to`.
  virtual bool rename_no_replace(const std::string& from, const std::string& to) = 0;
  // Moves `from` to `to`, replacing an existing `to` in one step.
  virtual bool rename_replace(const std::string& from, const std::string& to) = 0;
  virtual bool remove(const std::string& path) = 0;
  virtual bool exists(const std::string& path) = 0;
  // Both paths name one existing file (through links, "." or ".." as well).
  virtual bool same_file(const std::string& a, const std::string& b) = 0;
  // What `path` itself is. An Env that cannot tell calls every existing name
  // kOther, which keeps it from ever being removed as a file of the run.
  virtual EntryKind entry_kind(const std::string& path) { return exists(path) ? EntryKind::kOther : EntryKind::kNone; }
  // What `path` leads to. An Env that cannot tell calls every existing name a
  // plain file.
  virtual FileKind file_kind(const std::string& path) {
    return exists(path) ? FileKind::kRegularFile : FileKind::kNone;
  }
  // Takes `path` as a work file of this run alone: made new when no entry bears
  // the name, taken as it is when a plain file that no run holds does, and held
  // with an advisory lock until the lock is destroyed. Never made or taken
  // through a link.
  virtual WorkFile take_work_file(const std::string& path) = 0;
};

// The machine's own file system.
Env& default_env();

}  // namespace rain
