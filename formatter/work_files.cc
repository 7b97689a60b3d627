#include "formatter/work_files.h"

#include <memory>
#include <optional>

#include "common/calendar.h"
#include "common/created_file.h"
#include "common/failure.h"
#include "common/line_io.h"
#include "common/numbers.h"
#include "common/series_record.h"
#include "common/staged_file.h"
#include "common/text.h"

namespace rain::formatter {
namespace {

const DelimiterSet& date_part_delimiters() {
  static const DelimiterSet set("/");
  return set;
}

int whole_or_zero(std::string_view text) {
  auto value = whole_int16(text);
  return value ? *value : 0;
}

// A time of the day grid; unlike a clock time it may pass 23:59:59 while the
// grid is laid out.
struct GridTime {
  int hora = 0;
  int minuto = 0;
  int segundo = 0;

  static GridTime parse(std::string_view text) {
    const auto& d = date_time_parts();
    return {whole_or_zero(word_view(text, 1, d)), whole_or_zero(word_view(text, 2, d)),
            whole_or_zero(word_view(text, 3, d))};
  }
  std::string text() const { return two_digit_fields(hora, minuto, segundo, ':'); }
  void add(const GridTime& step) {
    hora += step.hora;
    minuto += step.minuto;
    segundo += step.segundo;
    if (segundo > 59) {
      minuto += segundo / 60;
      segundo %= 60;
    }
    if (minuto > 59) {
      hora += minuto / 60;
      minuto %= 60;
    }
  }
};

// A part of the step: a whole number of at most 16 bits within 0..`maximo`.
std::optional<int> step_part(std::string_view text, int n, int maximo) {
  const std::optional<std::int16_t> value = whole_int16(word_view(text, n, date_time_parts()));
  if (!value || *value < 0 || *value > maximo) return std::nullopt;
  return *value;
}

[[noreturn]] void cannot_create(const char* name) {
  throw Failure(std::string("Erro: Nao foi possivel gerar o arquivo ") + name + ".", 1);
}

[[noreturn]] void cannot_write(const char* name) {
  throw Failure(std::string("Erro: Nao foi possivel gravar o arquivo ") + name + ".", 1);
}

// A cache is staged under its temporary name and takes its own name only when
// complete: a run that fails or is killed half-way never leaves a cut grid or
// day list that a later run would take up.
std::unique_ptr<StagedFile> create_cache(Env& env, const char* name) {
  auto cache = StagedFile::create(env, name, temporary_name(name));
  if (!cache) cannot_create(name);
  return cache;
}

void finish_cache(StagedFile& cache, const char* name) {
  if (!cache.close()) cannot_write(name);
  // Something that is not a file holds the name (a folder, say).
  if (!cache.commit()) cannot_create(name);
}

}  // namespace

Passo Passo::le(std::string_view texto) {
  Passo passo{cut_short(texto)};
  const auto hora = step_part(passo.texto, 1, 23);
  const auto minuto = step_part(passo.texto, 2, 59);
  const auto segundo = step_part(passo.texto, 3, 59);
  if (!hora || !minuto || !segundo || (*hora == 0 && *minuto == 0 && *segundo == 0)) {
    throw Failure::silent(1, "Erro: parametro 7 (intervalo de discretizacao): \"" + passo.texto +
                                 "\" nao e um intervalo hh:mm:ss de 00:00:01 a 23:59:59.");
  }
  passo.hora = *hora;
  passo.minuto = *minuto;
  passo.segundo = *segundo;
  return passo;
}

CalendarDay CalendarDay::parse(std::string_view date) {
  const auto& d = date_part_delimiters();
  return {whole_or_zero(word_view(date, 1, d)), whole_or_zero(word_view(date, 2, d)),
          whole_or_zero(word_view(date, 3, d))};
}

void CalendarDay::advance() {
  ++dia;
  if (mes < 1 || mes > 12 || dia <= days_in_month(mes, ano)) return;
  dia = 1;
  ++mes;
  if (mes > 12) {
    mes = 1;
    ++ano;
    if (ano > 99) ano = 0;
  }
}

std::string CalendarDay::text() const { return two_digit_fields(dia, mes, ano, '/'); }

bool CalendarDay::is_real_date() const { return is_calendar_date(dia, mes, ano); }

Failure invalid_date(std::string_view date) {
  return Failure("Erro: Data invalida no arquivo de entrada: " + std::string(date) + ".", 1);
}

bool day_walk_reaches(std::string_view inicio, std::string_view fim) {
  // From a real month the walk soon falls into step with the calendar and then
  // passes every real date of the century; from any other month it never
  // leaves it.
  CalendarDay first = CalendarDay::parse(inicio);
  return first.mes >= 1 && first.mes <= 12 && CalendarDay::parse(fim).is_real_date();
}

namespace {

// The lines of the grid file, in order, each handed to `escreve`.
template <typename Escreve>
void grid_lines(const Passo& intervalo, const std::string& partida, Escreve&& escreve) {
  escreve(cut_short(intervalo.texto + " " + partida));
  const GridTime step{intervalo.hora, intervalo.minuto, intervalo.segundo};
  GridTime now = GridTime::parse(partida);
  do {
    escreve(now.text());
    now.add(step);
  } while (now.hora < 24);
}

// The lines of the day list file, in order, each handed to `escreve`; `fim`
// must be reachable from `inicio`.
template <typename Escreve>
void day_list_lines(const std::string& inicio, const std::string& fim, Escreve&& escreve) {
  escreve(cut_short(inicio + " " + fim));
  CalendarDay day = CalendarDay::parse(inicio);
  const CalendarDay last = CalendarDay::parse(fim);
  while (!(day == last)) {
    escreve(day.text());
    day.advance();
  }
  escreve(fim);
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

}  // namespace

void PUTHORAS(Env& env, const Passo& intervalo, const std::string& partida) {
  auto cache = create_cache(env, kGridFile);
  LineWriter& out = cache->lines();
  grid_lines(intervalo, partida, [&](const std::string& line) { out.write_line(line); });
  finish_cache(*cache, kGridFile);
}

void PUTDATAS(Env& env, const std::string& inicio, const std::string& fim) {
  if (!day_walk_reaches(inicio, fim)) {
    CalendarDay first = CalendarDay::parse(inicio);
    throw invalid_date(first.mes >= 1 && first.mes <= 12 ? fim : inicio);
  }
  auto cache = create_cache(env, kDayListFile);
  LineWriter& out = cache->lines();
  day_list_lines(inicio, fim, [&](const std::string& line) { out.write_line(line); });
  finish_cache(*cache, kDayListFile);
}

bool grid_is_whole(Env& env, const Passo& intervalo, const std::string& partida) {
  return holds_exactly(env, kGridFile, [&](auto&& escreve) { grid_lines(intervalo, partida, escreve); });
}

bool day_list_is_whole(Env& env, const std::string& inicio, const std::string& fim) {
  if (!day_walk_reaches(inicio, fim)) return false;
  return holds_exactly(env, kDayListFile, [&](auto&& escreve) { day_list_lines(inicio, fim, escreve); });
}

}  // namespace rain::formatter
