// Date keys: a date text "dd/mm/yy" becomes the key "yy/mm/dd", compared byte by
// byte. Fields are copied as they stand, so keys order dates only when every
// field has two digits. The separator set differs between the formatter and the
// maxima search, so it is a parameter.
#pragma once

#include <string>
#include <string_view>

#include "common/text.h"

namespace rain {

// Space, "/" and ":".
const DelimiterSet& formatter_date_separators();
// Space, "-", "/" and ":".
const DelimiterSet& maxima_date_separators();

std::string CONVERTE_DATA(std::string_view data, const DelimiterSet& delimitadores);

// The later of two dates as the argument text itself; a tie gives DATA2.
std::string MAIORDATA(std::string_view data1, std::string_view data2, const DelimiterSet& delimitadores);
// The earlier of two dates as the argument text itself; a tie gives DATA2.
std::string MENORDATA(std::string_view data1, std::string_view data2, const DelimiterSet& delimitadores);

// Strict key order, the test under both selections.
bool date_key_less(std::string_view data1, std::string_view data2, const DelimiterSet& delimitadores);

}  // namespace rain
