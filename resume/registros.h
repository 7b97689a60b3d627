// The records of a series file, read one by one in the order of the file.
#pragma once

#include <functional>

#include "common/line_io.h"
#include "resume/resumo.h"

namespace rain::resume {

// Passes over the header line, then hands every record to `ao_registro`, with
// its line number. Empty lines at the end of the series are passed over (the
// event separation reads them as the dry records that follow the end anyway);
// one between records stops the run naming its line, as any line without a
// time does. A 0x1A byte at the start of a line ends the series, as in the
// other programs. Throws Failure on a read error.
void le_registros(LineReader& serie, const std::function<void(const Registro&)>& ao_registro);

}  // namespace rain::resume
