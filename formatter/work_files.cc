#include "formatter/work_files.h"

#include <memory>
#include <optional>
#include <string>

#include "common/dates.h"
#include "common/failure.h"
#include "common/line_io.h"
#include "common/series_record.h"
#include "common/staged_file.h"
#include "common/text.h"
#include "formatter/discretiza_em_fluxo.h"

namespace rain::formatter {
namespace {

// A cache is staged under its temporary name and takes its own name only when
// complete: a run that fails or is killed half-way never leaves a cut grid or
// day list that a later run would take up.
template <typename Escreve>
void write_cache(Env& env, const char* name, Escreve&& linhas) {
  auto cache = StagedFile::create(env, name, tmp_name(name));
  if (!cache) throw Failure(std::string("Erro: Nao foi possivel gerar o arquivo ") + name + ".", 1);
  LineWriter& out = cache->lines();
  linhas([&](const std::string& line) { out.write_line(line); });
  if (!cache->close()) throw Failure(std::string("Erro: Nao foi possivel gravar o arquivo ") + name + ".", 1);
  // Something that is not a file holds the name (a folder, say).
  if (!cache->commit()) throw Failure(std::string("Erro: Nao foi possivel gerar o arquivo ") + name + ".", 1);
}

// The lines of the grid file, in order, each handed to `escreve`.
template <typename Escreve>
void grid_lines(const Passo& intervalo, Escreve&& escreve) {
  escreve(cut_short(intervalo.texto + " 00:00:00"));
  for (int s = 0; s >= 0; s = vaga_seguinte(s, intervalo.segundos())) {
    escreve(ClockTime{s / 3600, s / 60 % 60, s % 60}.text());
  }
}

// The lines of the day list file, in order, each handed to `escreve`.
template <typename Escreve>
void day_list_lines(const CalendarDate& inicio, const CalendarDate& fim, Escreve&& escreve) {
  escreve(inicio.text() + " " + fim.text());
  for (CalendarDate dia = inicio;; dia = next_day(dia)) {
    escreve(dia.text());
    if (dia == fim) break;
  }
}

// A cache file holds exactly the lines `gera` gives, and nothing after them.
template <typename Gera>
bool holds_exactly(Env& env, const char* name, Gera&& gera) {
  std::unique_ptr<LineReader> lines = open_lines(env, name);
  if (!lines) return false;
  bool same = true;
  std::string line;
  gera([&](const std::string& expected) {
    if (same && !(lines->read_line(line) && (cut_record(line), line == expected))) same = false;
  });
  return same && !lines->read_line(line) && !lines->failed();
}

// `a` comes before `b` by date key ("yy/mm/dd").
bool key_before(const CalendarDate& a, const CalendarDate& b) {
  return date_key_less(a.text(), b.text(), formatter_date_separators());
}

// Walking day by day from `inicio` meets `primeira`, then `ultima`, before it
// passes `fim`.
bool holds_in_order(const CalendarDate& inicio, const CalendarDate& fim, const CalendarDate& primeira,
                    const CalendarDate& ultima) {
  bool tem_primeira = false;
  for (CalendarDate dia = inicio;; dia = next_day(dia)) {
    tem_primeira = tem_primeira || dia == primeira;
    if (tem_primeira && dia == ultima) return true;
    if (dia == fim) return false;
  }
}

bool day_list_serves(Env& env, const CalendarDate& primeira, const CalendarDate& ultima) {
  std::string key_line;
  {
    std::unique_ptr<LineReader> lines = open_lines(env, kDayListFile);
    if (!lines) return false;
    key_line = cut_short(lines->read_line());
  }
  const std::optional<CalendarDate> inicio = fixed_calendar_date(record_field(key_line, 1));
  const std::optional<CalendarDate> fim = fixed_calendar_date(record_field(key_line, 2));
  if (!inicio || !fim || key_before(primeira, *inicio) || key_before(*fim, ultima)) return false;
  return holds_in_order(*inicio, *fim, primeira, ultima) &&
         holds_exactly(env, kDayListFile, [&](auto&& escreve) { day_list_lines(*inicio, *fim, escreve); });
}

}  // namespace

void PUTHORAS(Env& env, const Passo& intervalo) {
  write_cache(env, kGridFile, [&](auto&& escreve) { grid_lines(intervalo, escreve); });
}

void PUTDATAS(Env& env, const CalendarDate& inicio, const CalendarDate& fim) {
  write_cache(env, kDayListFile, [&](auto&& escreve) { day_list_lines(inicio, fim, escreve); });
}

void prepare_grid(Env& env, const Passo& intervalo) {
  if (!holds_exactly(env, kGridFile, [&](auto&& escreve) { grid_lines(intervalo, escreve); })) {
    PUTHORAS(env, intervalo);
  }
}

void prepare_day_list(Env& env, const CalendarDate& primeira, const CalendarDate& ultima) {
  if (!day_list_serves(env, primeira, ultima)) PUTDATAS(env, primeira, ultima);
}

}  // namespace rain::formatter
