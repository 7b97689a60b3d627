// A file system held in memory, for running a program in-process thousands of
// times a second (the fuzz targets): files and folders named from the current
// folder, moves with and without replacing, removal and the comparisons a
// program asks of an Env, with the semantics of a POSIX file system (an open
// file outlives its name; creating a file that exists empties that file).
//
// Each file may be capped in size, so that the work of one run stays bounded
// whatever its input: a write that would take a file past the cap throws
// FileCapReached, which no program catches, and the run stops there. While an
// exception is already on its way out (a destructor flushing a file) such a
// write fails quietly instead.
#pragma once

#include <cstddef>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/env.h"

namespace rain::testing {

// The stop of a run that wrote as much as the cap allows. Neither a Failure
// nor a std::exception, so it passes every handler of the programs.
struct FileCapReached {
  std::string path;
};

class MemoryEnv : public Env {
 public:
  explicit MemoryEnv(std::size_t file_cap = std::numeric_limits<std::size_t>::max()) : file_cap_(file_cap) {}

  // Setting up and looking on. False when the folder that should hold the
  // name does not exist or the name is taken by another kind of entry.
  bool add_folder(const std::string& path);
  bool write_file(const std::string& path, const std::string& bytes);
  // A second name for the file `existing` (a hard link).
  bool add_link(const std::string& existing, const std::string& name);
  // A device that takes every write and reads empty (as /dev/null), or, when
  // `full`, fails every write (as /dev/full).
  bool add_device(const std::string& path, bool full);
  // A pipe that holds `bytes`: read once, whoever opens it, and never sought
  // (as the /dev/fd/63 of `<(zcat ...)`); what is written to it is lost.
  bool add_pipe(const std::string& path, const std::string& bytes);
  // Another run holds the work file `path` (made when missing) until this
  // Env ends.
  bool hold_for_another_run(const std::string& path);
  // The bytes of the file `path`; nothing when no file bears that name.
  std::optional<std::string> read_file(const std::string& path) const;
  // Every entry as it is named from the current folder ("eventos",
  // "eventos/evento_Parte1...txt"), sorted; folders end with "/".
  std::vector<std::string> list() const;

  std::unique_ptr<ReadableFile> open_read(const std::string& path) override;
  std::unique_ptr<WritableFile> create(const std::string& path) override;
  std::unique_ptr<WritableFile> open_append(const std::string& path) override;
  bool rename_no_replace(const std::string& from, const std::string& to) override;
  bool rename_replace(const std::string& from, const std::string& to) override;
  bool remove(const std::string& path) override;
  bool exists(const std::string& path) override;
  bool same_file(const std::string& a, const std::string& b) override;
  EntryKind entry_kind(const std::string& path) override;
  FileKind file_kind(const std::string& path) override;
  // As flock holds an open file: one run at a time, whatever its name.
  WorkFile take_work_file(const std::string& path) override;

  struct Node {
    enum class Kind { kFile, kFolder, kDevice, kFullDevice, kPipe };
    Kind kind = Kind::kFile;
    std::string bytes;
    std::size_t taken = 0;  // kPipe: the bytes its readers took
    bool held = false;      // a run holds it as its work file
  };

 private:
  // Where `path` leads: the key of its entry, or nothing when a folder on the
  // way is missing or a part is longer than a file system takes. A trailing
  // "/" asks for a folder.
  struct Place {
    std::string key;
    bool folder_asked = false;
  };
  std::optional<Place> place_of(const std::string& path) const;
  std::shared_ptr<Node> node_at(const std::string& path) const;
  bool add(const std::string& path, Node node);
  std::unique_ptr<WritableFile> open_write(const std::string& path, bool empty_it);
  bool rename(const std::string& from, const std::string& to, bool replace);

  std::map<std::string, std::shared_ptr<Node>> entries_;
  std::size_t file_cap_;
  std::vector<std::unique_ptr<WorkFileLock>> held_by_other_runs_;
};

}  // namespace rain::testing
