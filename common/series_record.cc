#include "common/series_record.h"

#include <bit>
#include <cstdint>
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
    *field = next_word(record, i, blanks);
    if (field->empty()) break;
    ++f.count;
  }
  return f;
}

bool is_blank_line(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

int count_record_fields(std::string_view line) { return count_words(line, record_blanks_or_tabs()); }

void cut_record(std::string& line) { cut_short_in_place(line); }

std::int16_t record_tips(std::string_view record, const DelimiterSet& blanks) {
  return whole_int16(word_view(record, kTipsField, blanks)).value_or(0);
}

namespace {

bool digit(char c) { return c >= '0' && c <= '9'; }

// Eight characters as one number, the first in the lowest byte.
std::uint64_t eight_at(const char* text) {
  if constexpr (std::endian::native == std::endian::little) {
    std::uint64_t word;
    std::memcpy(&word, text, 8);
    return word;
  }
  unsigned char bytes[8];
  std::memcpy(bytes, text, 8);
  std::uint64_t word = 0;
  for (int i = 7; i >= 0; --i) word = (word << 8) | bytes[i];
  return word;
}

// Every byte of `word` that `digits` marks holds "0" to "9", and every other
// byte equals that of `others`.
bool digits_and(std::uint64_t word, std::uint64_t digits, std::uint64_t others) {
  constexpr std::uint64_t kHighNibbles = 0xF0F0F0F0F0F0F0F0u;
  constexpr std::uint64_t kZeros = 0x3030303030303030u;
  constexpr std::uint64_t kSixes = 0x0606060606060606u;
  const std::uint64_t d = word & digits;
  // "0" to "?" share the high nibble 3; adding 6 keeps it only up to "9".
  return (word & ~digits) == others && (d & kHighNibbles) == (kZeros & digits) &&
         ((d + (kSixes & digits)) & kHighNibbles) == (kZeros & digits);
}

// The number of the two digits of `word` from byte `at` on.
int pair_at(std::uint64_t word, int at) {
  const auto tens = static_cast<int>((word >> (8 * at)) & 0x0F);
  const auto units = static_cast<int>((word >> (8 * at + 8)) & 0x0F);
  return tens * 10 + units;
}

// The third field from `start` on: blanks skipped, up to the next blank.
// Nothing when a tab stands anywhere from `start` on: tabs would act as blanks
// in the long way.
std::optional<std::string_view> field_from(std::string_view record, std::size_t start) {
  const char* const text = record.data();
  const std::size_t size = record.size();
  while (start < size && text[start] == ' ') ++start;
  if (std::memchr(text + start, '\t', size - start)) return std::nullopt;
  const char* const end = find_char(text + start, text + size, ' ');
  return record.substr(start, static_cast<std::size_t>(end - (text + start)));
}

// "hh:mm:ss" then " dd/mm/y": the digits where they belong, the marks between
// them.
constexpr std::uint64_t kTimeDigits = 0xFFFF00FFFF00FFFFu;
constexpr std::uint64_t kTimeMarks = 0x00003A00003A0000u;
constexpr std::uint64_t kDateDigits = 0xFF00FFFF00FFFF00u;
constexpr std::uint64_t kDateMarks = 0x002F00002F000020u;

// Where the date of a record of the usual form ends: after a year of four
// digits or of two.
std::size_t date_end_of(std::string_view record) {
  return record.size() >= 19 && digit(record[17]) && digit(record[18]) ? 19 : 17;
}

// The record whose date, ending at `date_end`, is `date`: its time and depth
// read in place, or nothing when they are not of the usual form.
std::optional<FixedRecord> with_time_and_depth(std::string_view record, const CalendarDate& date,
                                               std::size_t date_end) {
  const std::uint64_t time = eight_at(record.data());
  if (!digits_and(time, kTimeDigits, kTimeMarks)) return std::nullopt;
  const int hora = pair_at(time, 0);
  const int minuto = pair_at(time, 3);
  const int segundo = pair_at(time, 6);
  if (hora > 23 || minuto > 59 || segundo > 59) return std::nullopt;
  const std::optional<std::string_view> depth = field_from(record, date_end);
  if (!depth) return std::nullopt;
  return FixedRecord{{hora, minuto, segundo}, date, *depth};
}

}  // namespace

std::optional<FixedRecord> fixed_record(std::string_view record) {
  record = short_view(record);
  if (record.size() < 17) return std::nullopt;
  const std::uint64_t date = eight_at(record.data() + 8);
  if (!digits_and(date, kDateDigits, kDateMarks) || !digit(record[16])) return std::nullopt;
  // A four-digit year loses its century, as OBTEMDATA drops it.
  const std::size_t date_end = date_end_of(record);
  if (date_end < record.size() && record[date_end] != ' ') return std::nullopt;
  const int ano = (record[date_end - 2] - '0') * 10 + (record[date_end - 1] - '0');
  const CalendarDate calendar{pair_at(date, 1), pair_at(date, 4), ano};
  if (!is_calendar_date(calendar.dia, calendar.mes, calendar.ano)) return std::nullopt;
  return with_time_and_depth(record, calendar, date_end);
}

bool FixedRecordReader::same_date_as_before(std::string_view record) const {
  if (date_end_ == 0 || record.size() < date_end_) return false;
  // The date ends where it ended before: not one digit more.
  if (record.size() > date_end_ && record[date_end_] != ' ') return false;
  return same_text(record.substr(8, date_end_ - 8), std::string_view(date_text_, date_end_ - 8));
}

std::optional<FixedRecord> FixedRecordReader::read(std::string_view record) {
  record = short_view(record);
  if (same_date_as_before(record)) return with_time_and_depth(record, date_, date_end_);
  std::optional<FixedRecord> read = fixed_record(record);
  if (read) {
    date_end_ = date_end_of(record);
    record.copy(date_text_, date_end_ - 8, 8);
    date_ = read->date;
  }
  return read;
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
