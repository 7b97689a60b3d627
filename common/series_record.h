// The record of a series, as Ajusta_Leituras writes it and every later program
// reads it: "hh:mm:ss dd/mm/yy depth" and, when tips are counted, one or more
// count columns ("time date depth tips ..."), separated by blanks. Line 1 is a
// header of titles in the same columns.
//
// Two readings of the blanks stand side by side: a record as written is split
// at blanks only; the event separation and the column count also take a tab
// for a blank. Both are kept because stored series and earlier reports rely on
// each.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/calendar.h"
#include "common/text.h"

namespace rain {

// The fields of a record, counted from 1.
inline constexpr int kTimeField = 1;
inline constexpr int kDateField = 2;
inline constexpr int kDepthField = 3;
// The tip count, the first of the count columns.
inline constexpr int kTipsField = 4;

// Separates the fields of a record: a blank.
const DelimiterSet& record_blanks();
// Separates the fields where a tab counts as a blank.
const DelimiterSet& record_blanks_or_tabs();
// Separates the parts of a date or a time: "/" and ":".
const DelimiterSet& date_time_parts();

// Field `field` of a record split at blanks; empty when missing.
std::string_view record_field(std::string_view record, int field);
inline std::string_view record_time(std::string_view record) { return record_field(record, kTimeField); }
inline std::string_view record_date(std::string_view record) { return record_field(record, kDateField); }

// The first four fields of a record, read in one pass: time, date, depth and
// tips, each empty when missing; `count` says how many were there.
struct RecordFields {
  std::string_view time;
  std::string_view date;
  std::string_view depth;
  std::string_view tips;
  int count = 0;
};
RecordFields first_record_fields(std::string_view record, const DelimiterSet& blanks);

// A line holds nothing but blanks and tabs.
bool is_blank_line(std::string_view line);
// Number of fields of a line, a tab counting as a blank.
int count_record_fields(std::string_view line);

// A record line is held at most 255 characters long; the rest is dropped.
void cut_record(std::string& line);

// The tip count of a record; a missing field or one that is not a 16-bit
// whole number counts as a dry record.
std::int16_t record_tips(std::string_view record, const DelimiterSet& blanks);

// A record written "hh:mm:ss dd/mm/yy depth ..." (the year may have four
// digits), read in place: the time and the date OBTEMHORA and OBTEMDATA give
// for it, and its third field. Nothing for a record of any other form, or one
// whose time is no clock time or whose date the calendar does not have; such a
// record takes the long way through OBTEMHORA and OBTEMDATA.
struct FixedRecord {
  ClockTime time;
  CalendarDate date;
  std::string_view depth;
};
std::optional<FixedRecord> fixed_record(std::string_view record);

// fixed_record for the records of a series in their order. Most records share
// the date of the one before: a record whose date is written as that of the
// last one read in the usual form has its calendar date, which is not read and
// checked again.
class FixedRecordReader {
 public:
  std::optional<FixedRecord> read(std::string_view record);

 private:
  // The record's date is written, from its blank on, as the one kept.
  bool same_date_as_before(std::string_view record) const;

  std::size_t date_end_ = 0;  // 0 before a record of the usual form
  char date_text_[11] = {};   // " dd/mm/yy" or " dd/mm/yyyy", as written
  CalendarDate date_;
};

// The record's time; "9:5" gives "09:05:00", "10:30:00:15" gives "10:30:00".
// None of these three fails: a malformed field gives a malformed but defined
// text (an empty time gives "0:0:0").
std::string OBTEMHORA(std::string_view linha);
// The record's date; "5/3/2005" gives "05/03/05", "15/3/5" gives "15/03/05".
std::string OBTEMDATA(std::string_view linha);
// The record's depth text, a decimal comma turned into a point.
std::string OBTEMACUMULO(std::string_view linha);

}  // namespace rain
