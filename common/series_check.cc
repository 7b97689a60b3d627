#include "common/series_check.h"

#include "common/failure.h"
#include "common/numbers.h"
#include "common/series_record.h"
#include "common/text.h"

namespace rain {
namespace {

// Shown in a refusal: short, and without control characters that would upset
// the console.
std::string shown(std::string_view line) {
  constexpr std::size_t kShown = 60;
  std::string text(line.substr(0, kShown));
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  if (line.size() > kShown) text += "...";
  return text;
}

bool is_record(std::string_view line, bool with_tips) {
  const RecordFields fields = first_record_fields(line, record_blanks_or_tabs());
  if (fields.count < (with_tips ? 4 : 3)) return false;
  if (!instante_da_serie(fields.time, fields.date)) return false;
  // A running total is copied as the logger wrote it, decimal comma and all.
  if (!decimal(with_char_replaced(fields.depth, ',', '.'))) return false;
  return !with_tips || parse_whole(fields.tips).ok();
}

// Tenths of a per cent, rounded down: 89.96 % is not shown as 90.0 %.
std::string share_text(std::int64_t part, std::int64_t whole) {
  const std::int64_t permille = part * 1000 / whole;
  return std::to_string(permille / 10) + "." + std::to_string(permille % 10) + "%";
}

}  // namespace

void check_first_record(const std::string& path, std::int64_t line_number, std::string_view line, bool with_tips) {
  if (is_record(line, with_tips)) return;
  throw Failure("Erro: " + path + " nao e uma serie: a linha " + std::to_string(line_number) + " (\"" + shown(line) +
                    "\") nao e um registro \"hh:mm:ss dd/mm/yy chuva" + (with_tips ? " basculacoes" : "") + "\".",
                1);
}


void StepCensus::add(Instante time) {
  if (have_previous_) {
    const std::int64_t difference = time - previous_;
    ++differences_;
    if (last_count_ != nullptr && difference == last_) {
      ++*last_count_;
    } else {
      auto it = counts_.find(difference);
      if (it == counts_.end() && counts_.size() < kMaxDistinct) it = counts_.emplace(difference, 0).first;
      // Past that many distinct differences the series has no step anyway:
      // the others only count among all the differences.
      last_count_ = it == counts_.end() ? nullptr : &it->second;
      last_ = difference;
      if (last_count_ != nullptr) ++*last_count_;
    }
  }
  previous_ = time;
  have_previous_ = true;
}

std::int64_t StepCensus::step() const {
  std::int64_t best = 0, best_count = 0;
  for (const auto& [difference, count] : counts_) {
    if (count > best_count || (count == best_count && difference < best)) {
      best = difference;
      best_count = count;
    }
  }
  return best;
}

std::int64_t StepCensus::count_of(std::int64_t difference) const {
  const auto it = counts_.find(difference);
  return it == counts_.end() ? 0 : it->second;
}

void StepCensus::check(std::int64_t step_parameter_s, bool one_record_per_step) const {
  if (differences_ == 0) return;
  const std::int64_t found = step();
  const std::int64_t count = count_of(found);
  // Nine in ten: a few gaps or a clock set once are no reason to refuse.
  if (one_record_per_step && count * 10 < differences_ * 9) {
    throw Failure("Erro: so " + share_text(count, differences_) + " das diferencas entre registros seguidos sao de " +
                      texto_duracao(found) +
                      ": a serie nao tem um passo fixo. Reamostre-a com Ajusta_Leituras (parametro 6 = n).",
                  1);
  }
  if (found != step_parameter_s) {
    throw Failure("Erro: a serie tem passo de " + texto_duracao(found) + ", mas o intervalo de discretizacao dado e " +
                      texto_duracao(step_parameter_s) + ".",
                  1);
  }
}

}  // namespace rain
