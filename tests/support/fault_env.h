// An Env over the real file system that fails chosen operations on purpose, so
// that "what happens when a write fails" is a test.
#pragma once

#include <set>
#include <string>

#include "common/created_file.h"
#include "common/env.h"

namespace rain::testing {

class FaultEnv : public Env {
 public:
  explicit FaultEnv(Env& base) : base_(base) {}

  // A file written whole is first written under its temporary name
  // (common/created_file.h): a fault set on a name covers that name too.

  // Opening `path` for reading fails.
  void fail_open_read(const std::string& path) { fail_open_read_.insert(path); }
  // Creating or appending to `path` fails.
  void fail_create(const std::string& path) {
    fail_create_.insert(path);
    fail_create_.insert(temporary_name(path));
  }
  // Writes to `path` fail once more than `bytes` bytes have been written.
  void fail_writes_after(const std::string& path, std::size_t bytes) {
    write_limit_paths_ = {path, temporary_name(path)};
    write_limit_ = bytes;
  }
  // Every move fails, replacing or not.
  void fail_rename() { fail_rename_ = true; }

  std::unique_ptr<ReadableFile> open_read(const std::string& path) override;
  std::unique_ptr<WritableFile> create(const std::string& path) override;
  std::unique_ptr<WritableFile> open_append(const std::string& path) override;
  bool rename_no_replace(const std::string& from, const std::string& to) override;
  bool rename_replace(const std::string& from, const std::string& to) override;
  bool remove(const std::string& path) override { return base_.remove(path); }
  bool exists(const std::string& path) override { return base_.exists(path); }
  bool same_file(const std::string& a, const std::string& b) override { return base_.same_file(a, b); }
  EntryKind entry_kind(const std::string& path) override { return base_.entry_kind(path); }

 private:
  std::unique_ptr<WritableFile> limit(const std::string& path, std::unique_ptr<WritableFile> file);

  Env& base_;
  std::set<std::string> fail_open_read_;
  std::set<std::string> fail_create_;
  std::set<std::string> write_limit_paths_;
  std::size_t write_limit_ = 0;
  bool fail_rename_ = false;
};

}  // namespace rain::testing
