// An Env over another (the real file system, most often) that fails chosen
// operations on purpose, so that "what happens when a write fails" is a test.
#pragma once

#include <map>
#include <set>
#include <string>

#include "common/created_file.h"
#include "common/file_names.h"
#include "common/env.h"
#include "common/staged_file.h"

namespace rain::testing {

// Passes every call on to `base`; a test Env overrides only what it changes.
class ForwardingEnv : public Env {
 public:
  explicit ForwardingEnv(Env& base) : base_(base) {}

  std::unique_ptr<ReadableFile> open_read(const std::string& path) override { return base_.open_read(path); }
  std::unique_ptr<WritableFile> create(const std::string& path) override { return base_.create(path); }
  std::unique_ptr<WritableFile> open_append(const std::string& path) override { return base_.open_append(path); }
  bool rename_no_replace(const std::string& from, const std::string& to) override {
    return base_.rename_no_replace(from, to);
  }
  bool rename_replace(const std::string& from, const std::string& to) override {
    return base_.rename_replace(from, to);
  }
  bool remove(const std::string& path) override { return base_.remove(path); }
  bool exists(const std::string& path) override { return base_.exists(path); }
  bool same_file(const std::string& a, const std::string& b) override { return base_.same_file(a, b); }
  EntryKind entry_kind(const std::string& path) override { return base_.entry_kind(path); }
  FileKind file_kind(const std::string& path) override { return base_.file_kind(path); }
  WorkFile take_work_file(const std::string& path) override { return base_.take_work_file(path); }

 protected:
  Env& base() { return base_; }

 private:
  Env& base_;
};

class FaultEnv : public ForwardingEnv {
 public:
  explicit FaultEnv(Env& base) : ForwardingEnv(base) {}

  // A file written whole is first written under a temporary name
  // (common/created_file.h, common/staged_file.h): a fault set on a name for
  // writing covers those names too.

  // Every opening of `path` for reading fails.
  void fail_open_read(const std::string& path) { fail_open_read_.insert(path); }
  // Only the `nth` opening of `path` for reading fails (counted from 1).
  void fail_nth_open_read(const std::string& path, int nth) { nth_open_read_failing_[path] = nth; }
  // Reads of `path` report an error once `bytes` bytes have been read.
  void fail_reads_after(const std::string& path, std::size_t bytes) { read_limits_[path] = bytes; }
  // Creating or appending to `path` fails.
  void fail_create(const std::string& path) {
    fail_create_.insert(path);
    fail_create_.insert(tmp_name(path));
    fail_create_.insert(pvx_name(path));
  }
  // Appending to `path` fails while creating it works.
  void fail_append(const std::string& path) { fail_append_.insert(path); }
  // Writes to `path` fail once more than `bytes` bytes have been written.
  void fail_writes_after(const std::string& path, std::size_t bytes) {
    write_limit_paths_ = {path, tmp_name(path), pvx_name(path)};
    write_limit_ = bytes;
  }
  // Every move fails, replacing or not.
  void fail_rename() { fail_rename_ = true; }

  std::unique_ptr<ReadableFile> open_read(const std::string& path) override;
  std::unique_ptr<WritableFile> create(const std::string& path) override;
  std::unique_ptr<WritableFile> open_append(const std::string& path) override;
  bool rename_no_replace(const std::string& from, const std::string& to) override;
  bool rename_replace(const std::string& from, const std::string& to) override;

 private:
  std::unique_ptr<WritableFile> limit(const std::string& path, std::unique_ptr<WritableFile> file);

  std::set<std::string> fail_open_read_;
  std::map<std::string, int> nth_open_read_failing_;
  std::map<std::string, int> open_reads_;
  std::map<std::string, std::size_t> read_limits_;
  std::set<std::string> fail_create_;
  std::set<std::string> fail_append_;
  std::set<std::string> write_limit_paths_;
  std::size_t write_limit_ = 0;
  bool fail_rename_ = false;
};

}  // namespace rain::testing
