// The time, date and accumulated depth of a series record, with time and date
// brought to "hh:mm:ss" and "dd/mm/yy". A record holds time, date and depth as
// its first three blank-separated words. None of these fails: a malformed field
// gives a malformed but defined text (an empty time gives "0:0:0").
#pragma once

#include <string>
#include <string_view>

#include "common/text.h"

namespace rain::formatter {

// Separates the fields of a record.
const DelimiterSet& record_delimiters();
// Separates the parts of a date or a time.
const DelimiterSet& date_time_delimiters();

// The record's time; "9:5" gives "09:05:00", "10:30:00:15" gives "10:30:00".
std::string OBTEMHORA(std::string_view linha);
// The record's date; "5/3/2005" gives "05/03/05", "15/3/5" gives "15/03/05".
std::string OBTEMDATA(std::string_view linha);
// The record's depth text, a decimal comma turned into a point.
std::string OBTEMACUMULO(std::string_view linha);

}  // namespace rain::formatter
