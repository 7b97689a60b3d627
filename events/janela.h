// The window length: how many consecutive dry records close a rain event.
#pragma once

#include <cstdint>
#include <string_view>

namespace rain::events {

// Seconds of a duration text such as 01:30:00, 01 30 00 or 1h30m00s: its first
// three words (split at blanks, ":", "_" and letters) are hours, minutes and
// seconds. A missing word, or one that is not a 16-bit whole number, adds
// nothing; parts have no upper bound (00:90:00 is 5400 seconds).
std::int64_t segundos_da_duracao(std::string_view duracao);

// The interruption limit divided by the discretization interval. Refuses, with
// a Failure of exit code 1, an interval of 0 seconds or less, and a limit that
// is shorter than the interval or not a whole multiple of it, so the result is
// always at least 1.
std::int64_t CALCULA_JANELA(std::string_view limite, std::string_view intervalo);

}  // namespace rain::events
