// The series a run reads, taken in before the run creates anything.
//
// Rastreia_Picos, Fatia_Chuvadas, Resume_Chuvadas and Desenha_Chuvadas read a
// normalized series, some of them more than once. Taking it in, a run reads
// the file once from start to end:
//   - its first record (the first line from line 2 on that is not blank) must
//     be a series record (common/series_check.h);
//   - given the step the series should have, the run counts the differences
//     between the times of consecutive records and refuses a series whose
//     step is another (StepCensus);
//   - a file that cannot be read twice (a pipe, "<(zcat serie.gz)") is copied
//     line by line to a work file as it is read, and the later passes read the
//     copy; so does a run that wants the copy anyway.
// Lines end at CR LF, LF or, in a file whose lines all do, a lone CR.
//
//   SeriesInput serie(env, path, rules, copy);  // throws Failure on a refusal
//   auto lines = serie.reopen();                // once per later pass
//   serie.finished();                           // the copy goes
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "common/created_file.h"
#include "common/env.h"
#include "common/file_names.h"
#include "common/line_io.h"
#include "common/run_files.h"

namespace rain {

struct SeriesRules {
  // The first record holds a whole number of tips after its depth.
  bool tips = true;
  // The step the run was given, seconds; 0: the step is not checked.
  std::int64_t step_s = 0;
  // At least 90 % of the differences must be the step (the windows of the
  // storm tables count records for time).
  bool one_record_per_step = false;
  // The run's own line for a read error of the series.
  std::string read_failure = "Erro: falha na leitura do arquivo de entrada.";
};

// Where a series that must be read again from a copy is copied, and the run's
// own lines when that fails.
struct SeriesCopy {
  std::string path;
  bool always = false;  // copied even from a plain file
  std::string cannot_create;
  std::string cannot_write;
};

// The copy in the current folder: kSeriesCopy.
SeriesCopy series_copy_in_current_folder();

// Names the copy among the run's files when the run will make it, so that the
// series cannot be the copy itself.
void name_series_copy(RunFiles& files, Env& env, const std::string& path, const SeriesCopy& copy);

class SeriesInput {
 public:
  // Opens `path` ("Erro: nao foi possivel abrir o arquivo de entrada." when it
  // cannot be opened) and takes it in as above. Throws Failure on the first
  // refusal; a copy made by this run is then removed.
  SeriesInput(Env& env, std::string path, const SeriesRules& rules, const SeriesCopy& copy);

  // A work file may be needed: `path` cannot be read twice (or the copy is
  // always made). For the run's check of its names, before anything is read.
  static bool copies(Env& env, const std::string& path, const SeriesCopy& copy);

  // The series for a later pass, from its first line; nullptr when it cannot
  // be opened.
  std::unique_ptr<LineReader> reopen() const;
  // The file the later passes read: the copy, or the series itself.
  const std::string& path() const { return copied_ ? copy_path_ : path_; }
  // Lines of the series, the header included, and its bytes as copied (CR LF
  // line ends; 0 when nothing was copied).
  std::int64_t lines() const { return lines_; }
  std::uint64_t copied_bytes() const { return copied_bytes_; }

  // The run is over: the copy goes.
  void finished();

 private:
  Env& env_;
  std::string path_;
  std::string copy_path_;
  bool copied_ = false;
  std::optional<CreatedFile> copy_;
  std::int64_t lines_ = 0;
  std::uint64_t copied_bytes_ = 0;
};

}  // namespace rain
