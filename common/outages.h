// The outage list: stretches of a record in which the logger wrote nothing,
// as the formatter finds them (readings further apart than a limit) or as a
// user writes them from field notes. A CSV file like the tables (RFC 4180,
// CR LF, ISO 8601 local times):
//
//   inicio,fim,duracao_h,chuva_mm
//   2025-03-05T00:00:00,2025-03-07T00:00:00,48.00,12.40
//
// `inicio,fim` alone is a whole list. An outage covers the steps that start
// from `inicio` up to, not including, `fim`; the step that starts at `fim`
// holds the rain the counter gained across the outage, so its figures are not
// those of one step either.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/env.h"
#include "common/instante.h"

namespace rain {

struct Outage {
  Instante inicio = 0;
  Instante fim = 0;                 // after inicio
  std::optional<double> chuva_mm;  // the rain gained across it, when known
};

enum class StepInOutage {
  kClear,         // a step the logger saw
  kInOutage,      // a step that overlaps an outage
  kAfterOutage,   // the first step that starts at or after an outage's end
};

class OutageList {
 public:
  // An empty list: every step is clear.
  OutageList() = default;

  // Reads the list at `path`, in any order; outages that overlap or touch
  // are joined. A list that cannot be opened, a header without `inicio,fim`
  // first or a row that is not two times with the end after the start throws
  // a Failure naming the file, the line and its text (exit code 1).
  static OutageList read(Env& env, const std::string& path);

  const std::vector<Outage>& outages() const { return outages_; }
  bool empty() const { return outages_.empty(); }

  // Where the step that starts at `inicio` and lasts `passo_s` seconds lies.
  StepInOutage classify(Instante inicio, std::int64_t passo_s) const;

 private:
  std::vector<Outage> outages_;  // sorted, apart from each other
};

// The header the formatter writes, and one row: the times, the hours between
// them and the rain gained across the outage, both with two decimals.
std::string outage_list_header();
std::string outage_list_row(const Outage& outage);

}  // namespace rain
