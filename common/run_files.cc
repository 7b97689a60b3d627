#include "common/run_files.h"

#include <utility>

#include "common/created_file.h"
#include "common/device_names.h"
#include "common/failure.h"
#include "common/platform.h"

namespace rain {
namespace {

std::string folder_of(const std::string& path) {
  std::size_t n = platform::folder_part_length(path);
  return n == 0 ? std::string(".") : path.substr(0, n);
}

std::string entry_of(const std::string& path) { return path.substr(platform::folder_part_length(path)); }

}  // namespace

bool names_one_file(Env& env, const std::string& a, const std::string& b) {
  if (env.same_file(a, b)) return true;
  // A name not made yet: its folder exists (or is spelled alike) and holds, or
  // will hold, an entry of the same name.
  if (!platform::same_entry_name(entry_of(a), entry_of(b))) return false;
  const std::string folder_a = folder_of(a);
  const std::string folder_b = folder_of(b);
  return folder_a == folder_b || env.same_file(folder_a, folder_b);
}

void RunFiles::add(std::string path, std::string role, Use use, bool from_user) {
  if (role.empty()) role = "o arquivo " + path;
  names_.push_back(Name{std::move(path), std::move(role), use, from_user});
}

void RunFiles::reads(std::string path, std::string role) { add(std::move(path), std::move(role), Use::kRead, true); }

void RunFiles::writes(std::string path, std::string role) {
  add(std::move(path), std::move(role), Use::kWritten, true);
}

void RunFiles::writes_derived(std::string path, std::string role) {
  add(std::move(path), std::move(role), Use::kWritten, false);
}

void RunFiles::given(std::string path, std::string role) {
  if (role.empty()) role = "um arquivo";
  add(std::move(path), std::move(role), Use::kPrefix, true);
}

void RunFiles::clash_line(const std::string& a, const std::string& b, std::string line) {
  lines_.push_back(Line{a, b, std::move(line)});
}

void RunFiles::special_file_line(const std::string& path, std::string line) {
  special_lines_.push_back(SpecialLine{path, std::move(line)});
}

std::string RunFiles::clash(const Name& written, const Name& other) const {
  for (const Line& l : lines_) {
    if ((l.a == written.path && l.b == other.path) || (l.a == other.path && l.b == written.path)) return l.line;
  }
  return "Erro: " + written.role + " nao pode ser " + other.role + ".";
}

void RunFiles::refuse_special_output(Env& env, const Name& output) const {
  if (env.file_kind(output.path) != FileKind::kOther) return;
  const std::string why =
      output.role + " (" + output.path + ") e um dispositivo ou outro arquivo especial, nao um arquivo comum.";
  for (const SpecialLine& l : special_lines_) {
    if (l.path == output.path) throw Failure(l.line, 1).noted(why);
  }
  throw Failure("Erro: " + why, 1);
}

void RunFiles::refuse_clashes(Env& env) const {
  for (std::size_t i = 0; i < names_.size(); ++i) {
    const Name& written = names_[i];
    if (written.use != Use::kWritten) continue;
    for (const Name& read : names_) {
      if (read.use == Use::kRead && names_one_file(env, written.path, read.path)) throw Failure(clash(written, read), 1);
    }
    for (std::size_t j = 0; j < i; ++j) {
      const Name& earlier = names_[j];
      if (earlier.use == Use::kWritten && names_one_file(env, written.path, earlier.path)) {
        throw Failure(clash(written, earlier), 1);
      }
    }
  }
}

void RunFiles::check(Env& env) const {
  for (const Name& n : names_) {
    if (n.from_user && n.path.size() > kMaxUserPath) {
      throw Failure("Erro: o caminho dado para " + n.role.substr(0, 80) + " tem mais de 255 caracteres.", 1);
    }
  }
  // Written to, a device or a pipe would lose the output or hold the run up;
  // a staged output moved over it would put a file in its place.
  for (const Name& n : names_) {
    if (n.use != Use::kWritten || !n.from_user) continue;
    refuse_device_as_output(n.path);
    refuse_special_output(env, n);
  }
  refuse_clashes(env);
  // A link or a device under a name of the run's own would have the run write
  // through it: refused before anything is created (common/created_file.h
  // refuses it again when the file is made).
  for (const Name& n : names_) {
    if (n.use != Use::kWritten || n.from_user) continue;
    if (env.entry_kind(n.path) == EntryKind::kOther && env.file_kind(n.path) != FileKind::kFolder) {
      throw Failure(not_a_work_file_line(n.path), 1);
    }
  }
}

}  // namespace rain
