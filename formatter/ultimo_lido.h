// A value read from a text, kept with the text: a dry reading mostly repeats
// the field of the one before, which is then not read again.
#pragma once

#include <string>
#include <string_view>

#include "common/text.h"

namespace rain::formatter {

template <typename Valor>
class UltimoLido {
 public:
  // The value of `texto`: what `le` gives for it, unless it is the text read
  // last. A `le` that throws keeps the text and value before.
  template <typename Le>
  const Valor& de(std::string_view texto, Le&& le) {
    if (!tem_ || !same_text(texto, texto_)) {
      valor_ = le(texto);
      texto_.assign(texto);
      tem_ = true;
    }
    return valor_;
  }

 private:
  bool tem_ = false;
  std::string texto_;
  Valor valor_{};
};

}  // namespace rain::formatter
