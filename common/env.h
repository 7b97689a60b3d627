// Everything the programs ask of the file system goes through an Env, so that a
// test can run a program against a file system that fails on purpose.
#pragma once

#include <cstddef>
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
};

// The machine's own file system.
Env& default_env();

}  // namespace rain
