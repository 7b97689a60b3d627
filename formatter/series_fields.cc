#include "formatter/series_fields.h"

namespace rain::formatter {
namespace {

// A record line as these functions see it: at most 255 characters, tabs
// acting as blanks.
std::string record_text(std::string_view linha) {
  return with_char_replaced(linha.substr(0, std::min(linha.size(), kMaxShortText)), '\t', ' ');
}

std::string_view part(std::string_view text, int n) { return word_view(text, n, date_time_delimiters()); }

// Every text these functions build is a short text as well.
void keep_short(std::string& text) {
  if (text.size() > kMaxShortText) text.resize(kMaxShortText);
}

std::string joined(std::string_view a, std::string_view sep1, std::string_view b, std::string_view sep2,
                   std::string_view c) {
  std::string s;
  s.reserve(a.size() + sep1.size() + b.size() + sep2.size() + c.size());
  s.append(a).append(sep1).append(b).append(sep2).append(c);
  keep_short(s);
  return s;
}

}  // namespace

const DelimiterSet& record_delimiters() {
  static const DelimiterSet set(" ");
  return set;
}

const DelimiterSet& date_time_delimiters() {
  static const DelimiterSet set("/:");
  return set;
}

std::string OBTEMHORA(std::string_view linha) {
  std::string s = word(record_text(linha), 1, record_delimiters());
  int parts = count_words(s, date_time_delimiters());
  if (parts == 2) {
    s += ":00";
    keep_short(s);
  } else if (parts > 3) {
    s = joined(part(s, 1), ":", part(s, 2), ":", part(s, 3));
  }
  if (part(s, 1).size() < 2) {
    s.insert(s.begin(), '0');
    keep_short(s);
  }
  if (part(s, 2).size() < 2) s = joined(part(s, 1), ":0", part(s, 2), ":", part(s, 3));
  if (part(s, 3).size() < 2) s = joined(part(s, 1), ":", part(s, 2), ":0", part(s, 3));
  return s;
}

std::string OBTEMDATA(std::string_view linha) {
  std::string s = word(record_text(linha), 2, record_delimiters());
  if (part(s, 1).size() != 2) {
    s.insert(s.begin(), '0');
    keep_short(s);
  }
  if (part(s, 2).size() != 2) s = joined(part(s, 1), "/0", part(s, 2), "/", part(s, 3));
  if (part(s, 3).size() < 2) s = joined(part(s, 1), "/", part(s, 2), "/0", part(s, 3));
  // A four-digit year in dd/mm/yyyy loses its century.
  if (part(s, 3).size() > 2 && s.size() >= 7) s.erase(6, 2);
  return s;
}

std::string OBTEMACUMULO(std::string_view linha) {
  return with_char_replaced(word_view(record_text(linha), 3, record_delimiters()), ',', '.');
}

}  // namespace rain::formatter
