#include "common/series_input.h"

#include <string_view>
#include <vector>

#include "common/failure.h"
#include "common/series_check.h"
#include "common/series_record.h"

namespace rain {
namespace {

// The time of a record, when it has one; lines without are left to the run.
std::optional<Instante> time_of(std::string_view line) {
  const RecordFields fields = first_record_fields(line, record_blanks_or_tabs());
  if (fields.count < 2) return std::nullopt;
  return instante_da_serie(fields.time, fields.date);
}

}  // namespace

SeriesCopy series_copy_in_current_folder() {
  const std::string name = kSeriesCopy;
  return {name, false, "Erro: nao foi possivel criar o arquivo de trabalho " + name + ".",
          "Erro: nao foi possivel gravar o arquivo de trabalho " + name + "."};
}

void name_series_copy(RunFiles& files, Env& env, const std::string& path, const SeriesCopy& copy) {
  if (SeriesInput::copies(env, path, copy)) files.writes_derived(copy.path, "o arquivo de trabalho " + copy.path);
}

bool SeriesInput::copies(Env& env, const std::string& path, const SeriesCopy& copy) {
  return copy.always || env.file_kind(path) != FileKind::kRegularFile;
}

SeriesInput::SeriesInput(Env& env, std::string path, const SeriesRules& rules, const SeriesCopy& copy)
    : env_(env), path_(std::move(path)), copy_path_(copy.path), copied_(copies(env, path_, copy)) {
  auto input = open_lines(env_, path_, LineEnds::kAlsoLoneCr);
  if (!input) throw Failure("Erro: nao foi possivel abrir o arquivo de entrada.", 1);

  // The header and any blank lines up to the first record are held until the
  // record has been judged: nothing is created for a file that is no series.
  std::vector<std::string> held;
  std::string line;
  while (input->read_line(line)) {
    held.push_back(line);
    if (held.size() > 1 && !is_blank_line(line)) break;
  }
  if (input->failed()) throw Failure(rules.read_failure, 1);
  if (held.size() > 1 && !is_blank_line(held.back())) {
    check_first_record(path_, static_cast<std::int64_t>(held.size()), held.back(), rules.tips);
  }
  lines_ = static_cast<std::int64_t>(held.size());

  std::unique_ptr<LineWriter> writer;
  if (copied_) {
    copy_.emplace(env_, copy_path_);
    writer = create_lines(env_, copy_path_);
    if (!writer) throw Failure(copy.cannot_create, 1);
  }
  StepCensus census;
  const bool counts_steps = rules.step_s > 0;
  auto take = [&](std::string_view text) {
    if (writer) {
      writer->write_line(text);
      copied_bytes_ += text.size() + 2;
    }
    if (counts_steps) {
      if (std::optional<Instante> time = time_of(text)) census.add(*time);
    }
  };
  for (const std::string& h : held) take(h);
  // Nothing more to learn from a plain file that is neither copied nor
  // counted: the run reads it itself.
  if (writer || counts_steps) {
    std::string_view view;
    while (input->read_view(view)) {
      take(view);
      ++lines_;
    }
    if (input->failed()) throw Failure(rules.read_failure, 1);
  }
  if (writer && !writer->close()) throw Failure(copy.cannot_write, 1);
  if (counts_steps) census.check(rules.step_s, rules.one_record_per_step);
}

std::unique_ptr<LineReader> SeriesInput::reopen() const { return open_lines(env_, path(), LineEnds::kAlsoLoneCr); }

void SeriesInput::finished() {
  if (copy_) copy_->finished_with();
}

}  // namespace rain
