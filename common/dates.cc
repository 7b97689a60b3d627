#include "common/dates.h"

namespace rain {

const DelimiterSet& formatter_date_separators() {
  static const DelimiterSet set(" /:");
  return set;
}

const DelimiterSet& maxima_date_separators() {
  static const DelimiterSet set(" -/:");
  return set;
}

std::string CONVERTE_DATA(std::string_view data, const DelimiterSet& delimitadores) {
  std::string_view date = short_view(data);
  std::string key;
  key.reserve(16);
  key += word_view(date, 3, delimitadores);
  key += '/';
  key += word_view(date, 2, delimitadores);
  key += '/';
  key += word_view(date, 1, delimitadores);
  return cut_short(key);
}

bool date_key_less(std::string_view data1, std::string_view data2, const DelimiterSet& delimitadores) {
  // std::string compares as unsigned char codes, a prefix sorting first.
  return CONVERTE_DATA(data1, delimitadores) < CONVERTE_DATA(data2, delimitadores);
}

std::string MAIORDATA(std::string_view data1, std::string_view data2, const DelimiterSet& delimitadores) {
  return std::string(date_key_less(data2, data1, delimitadores) ? data1 : data2);
}

std::string MENORDATA(std::string_view data1, std::string_view data2, const DelimiterSet& delimitadores) {
  return std::string(date_key_less(data1, data2, delimitadores) ? data1 : data2);
}

}  // namespace rain
