#include "tests/support/fault_env.h"

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

}  // namespace

std::unique_ptr<ReadableFile> FaultEnv::open_read(const std::string& path) {
  if (fail_open_read_.count(path)) return nullptr;
  return base_.open_read(path);
}

std::unique_ptr<WritableFile> FaultEnv::limit(const std::string& path, std::unique_ptr<WritableFile> file) {
  if (!file || !write_limit_paths_.count(path)) return file;
  return std::make_unique<LimitedWritable>(std::move(file), write_limit_);
}

std::unique_ptr<WritableFile> FaultEnv::create(const std::string& path) {
  if (fail_create_.count(path)) return nullptr;
  return limit(path, base_.create(path));
}

std::unique_ptr<WritableFile> FaultEnv::open_append(const std::string& path) {
  if (fail_create_.count(path)) return nullptr;
  return limit(path, base_.open_append(path));
}

bool FaultEnv::rename_no_replace(const std::string& from, const std::string& to) {
  if (fail_rename_) return false;
  return base_.rename_no_replace(from, to);
}

bool FaultEnv::rename_replace(const std::string& from, const std::string& to) {
  if (fail_rename_) return false;
  return base_.rename_replace(from, to);
}

}  // namespace rain::testing
