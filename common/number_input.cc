#include "common/number_input.h"

#include "common/failure.h"
#include "common/numbers.h"

namespace rain {
namespace {

[[noreturn]] void refuse(const std::string& line, std::string_view text, const NumberRefusal& refusal,
                         std::string_view why) {
  throw Failure(line, 1).noted(refusal.parameter + ": \"" + std::string(text) + "\" " + std::string(why));
}

constexpr std::string_view kNotANumber = "nao e um numero (o separador decimal e \".\")";

}  // namespace

double decimal_or_refuse(std::string_view text, const NumberRefusal& refusal) {
  std::optional<double> value = decimal(text);
  if (!value) refuse(refusal.line, text, refusal, kNotANumber);
  return *value;
}

double positive_or_refuse(std::string_view text, const NumberRefusal& refusal) {
  double value = decimal_or_refuse(text, refusal);
  if (!(value > 0)) {
    refuse(refusal.not_positive.empty() ? refusal.line : refusal.not_positive, text, refusal,
           "deve ser maior que zero");
  }
  return value;
}

double decimal_answer(const std::optional<std::string>& token, const NumberRefusal& refusal) {
  if (!token) throw Failure(refusal.end_of_input, 1);
  return decimal_or_refuse(*token, refusal);
}

double positive_answer(const std::optional<std::string>& token, const NumberRefusal& refusal) {
  if (!token) throw Failure(refusal.end_of_input, 1);
  return positive_or_refuse(*token, refusal);
}

std::int16_t int16_answer(const std::optional<std::string>& token, const NumberRefusal& refusal,
                          const std::string& out_of_range) {
  if (!token) throw Failure(refusal.end_of_input, 1);
  WholeText w = parse_whole(*token);
  if (!w.ok()) refuse(refusal.line, *token, refusal, "nao e um numero inteiro");
  if (!fits_int16(w.value)) {
    throw Failure(out_of_range, 1).noted(refusal.parameter + ": \"" + *token + "\" fora de -32768..32767");
  }
  return static_cast<std::int16_t>(w.value);
}

}  // namespace rain
