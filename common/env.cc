#include "common/env.h"

#include <cstdio>

#include "common/platform.h"

namespace rain {
namespace {

// The line reader and writer hand over large blocks of their own, which an
// unbuffered stream passes straight to the system; a stream buffer would only
// copy every byte once more.
class StdioReadable final : public ReadableFile {
 public:
  explicit StdioReadable(std::FILE* f) : f_(f) { std::setvbuf(f_, nullptr, _IONBF, 0); }
  ~StdioReadable() override { std::fclose(f_); }
  std::size_t read(char* buffer, std::size_t n) override {
    std::size_t got = std::fread(buffer, 1, n, f_);
    if (got == 0 && std::ferror(f_)) failed_ = true;
    return got;
  }
  bool failed() const override { return failed_; }
  bool seek(std::uint64_t offset) override { return platform::seek_file(f_, offset); }

 private:
  std::FILE* f_;
  bool failed_ = false;
};

class StdioWritable final : public WritableFile {
 public:
  explicit StdioWritable(std::FILE* f) : f_(f) { std::setvbuf(f_, nullptr, _IONBF, 0); }
  ~StdioWritable() override {
    if (f_) std::fclose(f_);
  }
  bool append(std::string_view data) override {
    if (!f_) return false;
    if (std::fwrite(data.data(), 1, data.size(), f_) != data.size()) ok_ = false;
    return ok_;
  }
  bool close() override {
    if (!f_) return ok_;
    if (std::fclose(f_) != 0) ok_ = false;
    f_ = nullptr;
    return ok_;
  }

 private:
  std::FILE* f_;
  bool ok_ = true;
};

class RealEnv final : public Env {
 public:
  std::unique_ptr<ReadableFile> open_read(const std::string& path) override {
    std::FILE* f = platform::open_file(path, "rb");
    if (!f) return nullptr;
    return std::make_unique<StdioReadable>(f);
  }
  std::unique_ptr<WritableFile> create(const std::string& path) override {
    std::FILE* f = platform::open_file(path, "wb");
    if (!f) return nullptr;
    return std::make_unique<StdioWritable>(f);
  }
  std::unique_ptr<WritableFile> open_append(const std::string& path) override {
    std::FILE* f = platform::open_file(path, "ab");
    if (!f) return nullptr;
    return std::make_unique<StdioWritable>(f);
  }
  bool rename_no_replace(const std::string& from, const std::string& to) override {
    return platform::rename_no_replace(from, to);
  }
  bool rename_replace(const std::string& from, const std::string& to) override {
    return platform::rename_replace(from, to);
  }
  bool remove(const std::string& path) override { return platform::remove_file(path); }
  bool exists(const std::string& path) override { return platform::file_exists(path); }
  bool same_file(const std::string& a, const std::string& b) override { return platform::same_file(a, b); }
  EntryKind entry_kind(const std::string& path) override { return platform::entry_kind(path); }
  FileKind file_kind(const std::string& path) override { return platform::file_kind(path); }
  WorkFile take_work_file(const std::string& path) override { return platform::take_work_file(path); }
};

}  // namespace

Env& default_env() {
  static RealEnv env;
  return env;
}

}  // namespace rain
