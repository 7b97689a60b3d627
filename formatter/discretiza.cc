#include "formatter/discretiza.h"

#include <memory>
#include <optional>
#include <string_view>

#include "common/created_file.h"
#include "common/dates.h"
#include "common/failure.h"
#include "common/line_io.h"
#include "common/numbers.h"
#include "common/text.h"
#include "common/series_record.h"
#include "formatter/work_files.h"

namespace rain::formatter {
namespace {

struct SeriesBounds {
  std::string first_date;
  std::string first_time;
  std::string last_date;
  std::string last_time;
};

// The records of a series file: line 1 is the header, blank lines are skipped
// and every line is held cut to 255 characters.
class SeriesReader {
 public:
  explicit SeriesReader(std::unique_ptr<LineReader> lines) : lines_(std::move(lines)) {}

  std::string header() { return cut_short(lines_->read_line()); }
  bool next_record(std::string& line) {
    while (lines_->read_line(line)) {
      if (is_blank_line(line)) continue;
      cut_record(line);
      return true;
    }
    if (lines_->failed()) throw Failure("Erro: Nao foi possivel ler o arquivo de entrada.", 1);
    return false;
  }

 private:
  std::unique_ptr<LineReader> lines_;
};

SeriesReader open_series(Env& env, const std::string& entrada) {
  auto lines = open_lines(env, entrada);
  if (!lines) throw Failure("Erro: Nao foi possivel abrir o arquivo de entrada.", 1);
  return SeriesReader(std::move(lines));
}

SeriesBounds scan_bounds(Env& env, const std::string& entrada) {
  SeriesReader series = open_series(env, entrada);
  series.header();
  std::string line;
  if (!series.next_record(line)) throw Failure("Erro: O arquivo de entrada nao tem registros.", 1);
  SeriesBounds bounds;
  bounds.first_date = OBTEMDATA(line);
  bounds.first_time = OBTEMHORA(line);
  std::string last = line;
  while (series.next_record(line)) last.swap(line);
  bounds.last_date = OBTEMDATA(last);
  bounds.last_time = OBTEMHORA(last);
  return bounds;
}

std::optional<std::string> first_line_of(Env& env, const char* name) {
  auto lines = open_lines(env, name);
  if (!lines) return std::nullopt;
  return cut_short(lines->read_line());
}

// A day list is kept when its range, by date key, covers the series.
bool day_list_covers(const std::string& key_line, const SeriesBounds& bounds) {
  const auto& seps = formatter_date_separators();
  std::string inicio = std::string(record_field(key_line, 1));
  std::string fim = std::string(record_field(key_line, 2));
  return MAIORDATA(bounds.first_date, inicio, seps) == bounds.first_date &&
         MENORDATA(bounds.last_date, fim, seps) == bounds.last_date;
}

// True when the list was built now, false when an earlier one was kept.
bool prepare_day_list(Env& env, const SeriesBounds& bounds) {
  auto key_line = first_line_of(env, kDayListFile);
  // Its first line names the range; every other line must be what that
  // range gives, or the list is built anew.
  if (key_line && day_list_covers(*key_line, bounds) &&
      day_list_is_whole(env, std::string(record_field(*key_line, 1)), std::string(record_field(*key_line, 2)))) {
    return false;
  }
  PUTDATAS(env, bounds.first_date, bounds.last_date);
  return true;
}

void prepare_grid(Env& env, const Passo& intervalo) {
  auto key_line = first_line_of(env, kGridFile);
  if (key_line && record_field(*key_line, 1) == intervalo.texto &&
      grid_is_whole(env, intervalo, std::string(record_field(*key_line, 2)))) {
    return;
  }
  PUTHORAS(env, intervalo, "00:00:00");
}

// A work file read from its second line on, each line cut to 255 characters.
class WorkFileReader {
 public:
  explicit WorkFileReader(Env& env, const char* name) : env_(env), name_(name) { rewind(); }

  void rewind() {
    lines_ = open_lines(env_, name_);
    if (!lines_) throw Failure(std::string("Erro: Nao foi possivel abrir o arquivo ") + name_ + ".", 1);
    lines_->read_line();
  }
  bool next(std::string& line) {
    if (!lines_->read_line(line)) return false;
    cut_record(line);
    return true;
  }

 private:
  Env& env_;
  const char* name_;
  std::unique_ptr<LineReader> lines_;
};

enum class SlotWalk { kComplete, kDayListShort };

// Lays out the slots, "hh:mm:ss dd/mm/yy" one a line, from the first grid time
// after the first record to the first grid time after the last record (or the
// last grid time of that day). A first record at or after the last grid time
// of its day starts the slots at 00:00:00 of the next day. kDayListShort: the
// day list does not hold the series' days in order.
SlotWalk write_slots(Env& env, const SeriesBounds& bounds, const std::string& slot_name) {
  WorkFileReader days(env, kDayListFile);
  std::string date;
  do {
    if (!days.next(date)) return SlotWalk::kDayListShort;
  } while (date != bounds.first_date);

  auto slots = create_lines(env, slot_name);
  if (!slots) throw Failure("Erro: Nao foi possivel gerar o arquivo " + slot_name + ".", 1);
  WorkFileReader grid(env, kGridFile);
  std::string time;
  bool have_time;
  while ((have_time = grid.next(time)) && time <= bounds.first_time) {
  }
  std::string slot;
  for (;;) {
    const bool last_day = date == bounds.last_date;
    for (; have_time; have_time = grid.next(time)) {
      slot.assign(time).append(" ").append(date);
      slots->write_line(slot);
      if (last_day && time > bounds.last_time) break;
    }
    if (last_day) break;
    if (!days.next(date)) return SlotWalk::kDayListShort;
    grid.rewind();
    have_time = grid.next(time);
  }
  if (!slots->close()) throw Failure("Erro: Nao foi possivel gravar o arquivo " + slot_name + ".", 1);
  return SlotWalk::kComplete;
}

// Orders a record's date against a slot's date. Dates order by their key
// (yy/mm/dd), except in a series whose day list runs through the turn of the
// century from 99 to 00: there the years count from the first record's year,
// so that 31/12/99 stays before 01/01/00.
class DateOrder {
 public:
  explicit DateOrder(const SeriesBounds& bounds) {
    const auto& seps = formatter_date_separators();
    auto year = two_digit_year(word_view(bounds.first_date, 3, seps));
    if (year && date_key_less(bounds.last_date, bounds.first_date, seps)) first_year_ = *year;
  }

  bool earlier(std::string_view a, std::string_view b) const {
    const auto& seps = formatter_date_separators();
    if (!first_year_) return date_key_less(a, b, seps);
    return walk_key(a) < walk_key(b);
  }

 private:
  static std::optional<int> two_digit_year(std::string_view year) {
    if (year.size() != 2 || year[0] < '0' || year[0] > '9' || year[1] < '0' || year[1] > '9') return std::nullopt;
    return (year[0] - '0') * 10 + (year[1] - '0');
  }

  std::string walk_key(std::string_view date) const {
    const auto& seps = formatter_date_separators();
    std::string key = CONVERTE_DATA(date, seps);
    if (auto year = two_digit_year(word_view(date, 3, seps))) {
      int since_first = (*year - *first_year_ + 100) % 100;
      key[0] = static_cast<char>('0' + since_first / 10);
      key[1] = static_cast<char>('0' + since_first % 10);
    }
    return key;
  }

  std::optional<int> first_year_;
};

struct Record {
  std::string line;
  std::string date;
  std::string time;

  void take_fields() {
    date = OBTEMDATA(line);
    time = OBTEMHORA(line);
  }
};

// Both the records and the slots are in time order: each slot takes the depth
// of the latest record at or before it.
void write_sampled(Env& env, const std::string& entrada, const std::string& slot_name, const std::string& saida,
                   const DateOrder& order) {
  SeriesReader series = open_series(env, entrada);
  auto slots = open_lines(env, slot_name);
  if (!slots) throw Failure("Erro: Nao foi possivel abrir o arquivo " + slot_name + ".", 1);
  auto out = create_lines(env, saida);
  if (!out) throw Failure("Erro: Nao foi possivel gerar o arquivo de saida.", 1);
  out->write_line(series.header());

  Record pending;
  bool have_record = series.next_record(pending.line);
  if (have_record) pending.take_fields();
  std::string value;
  std::string slot;
  while (slots->read_line(slot)) {
    std::string_view slot_time = record_time(slot);
    std::string_view slot_date = record_date(slot);
    while (have_record && (pending.date == slot_date ? pending.time <= slot_time
                                                     : order.earlier(pending.date, slot_date))) {
      value = OBTEMACUMULO(pending.line);
      have_record = series.next_record(pending.line);
      if (have_record) pending.take_fields();
    }
    out->write(slot);
    out->write(" ");
    out->write_line(value);
  }
  if (slots->failed()) throw Failure("Erro: Nao foi possivel ler o arquivo " + slot_name + ".", 1);
  if (!out->close()) throw Failure("Erro: Nao foi possivel gravar o arquivo de saida.", 1);
}

}  // namespace

void DISCRETIZA_NO_TEMPO(Env& env, const std::string& entrada, const std::string& saida, const Passo& intervalo,
                         const std::string& vagas) {
  const SeriesBounds bounds = scan_bounds(env, entrada);
  const bool day_list_built = prepare_day_list(env, bounds);
  prepare_grid(env, intervalo);

  // The slot file lives only during one call; a failed call removes it only
  // when this run made it.
  CreatedFile slot_file(env, vagas.empty() ? saida + "~" : vagas);
  if (write_slots(env, bounds, slot_file.path()) == SlotWalk::kDayListShort) {
    // A kept list that only seemed to cover the series is built anew once.
    if (day_list_built) throw invalid_date(bounds.first_date);
    PUTDATAS(env, bounds.first_date, bounds.last_date);
    if (write_slots(env, bounds, slot_file.path()) == SlotWalk::kDayListShort) throw invalid_date(bounds.first_date);
  }
  write_sampled(env, entrada, slot_file.path(), saida, DateOrder(bounds));
  slot_file.finished_with();
}

}  // namespace rain::formatter
