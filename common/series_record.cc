#include "common/series_record.h"

#include <cstring>

#include "common/numbers.h"

namespace rain {
namespace {

// A record line as these functions see it: at most 255 characters, tabs
// acting as blanks.
std::string record_text(std::string_view linha) {
  std::string text(short_view(linha));
  replace_char(text, '\t', ' ');
  return text;
}

std::string_view part(std::string_view text, int n) { return word_view(text, n, date_time_parts()); }

// Every text these functions build is a short text as well.
std::string joined(std::string_view a, std::string_view sep1, std::string_view b, std::string_view sep2,
                   std::string_view c) {
  std::string s;
  s.reserve(a.size() + sep1.size() + b.size() + sep2.size() + c.size());
  s.append(a).append(sep1).append(b).append(sep2).append(c);
  cut_short_in_place(s);
  return s;
}

}  // namespace

const DelimiterSet& record_blanks() {
  static const DelimiterSet set(" ");
  return set;
}

const DelimiterSet& record_blanks_or_tabs() {
  static const DelimiterSet set(" \t");
  return set;
}

const DelimiterSet& date_time_parts() {
  static const DelimiterSet set("/:");
  return set;
}

std::string_view record_field(std::string_view record, int field) { return word_view(record, field, record_blanks()); }

RecordFields first_record_fields(std::string_view record, const DelimiterSet& blanks) {
  RecordFields f;
  std::string_view* const fields[] = {&f.time, &f.date, &f.depth, &f.tips};
  std::size_t i = 0;
  for (std::string_view* field : fields) {
    while (i < record.size() && blanks.has(record[i])) ++i;
    if (i == record.size()) break;
    const std::size_t start = i;
    while (i < record.size() && !blanks.has(record[i])) ++i;
    *field = record.substr(start, i - start);
    ++f.count;
  }
  return f;
}

bool is_blank_line(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

int count_record_fields(std::string_view line) { return count_words(line, record_blanks_or_tabs()); }

void cut_record(std::string& line) { cut_short_in_place(line); }

void hold_record(std::string& line) {
  cut_record(line);
  replace_char(line, '\t', ' ');
}

std::int16_t record_tips(std::string_view record, const DelimiterSet& blanks) {
  return whole_int16(word_view(record, kTipsField, blanks)).value_or(0);
}

namespace {

// The two digits at `at` as a number; -1 when they are not two digits.
int digit_pair(std::string_view text, std::size_t at) {
  const int tens = text[at] - '0';
  const int units = text[at + 1] - '0';
  if (tens < 0 || tens > 9 || units < 0 || units > 9) return -1;
  return tens * 10 + units;
}

// The third field from `start` on: blanks skipped, up to the next blank.
// Nothing when a tab stands anywhere from `start` on: tabs would act as blanks
// in the long way.
std::optional<std::string_view> field_from(std::string_view record, std::size_t start) {
  const char* const text = record.data();
  const std::size_t size = record.size();
  while (start < size && text[start] == ' ') ++start;
  std::size_t end = start;
  while (end < size && text[end] != ' ') {
    if (text[end] == '\t') return std::nullopt;
    ++end;
  }
  if (end < size && std::memchr(text + end, '\t', size - end)) return std::nullopt;
  return record.substr(start, end - start);
}

}  // namespace

std::optional<FixedRecord> fixed_record(std::string_view record) {
  record = short_view(record);
  if (record.size() < 17 || record[2] != ':' || record[5] != ':' || record[8] != ' ' || record[11] != '/' ||
      record[14] != '/') {
    return std::nullopt;
  }
  // A four-digit year loses its century, as OBTEMDATA drops it.
  std::size_t date_end = 17;
  if (record.size() >= 19 && digit_pair(record, 17) >= 0) date_end = 19;
  if (date_end < record.size() && record[date_end] != ' ') return std::nullopt;
  const int numbers[] = {digit_pair(record, 0),  digit_pair(record, 3),  digit_pair(record, 6),
                         digit_pair(record, 9),  digit_pair(record, 12), digit_pair(record, 15),
                         digit_pair(record, date_end - 2)};
  for (int n : numbers) {
    if (n < 0) return std::nullopt;
  }
  if (numbers[0] > 23 || numbers[1] > 59 || numbers[2] > 59 || !is_calendar_date(numbers[3], numbers[4], numbers[6])) {
    return std::nullopt;
  }
  const std::optional<std::string_view> depth = field_from(record, date_end);
  if (!depth) return std::nullopt;
  return FixedRecord{{numbers[0], numbers[1], numbers[2]}, {numbers[3], numbers[4], numbers[6]}, *depth};
}

std::string OBTEMHORA(std::string_view linha) {
  std::string s = std::string(record_time(record_text(linha)));
  int parts = count_words(s, date_time_parts());
  if (parts == 2) {
    s += ":00";
    cut_short_in_place(s);
  } else if (parts > 3) {
    s = joined(part(s, 1), ":", part(s, 2), ":", part(s, 3));
  }
  if (part(s, 1).size() < 2) {
    s.insert(s.begin(), '0');
    cut_short_in_place(s);
  }
  if (part(s, 2).size() < 2) s = joined(part(s, 1), ":0", part(s, 2), ":", part(s, 3));
  if (part(s, 3).size() < 2) s = joined(part(s, 1), ":", part(s, 2), ":0", part(s, 3));
  return s;
}

std::string OBTEMDATA(std::string_view linha) {
  std::string s = std::string(record_date(record_text(linha)));
  if (part(s, 1).size() != 2) {
    s.insert(s.begin(), '0');
    cut_short_in_place(s);
  }
  if (part(s, 2).size() != 2) s = joined(part(s, 1), "/0", part(s, 2), "/", part(s, 3));
  if (part(s, 3).size() < 2) s = joined(part(s, 1), "/", part(s, 2), "/0", part(s, 3));
  // A four-digit year in dd/mm/yyyy loses its century.
  if (part(s, 3).size() > 2 && s.size() >= 7) s.erase(6, 2);
  return s;
}

std::string OBTEMACUMULO(std::string_view linha) {
  return with_char_replaced(record_field(record_text(linha), kDepthField), ',', '.');
}

}  // namespace rain
