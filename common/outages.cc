#include "common/outages.h"

#include <algorithm>
#include <charconv>
#include <memory>
#include <string_view>

#include "common/calendar.h"
#include "common/failure.h"
#include "common/fixed.h"
#include "common/line_io.h"

namespace rain {
namespace {

// The fields of one CSV row; quotes around a field are taken off.
std::vector<std::string_view> csv_fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = line.find(',', start);
    const std::size_t length = comma == std::string_view::npos ? std::string_view::npos : comma - start;
    std::string_view field = line.substr(start, length);
    while (!field.empty() && (field.front() == ' ' || field.front() == '\t')) field.remove_prefix(1);
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t')) field.remove_suffix(1);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') field = field.substr(1, field.size() - 2);
    fields.push_back(field);
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

// "YYYY-MM-DDThh:mm:ss", a blank for the T and the seconds left out allowed.
std::optional<Instante> iso_time(std::string_view text) {
  if (text.size() != 16 && text.size() != 19) return std::nullopt;
  if (text[4] != '-' || text[7] != '-' || (text[10] != 'T' && text[10] != ' ') || text[13] != ':') {
    return std::nullopt;
  }
  if (text.size() == 19 && text[16] != ':') return std::nullopt;
  auto number = [&](std::size_t at, std::size_t digits) -> int {
    int value = 0;
    for (std::size_t i = at; i < at + digits; ++i) {
      if (text[i] < '0' || text[i] > '9') return -1;
      value = value * 10 + (text[i] - '0');
    }
    return value;
  };
  DataHora d;
  d.ano = number(0, 4);
  d.mes = number(5, 2);
  d.dia = number(8, 2);
  d.hora = number(11, 2);
  d.minuto = number(14, 2);
  d.segundo = text.size() == 19 ? number(17, 2) : 0;
  // A digit missing gives -1; 31/04 and 29/02 of a common year are no dates.
  if (d.ano < 0 || d.dia < 1 || d.dia > days_in_month(d.mes, d.ano) || !is_clock_time(d.hora, d.minuto, d.segundo)) {
    return std::nullopt;
  }
  return segundos_de(d);
}

std::optional<double> rain_field(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

Failure bad_line(const std::string& path, std::int64_t number, std::string_view text) {
  return Failure("Erro: a linha " + std::to_string(number) + " da lista de falhas " + path +
                     " nao e um intervalo inicio,fim valido: " + std::string(text),
                 1);
}

}  // namespace

OutageList OutageList::read(Env& env, const std::string& path) {
  std::unique_ptr<LineReader> file = open_lines(env, path);
  if (!file) throw Failure("Erro: nao foi possivel abrir a lista de falhas " + path + ".", 1);
  OutageList list;
  std::string line;
  std::int64_t number = 0;
  bool header_seen = false;
  while (file->read_line(line)) {
    ++number;
    std::string_view text = line;
    if (number == 1 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    if (text.find_first_not_of(" \t,") == std::string_view::npos) continue;
    const std::vector<std::string_view> fields = csv_fields(text);
    if (!header_seen) {
      if (fields.size() < 2 || fields[0] != "inicio" || fields[1] != "fim") {
        throw Failure("Erro: a lista de falhas " + path + " nao comeca pelo cabecalho inicio,fim.", 1);
      }
      header_seen = true;
      continue;
    }
    const std::optional<Instante> inicio = iso_time(fields[0]);
    const std::optional<Instante> fim = fields.size() >= 2 ? iso_time(fields[1]) : std::nullopt;
    if (!inicio || !fim || *fim <= *inicio) throw bad_line(path, number, text);
    Outage outage{*inicio, *fim, fields.size() >= 4 ? rain_field(fields[3]) : std::nullopt};
    list.outages_.push_back(outage);
  }
  if (file->failed()) throw Failure("Erro: nao foi possivel ler a lista de falhas " + path + ".", 1);
  if (!header_seen) throw Failure("Erro: a lista de falhas " + path + " nao comeca pelo cabecalho inicio,fim.", 1);

  std::sort(list.outages_.begin(), list.outages_.end(),
            [](const Outage& a, const Outage& b) { return a.inicio < b.inicio; });
  std::vector<Outage> joined;
  for (const Outage& outage : list.outages_) {
    if (!joined.empty() && outage.inicio <= joined.back().fim) {
      Outage& last = joined.back();
      last.fim = std::max(last.fim, outage.fim);
      if (outage.chuva_mm) last.chuva_mm = last.chuva_mm.value_or(0) + *outage.chuva_mm;
    } else {
      joined.push_back(outage);
    }
  }
  list.outages_ = std::move(joined);
  return list;
}

StepInOutage OutageList::classify(Instante inicio, std::int64_t passo_s) const {
  // The first outage that ends after the step starts is the only one it can
  // overlap; the one before it is the only one it can follow.
  auto next = std::upper_bound(outages_.begin(), outages_.end(), inicio,
                               [](Instante t, const Outage& outage) { return t < outage.fim; });
  if (next != outages_.end() && next->inicio < inicio + passo_s) return StepInOutage::kInOutage;
  if (next != outages_.begin() && inicio < std::prev(next)->fim + passo_s) return StepInOutage::kAfterOutage;
  return StepInOutage::kClear;
}

std::string outage_list_header() { return "inicio,fim,duracao_h,chuva_mm"; }

std::string outage_list_row(const Outage& outage) {
  std::string row = texto_iso(outage.inicio);
  row += ',';
  row += texto_iso(outage.fim);
  row += ',';
  row += format_fixed_compact(static_cast<long double>(outage.fim - outage.inicio) / 3600.0L, 2);
  row += ',';
  if (outage.chuva_mm) row += format_fixed_compact(*outage.chuva_mm, 2);
  return row;
}

}  // namespace rain
