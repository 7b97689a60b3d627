#include "tests/support/fault_env.h"

#include <algorithm>

namespace rain::testing {
namespace {

class LimitedWritable final : public WritableFile {
 public:
  LimitedWritable(std::unique_ptr<WritableFile> base, std::size_t limit) : base_(std::move(base)), left_(limit) {}
  bool append(std::string_view data) override {
    if (data.size() > left_) {
      base_->append(data.substr(0, left_));
      left_ = 0;
      failed_ = true;
      return false;
    }
    left_ -= data.size();
    return base_->append(data) && !failed_;
  }
  bool close() override { return base_->close() && !failed_; }

 private:
  std::unique_ptr<WritableFile> base_;
  std::size_t left_;
  bool failed_ = false;
};

// Reports a read error once `limit` bytes have been read.
class LimitedReadable final : public ReadableFile {
 public:
  LimitedReadable(std::unique_ptr<ReadableFile> base, std::size_t limit) : base_(std::move(base)), left_(limit) {}
  std::size_t read(char* buffer, std::size_t n) override {
    if (left_ == 0) {
      failed_ = true;
      return 0;
    }
    const std::size_t got = base_->read(buffer, std::min(n, left_));
    left_ -= got;
    return got;
  }
  bool failed() const override { return failed_ || base_->failed(); }
  bool seek(std::uint64_t offset) override { return base_->seek(offset); }

 private:
  std::unique_ptr<ReadableFile> base_;
  std::size_t left_;
  bool failed_ = false;
};

}  // namespace

std::unique_ptr<ReadableFile> FaultEnv::open_read(const std::string& path) {
  if (fail_open_read_.count(path)) return nullptr;
  const auto nth = nth_open_read_failing_.find(path);
  if (++open_reads_[path] == (nth == nth_open_read_failing_.end() ? 0 : nth->second)) return nullptr;
  auto file = base().open_read(path);
  const auto read_limit = read_limits_.find(path);
  if (!file || read_limit == read_limits_.end()) return file;
  return std::make_unique<LimitedReadable>(std::move(file), read_limit->second);
}

std::unique_ptr<WritableFile> FaultEnv::limit(const std::string& path, std::unique_ptr<WritableFile> file) {
  if (!file || !write_limit_paths_.count(path)) return file;
  return std::make_unique<LimitedWritable>(std::move(file), write_limit_);
}

std::unique_ptr<WritableFile> FaultEnv::create(const std::string& path) {
  if (fail_create_.count(path)) return nullptr;
  return limit(path, base().create(path));
}

std::unique_ptr<WritableFile> FaultEnv::open_append(const std::string& path) {
  if (fail_create_.count(path) || fail_append_.count(path)) return nullptr;
  return limit(path, base().open_append(path));
}

bool FaultEnv::rename_no_replace(const std::string& from, const std::string& to) {
  if (fail_rename_) return false;
  return base().rename_no_replace(from, to);
}

bool FaultEnv::rename_replace(const std::string& from, const std::string& to) {
  if (fail_rename_) return false;
  return base().rename_replace(from, to);
}

}  // namespace rain::testing
