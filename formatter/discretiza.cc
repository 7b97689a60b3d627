#include "formatter/discretiza.h"

#include "common/failure.h"

namespace rain::formatter {

// Placeholder until the resampling lands: refuse instead of writing a series
// that is not on a fixed step.
void DISCRETIZA_NO_TEMPO(Env&, const std::string&, const std::string&, const std::string&) {
  throw Failure("Erro: a discretizacao no tempo ainda nao esta disponivel.", 1);
}

}  // namespace rain::formatter
