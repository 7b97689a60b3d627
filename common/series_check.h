// What makes a file a series, checked on the file a run is given as one: its
// first record, and the step its records follow.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "common/instante.h"

namespace rain {

// Refuses (Failure, one line naming the file, the line and its text, exit code
// 1) a first record that is not a clock time, a calendar date and a depth, and
// when `with_tips` a whole number of tips after them: the raw export given
// instead of its series, say, which would otherwise give no figure at all.
void check_first_record(const std::string& path, std::int64_t line_number, std::string_view line, bool with_tips);

// The differences between the times of consecutive records, counted as they
// come; memory stays within a few thousand distinct differences, whatever the
// length of the series.
class StepCensus {
 public:
  void add(Instante time);

  std::int64_t differences() const { return differences_; }
  // The most common difference, 0 before two records; among equally common
  // ones the smallest.
  std::int64_t step() const;
  std::int64_t count_of(std::int64_t difference) const;

  // Refuses (Failure, exit code 1) a step parameter that is not the series'
  // step, naming both; with `one_record_per_step`, first a series where fewer
  // than 90 % of the differences are its step (not resampled, or broken),
  // naming the share. A series of fewer than two records passes.
  void check(std::int64_t step_parameter_s, bool one_record_per_step) const;

 private:
  static constexpr std::size_t kMaxDistinct = 4096;

  bool have_previous_ = false;
  Instante previous_ = 0;
  std::int64_t differences_ = 0;
  // The difference met last and its count, which most records repeat.
  std::int64_t last_ = 0;
  std::int64_t* last_count_ = nullptr;
  std::unordered_map<std::int64_t, std::int64_t> counts_;
};

}  // namespace rain
