// The tip count of a record: word 4 of its line. A missing word or one that is
// not a 16-bit whole number counts as a dry record.
#pragma once

#include <cstdint>
#include <string_view>

namespace rain::events {

// While a start is looked for, the record is split at blanks only, as read.
std::int16_t basculacoes_na_busca(std::string_view registro);

// Inside an event tabs count as blanks.
std::int16_t basculacoes_no_evento(std::string_view registro);

}  // namespace rain::events
