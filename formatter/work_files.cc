#include "formatter/work_files.h"

#include <memory>

#include "common/calendar.h"
#include "common/created_file.h"
#include "common/failure.h"
#include "common/line_io.h"
#include "common/numbers.h"
#include "common/text.h"

namespace rain::formatter {
namespace {

const DelimiterSet& time_part_delimiters() {
  static const DelimiterSet set(":/");
  return set;
}

const DelimiterSet& date_part_delimiters() {
  static const DelimiterSet set("/");
  return set;
}

int whole_or_zero(std::string_view text) {
  auto value = whole_int16(text);
  return value ? *value : 0;
}

// A number right-aligned in two characters, a zero in place of the blank.
void append_two_digits(std::string& out, int value) {
  if (value >= 0 && value < 10) out += '0';
  out += std::to_string(value);
}

// "hh:mm:ss" or "dd/mm/yy": three fields of two digits joined by `separator`.
std::string two_digit_fields(int first, int second, int third, char separator) {
  std::string s;
  append_two_digits(s, first);
  s += separator;
  append_two_digits(s, second);
  s += separator;
  append_two_digits(s, third);
  return s;
}

struct ClockTime {
  int hora = 0;
  int minuto = 0;
  int segundo = 0;

  static ClockTime parse(std::string_view text) {
    const auto& d = time_part_delimiters();
    return {whole_or_zero(word_view(text, 1, d)), whole_or_zero(word_view(text, 2, d)),
            whole_or_zero(word_view(text, 3, d))};
  }
  long total_seconds() const { return hora * 3600L + minuto * 60L + segundo; }
  std::string text() const { return two_digit_fields(hora, minuto, segundo, ':'); }
  void add(const ClockTime& step) {
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

[[noreturn]] void cannot_create(const char* name) {
  throw Failure(std::string("Erro: Nao foi possivel gerar o arquivo ") + name + ".", 1);
}

[[noreturn]] void cannot_write(const char* name) {
  throw Failure(std::string("Erro: Nao foi possivel gravar o arquivo ") + name + ".", 1);
}

// A cache is written under its temporary name and takes its own name only
// when complete: a run that fails or is killed half-way never leaves a cut
// grid or day list that a later run would take up.
class CacheWriter {
 public:
  CacheWriter(Env& env, const char* name) : env_(env), name_(name), temporary_(env, temporary_name(name)) {
    out_ = create_lines(env, temporary_.path());
    if (!out_) cannot_create(name);
  }
  LineWriter& out() { return *out_; }
  void finish() {
    if (!out_->close()) cannot_write(name_);
    // Something that is not a file holds the name (a folder, say).
    if (!move_into_place(env_, temporary_.path(), name_)) cannot_create(name_);
    temporary_.keep();
  }

 private:
  Env& env_;
  const char* name_;
  CreatedFile temporary_;
  std::unique_ptr<LineWriter> out_;
};

}  // namespace

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

void PUTHORAS(Env& env, const std::string& intervalo, const std::string& partida) {
  CacheWriter cache(env, kGridFile);
  LineWriter* out = &cache.out();
  out->write_line(cut_short(intervalo + " " + partida));
  ClockTime step = ClockTime::parse(intervalo);
  ClockTime now = ClockTime::parse(partida);
  // A step that does not move forward would never reach the end of the day.
  bool moves = step.total_seconds() > 0 && step.hora >= 0 && step.minuto >= 0 && step.segundo >= 0;
  do {
    out->write_line(now.text());
    now.add(step);
  } while (moves && now.hora < 24);
  cache.finish();
}

void PUTDATAS(Env& env, const std::string& inicio, const std::string& fim) {
  if (!day_walk_reaches(inicio, fim)) {
    CalendarDay first = CalendarDay::parse(inicio);
    throw invalid_date(first.mes >= 1 && first.mes <= 12 ? fim : inicio);
  }
  CacheWriter cache(env, kDayListFile);
  LineWriter* out = &cache.out();
  out->write_line(cut_short(inicio + " " + fim));
  CalendarDay day = CalendarDay::parse(inicio);
  const CalendarDay last = CalendarDay::parse(fim);
  while (!(day == last)) {
    out->write_line(day.text());
    day.advance();
  }
  out->write_line(fim);
  cache.finish();
}

}  // namespace rain::formatter
