// Numbers the user types, on the command line or at a prompt. A text is
// wholly a number or it is refused, before any file is touched: never taken
// as 0, never read up to the first character that does not fit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/console.h"

namespace rain {

// The dialogues' refusals of a number answer.
inline constexpr const char* kRespostaNaoNumerica = "Erro: o valor digitado nao e um numero.";
inline constexpr const char* kFimDaEntrada = "Erro: fim da entrada antes da resposta.";

// How a refused number stops the run: its console line, and the name of the
// parameter for the note on standard error that shows the text refused.
struct NumberRefusal {
  std::string line;
  std::string parameter;
  // The line for a dialogue whose input ended before the answer.
  std::string end_of_input = kFimDaEntrada;
  // The line for a number of 0 or less where one above 0 is needed; empty
  // when it is `line`.
  std::string not_positive = {};
};

// The text as a decimal number ("." as decimal point), or a Failure.
double decimal_or_refuse(std::string_view text, const NumberRefusal& refusal);
// A decimal number above 0: a depth per tip that multiplies counts or divides
// depths. 0 or less is refused with `refusal` as well.
double positive_or_refuse(std::string_view text, const NumberRefusal& refusal);

// The token read from a number answer (nothing at the end of input) as a
// decimal number, or a Failure that ends the dialogue at once.
double decimal_answer(const std::optional<std::string>& token, const NumberRefusal& refusal);
// The same for a decimal answer that must be above 0.
double positive_answer(const std::optional<std::string>& token, const NumberRefusal& refusal);
// The same for a whole answer that must fit 16 bits; `out_of_range` is the
// line for a well-formed number beyond -32768..32767.
std::int16_t int16_answer(const std::optional<std::string>& token, const NumberRefusal& refusal,
                          const std::string& out_of_range);

}  // namespace rain
