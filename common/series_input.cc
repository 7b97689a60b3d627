#include "common/series_input.h"

#include <string_view>
#include <vector>

#include "common/failure.h"
#include "common/series_check.h"
#include "common/series_record.h"

namespace rain {
namespace {

bool two_digits_at(std::string_view text, std::size_t at, int limit, int& value) {
  const char a = text[at], b = text[at + 1];
  if (a < '0' || a > '9' || b < '0' || b > '9') return false;
  value = (a - '0') * 10 + (b - '0');
  return value <= limit;
}

// The times of a series' records, one after the other; lines without one are
// left to the run. Most records are written "hh:mm:ss dd/mm/yy ..." and share
// their date with the record before, so their time is read by position.
class RecordTimes {
 public:
  std::optional<Instante> of(std::string_view line) {
    if (std::optional<std::int64_t> seconds = seconds_of_fixed_form(line)) {
      if (day_known_ && line.substr(9, 8) == std::string_view(day_, 8)) return day_start_ + *seconds;
    }
    const RecordFields fields = first_record_fields(line, record_blanks_or_tabs());
    if (fields.count < 2) return std::nullopt;
    const std::optional<Instante> time = instante_da_serie(fields.time, fields.date);
    day_known_ = false;
    if (time && line.size() >= 18 && line[17] == ' ' && fields.date.size() == 8) {
      if (std::optional<std::int64_t> seconds = seconds_of_fixed_form(line)) {
        line.copy(day_, 8, 9);
        day_start_ = *time - *seconds;
        day_known_ = true;
      }
    }
    return time;
  }

 private:
  // The clock time of a record that begins "hh:mm:ss " and has a date of eight
  // characters after it.
  static std::optional<std::int64_t> seconds_of_fixed_form(std::string_view line) {
    if (line.size() < 18 || line[2] != ':' || line[5] != ':' || line[8] != ' ' || line[17] != ' ') return std::nullopt;
    int h, m, s;
    if (!two_digits_at(line, 0, 23, h) || !two_digits_at(line, 3, 59, m) || !two_digits_at(line, 6, 59, s)) {
      return std::nullopt;
    }
    return h * 3600 + m * 60 + s;
  }

  bool day_known_ = false;
  char day_[8] = {};
  Instante day_start_ = 0;
};

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
  // Past a few hundred blank lines the file is taken as it comes.
  constexpr std::size_t kMostHeld = 512;
  std::vector<std::string> held;
  std::string line;
  while (held.size() < kMostHeld && input->read_line(line)) {
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
  RecordTimes times;
  const bool counts_steps = rules.step_s > 0;
  auto take = [&](std::string_view text) {
    if (writer) {
      writer->write_line(text);
      copied_bytes_ += text.size() + 2;
    }
    if (counts_steps) {
      if (std::optional<Instante> time = times.of(text)) census.add(*time);
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
