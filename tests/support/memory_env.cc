#include "tests/support/memory_env.h"

#include <algorithm>
#include <cstring>
#include <exception>

namespace rain::testing {
namespace {

// What a Linux file system takes: a name part of 255 bytes, a path of 4095.
constexpr std::size_t kNameMax = 255;
constexpr std::size_t kPathMax = 4096;

const char* const kCurrentFolder = "";
const char* const kRootFolder = "/";

std::string key_of(bool absolute, const std::vector<std::string>& parts) {
  std::string key = absolute ? kRootFolder : kCurrentFolder;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) key += '/';
    key += parts[i];
  }
  return key;
}

using Kind = MemoryEnv::Node::Kind;

class MemoryReadable final : public ReadableFile {
 public:
  explicit MemoryReadable(std::shared_ptr<MemoryEnv::Node> node) : node_(std::move(node)) {}
  std::size_t read(char* buffer, std::size_t n) override {
    switch (node_->kind) {
      case Kind::kFolder:
        // A folder opens, as fopen opens one on Linux, and fails at the first read.
        failed_ = true;
        return 0;
      case Kind::kDevice:
      case Kind::kFullDevice:
        return 0;
      case Kind::kPipe:
        return take(buffer, n, node_->taken);
      case Kind::kFile:
        break;
    }
    return take(buffer, n, at_);
  }
  bool failed() const override { return failed_; }
  bool seek(std::uint64_t offset) override {
    if (node_->kind == Kind::kPipe) return false;
    at_ = static_cast<std::size_t>(offset);
    return true;
  }

 private:
  std::size_t take(char* buffer, std::size_t n, std::size_t& at) {
    const std::string& bytes = node_->bytes;
    if (at >= bytes.size()) return 0;
    n = std::min(n, bytes.size() - at);
    std::memcpy(buffer, bytes.data() + at, n);
    at += n;
    return n;
  }

  std::shared_ptr<MemoryEnv::Node> node_;
  std::size_t at_ = 0;
  bool failed_ = false;
};

class MemoryWritable final : public WritableFile {
 public:
  MemoryWritable(std::shared_ptr<MemoryEnv::Node> node, std::string path, std::size_t cap)
      : node_(std::move(node)), path_(std::move(path)), cap_(cap) {}
  bool append(std::string_view data) override {
    if (closed_ || node_->kind == Kind::kFullDevice) return false;
    // Lost as /dev/null loses it, or as a pipe nobody reads would.
    if (node_->kind != Kind::kFile) return true;
    std::string& bytes = node_->bytes;
    if (data.size() > cap_ || bytes.size() > cap_ - data.size()) {
      // Throwing while another exception unwinds would end the process.
      if (std::uncaught_exceptions() > 0) return false;
      throw FileCapReached{path_};
    }
    bytes.append(data);
    return true;
  }
  bool close() override {
    closed_ = true;
    return true;
  }

 private:
  std::shared_ptr<MemoryEnv::Node> node_;
  std::string path_;
  std::size_t cap_;
  bool closed_ = false;
};

}  // namespace

std::optional<MemoryEnv::Place> MemoryEnv::place_of(const std::string& given) const {
  // The system sees a path up to its first NUL, as the C library hands it on.
  const std::string path = given.substr(0, given.find('\0'));
  if (path.empty() || path.size() >= kPathMax) return std::nullopt;
  const bool absolute = path.front() == '/';
  std::vector<std::string> parts;
  std::size_t at = 0;
  while (at < path.size()) {
    const std::size_t end = std::min(path.find('/', at), path.size());
    const std::string part = path.substr(at, end - at);
    at = end + 1;
    if (part.empty()) continue;
    if (part.size() > kNameMax) return std::nullopt;
    // Every name on the way, "." and ".." included, goes through a folder.
    const auto folder = entries_.find(key_of(absolute, parts));
    const bool through_folder = folder != entries_.end() ? folder->second->kind == Kind::kFolder : parts.empty();
    if (!through_folder) return std::nullopt;
    if (part == ".") continue;
    if (part == "..") {
      // Above the current folder lies nothing this file system holds.
      if (parts.empty() && !absolute) return std::nullopt;
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  const std::string last = path.substr(path.find_last_of('/') + 1);
  return Place{key_of(absolute, parts), parts.empty() || path.back() == '/' || last == "." || last == ".."};
}

std::shared_ptr<MemoryEnv::Node> MemoryEnv::node_at(const std::string& path) const {
  const auto place = place_of(path);
  if (!place) return nullptr;
  if (place->key == kCurrentFolder || place->key == kRootFolder) {
    static const auto root = std::make_shared<Node>(Node{Kind::kFolder, {}, 0, false});
    return root;
  }
  const auto entry = entries_.find(place->key);
  if (entry == entries_.end()) return nullptr;
  if (place->folder_asked && entry->second->kind != Kind::kFolder) return nullptr;
  return entry->second;
}

bool MemoryEnv::add(const std::string& path, Node node) {
  const auto place = place_of(path);
  if (!place || (place->folder_asked && node.kind != Kind::kFolder) || node_at(path)) return false;
  entries_[place->key] = std::make_shared<Node>(std::move(node));
  return true;
}

bool MemoryEnv::add_folder(const std::string& path) { return add(path, Node{Kind::kFolder, {}, 0, false}); }

bool MemoryEnv::add_device(const std::string& path, bool full) {
  return add(path, Node{full ? Kind::kFullDevice : Kind::kDevice, {}, 0, false});
}

bool MemoryEnv::add_pipe(const std::string& path, const std::string& bytes) {
  return add(path, Node{Kind::kPipe, bytes, 0, false});
}

bool MemoryEnv::write_file(const std::string& path, const std::string& bytes) {
  const auto node = node_at(path);
  if (!node) return add(path, Node{Kind::kFile, bytes, 0, false});
  if (node->kind != Kind::kFile) return false;
  node->bytes = bytes;
  return true;
}

bool MemoryEnv::add_link(const std::string& existing, const std::string& name) {
  const auto file = node_at(existing);
  const auto place = place_of(name);
  if (!file || file->kind != Kind::kFile || !place || place->folder_asked || node_at(name)) return false;
  entries_[place->key] = file;
  return true;
}

namespace {

// Lets go of a work file when the run that took it ends.
class MemoryLock final : public WorkFileLock {
 public:
  explicit MemoryLock(std::shared_ptr<MemoryEnv::Node> node) : node_(std::move(node)) { node_->held = true; }
  ~MemoryLock() override { node_->held = false; }

 private:
  std::shared_ptr<MemoryEnv::Node> node_;
};

}  // namespace

WorkFile MemoryEnv::take_work_file(const std::string& path) {
  auto node = node_at(path);
  if (node && node->kind != Kind::kFile) {
    return {node->kind == Kind::kFolder ? WorkFileTaken::kFailed : WorkFileTaken::kNotAFile, nullptr};
  }
  const auto place = place_of(path);
  if (!place || place->folder_asked) return {WorkFileTaken::kFailed, nullptr};
  const bool created = !node;
  if (created) node = entries_[place->key] = std::make_shared<Node>();
  if (node->held) return {WorkFileTaken::kHeldByAnotherRun, nullptr};
  return {created ? WorkFileTaken::kCreated : WorkFileTaken::kLeftOver, std::make_unique<MemoryLock>(node)};
}

bool MemoryEnv::hold_for_another_run(const std::string& path) {
  WorkFile taken = take_work_file(path);
  if (!taken.lock) return false;
  held_by_other_runs_.push_back(std::move(taken.lock));
  return true;
}

std::optional<std::string> MemoryEnv::read_file(const std::string& path) const {
  const auto node = node_at(path);
  if (!node || node->kind != Kind::kFile) return std::nullopt;
  return node->bytes;
}

std::vector<std::string> MemoryEnv::list() const {
  std::vector<std::string> names;
  for (const auto& [key, node] : entries_) names.push_back(node->kind == Kind::kFolder ? key + "/" : key);
  return names;
}

std::unique_ptr<ReadableFile> MemoryEnv::open_read(const std::string& path) {
  const auto node = node_at(path);
  if (!node) return nullptr;
  return std::make_unique<MemoryReadable>(node);
}

std::unique_ptr<WritableFile> MemoryEnv::open_write(const std::string& path, bool empty_it) {
  const auto place = place_of(path);
  if (!place || place->folder_asked) return nullptr;
  auto node = node_at(path);
  if (!node) node = entries_[place->key] = std::make_shared<Node>();
  if (node->kind == Kind::kFolder) return nullptr;
  if (empty_it && node->kind == Kind::kFile) node->bytes.clear();
  return std::make_unique<MemoryWritable>(node, path, file_cap_);
}

std::unique_ptr<WritableFile> MemoryEnv::create(const std::string& path) { return open_write(path, true); }

std::unique_ptr<WritableFile> MemoryEnv::open_append(const std::string& path) { return open_write(path, false); }

bool MemoryEnv::rename(const std::string& from, const std::string& to, bool replace) {
  const auto moved = node_at(from);
  const auto place = place_of(to);
  // Only plain files move here: no program moves anything else on purpose.
  if (!moved || moved->kind != Kind::kFile || !place || place->folder_asked) return false;
  const auto there = node_at(to);
  if (there && (!replace || there->kind == Kind::kFolder)) return false;
  // Two names of one file: the move does nothing and succeeds.
  if (there == moved) return true;
  entries_.erase(place_of(from)->key);
  entries_[place->key] = moved;
  return true;
}

bool MemoryEnv::rename_no_replace(const std::string& from, const std::string& to) { return rename(from, to, false); }

bool MemoryEnv::rename_replace(const std::string& from, const std::string& to) { return rename(from, to, true); }

bool MemoryEnv::remove(const std::string& path) {
  const auto node = node_at(path);
  if (!node || node->kind == Kind::kFolder) return false;
  entries_.erase(place_of(path)->key);
  return true;
}

bool MemoryEnv::exists(const std::string& path) { return node_at(path) != nullptr; }

bool MemoryEnv::same_file(const std::string& a, const std::string& b) {
  const auto node = node_at(a);
  return node && node == node_at(b);
}

EntryKind MemoryEnv::entry_kind(const std::string& path) {
  const auto node = node_at(path);
  if (!node) return EntryKind::kNone;
  return node->kind == Kind::kFile ? EntryKind::kRegularFile : EntryKind::kOther;
}

FileKind MemoryEnv::file_kind(const std::string& path) {
  const auto node = node_at(path);
  if (!node) return FileKind::kNone;
  switch (node->kind) {
    case Kind::kFile:
      return FileKind::kRegularFile;
    case Kind::kFolder:
      return FileKind::kFolder;
    default:
      return FileKind::kOther;
  }
}

}  // namespace rain::testing
