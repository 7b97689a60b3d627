// The files of one run, checked before the run touches any of them.
//
// A program names every file it reads and every name it may create, truncate,
// move or delete, then calls check() before it creates anything. check()
// refuses the run, with one "Erro: ..." line and exit code 1, when
//   - a path the user gave is longer than 255 characters (cut, it could name a
//     file in another folder), or
//   - a name the user gave for writing names a device (CON, NUL, ... on
//     Windows), or leads to one, to a pipe or to another file that is not a
//     plain file or a folder, or
//   - a written name is the same file as a file read, or as another written
//     name, or
//   - a name the run makes up itself (a work file) is a link, a device or
//     another entry that is neither a plain file nor a folder.
// "The same file" is decided by identity, not by spelling: "./x", "dir/../x",
// hard and symbolic links to one file all count as one file, and so does a
// different letter case where the file system ignores it (Windows). A name
// that does not exist yet is the same as another when both lie in one folder
// under one entry name.
//
//   RunFiles files;
//   files.reads(entrada, "o arquivo de entrada");
//   files.writes(saida, "o arquivo de saida");
//   files.writes_derived("buffer.pvx", "o arquivo de trabalho buffer.pvx");
//   files.check(env);  // throws Failure on the first clash
#pragma once

#include <string>
#include <vector>

#include "common/env.h"

namespace rain {

class RunFiles {
 public:
  // A file the run reads, as the user named it. `role` names it in a refusal,
  // such as "o arquivo de entrada"; left empty, "o arquivo <path>".
  void reads(std::string path, std::string role = {});
  // A name the user gave that the run may create, truncate, move or delete.
  void writes(std::string path, std::string role = {});
  // A name the run makes up itself (the output's name plus ".pvx", a fixed
  // work file): compared like any written name, never refused for its length.
  void writes_derived(std::string path, std::string role = {});
  // A path the user gave that names no file by itself (the prefix of the
  // event files), or the whole text of a path the run holds cut to 255
  // characters: only its length is checked.
  void given(std::string path, std::string role = {});
  // `line` refuses a clash of these two registered paths (either order)
  // instead of the general "Erro: <role> nao pode ser <role>." line.
  void clash_line(const std::string& a, const std::string& b, std::string line);
  // `line` refuses the written name `path` when it leads to a device or
  // another special file, the general line going to standard error: the line
  // a program has always given when such an output failed.
  void special_file_line(const std::string& path, std::string line);

  // Throws Failure (one "Erro: ..." line, exit code 1) on the first user path
  // longer than 255 characters, then on the first written name that is a file
  // read or an earlier written name. Touches no file.
  void check(Env& env) const;

 private:
  enum class Use { kRead, kWritten, kPrefix };
  struct Name {
    std::string path;
    std::string role;
    Use use;
    bool from_user;
  };
  struct Line {
    std::string a;
    std::string b;
    std::string line;
  };

  void add(std::string path, std::string role, Use use, bool from_user);
  std::string clash(const Name& written, const Name& other) const;
  void refuse_special_output(Env& env, const Name& output) const;
  void refuse_clashes(Env& env) const;

  std::vector<Name> names_;
  std::vector<Line> lines_;
  struct SpecialLine {
    std::string path;
    std::string line;
  };
  std::vector<SpecialLine> special_lines_;
};

// The longest path a user may give.
inline constexpr std::size_t kMaxUserPath = 255;

// `a` and `b` are one file, or would be once created (see above).
bool names_one_file(Env& env, const std::string& a, const std::string& b);

}  // namespace rain
