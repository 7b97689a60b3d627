// The stages carried in memory must leave what the stages through their work
// files leave: the same output bytes, console, notes and files, on success and
// on every stop. A run whose input is a link takes the work files, so each case
// is run both ways and compared; the run through the work files may also find
// caches and slots an interrupted run left.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common/calendar.h"
#include "formatter/entrada.h"
#include "tests/support/e2e.h"
#include "tests/support/fake_terminal.h"

namespace rain::formatter {
namespace {

using rain::testing::FakeTerminal;
using rain::testing::ScopedCurrentDir;
using rain::testing::ScratchDir;

using Files = std::vector<std::pair<std::string, std::string>>;

struct Outcome {
  int code = 0;
  std::string console;
  std::string notes;
  std::vector<std::string> files;
  std::string series;
  std::string outages;
};

// `left` are files an interrupted run left, planted before the run; names of
// `unlisted` are not listed after it.
Outcome run_in(const std::string& raw, std::vector<std::string> args, bool through_link, const Files& left,
               const Files& unlisted) {
  ScratchDir dir;
  ScopedCurrentDir cwd(dir.path());
  dir.write("raw.txt", raw);
  for (const auto& [name, bytes] : left) dir.write(name, bytes);
  if (through_link) {
    std::filesystem::create_symlink("raw.txt", dir.file("link.txt"));
    args[args.size() - 15] = "link.txt";
  }
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  FakeTerminal terminal;
  Console console{in, out, err, terminal};
  Outcome o;
  o.code = run_ajusta_leituras(args, console, default_env());
  o.console = out.str();
  o.notes = err.str();
  for (const std::string& name : dir.list()) {
    bool planted = name == "link.txt";
    for (const auto& file : unlisted) planted = planted || file.first == name;
    if (!planted) o.files.push_back(name);
  }
  if (dir.exists("serie.txt")) o.series = dir.read("serie.txt");
  if (dir.exists("falhas.csv")) o.outages = dir.read("falhas.csv");
  return o;
}

struct Step {
  const char* text;
  int seconds;
};

const Step kSteps[] = {{"00:05:00", 300},  {"00:07:00", 420}, {"00:00:59", 59},
                       {"23:59:59", 86399}, {"1:0:0", 3600},   {"00:15:00", 900}};

// A random case: an export with the faults real loggers and hand edits put in
// it, the parameters to read it, and what an interrupted run may have left.
class RandomCase {
 public:
  explicit RandomCase(std::mt19937& rng) : rng_(rng) {}

  std::string raw;
  std::vector<std::string> args;
  Files left;

  void make() {
    const bool total = one_in(3);
    const int tip_column_kind = static_cast<int>(rng_() % 4);  // none, copied, copied alone, running count alone
    const bool rain_column = tip_column_kind < 2;
    const bool copied = tip_column_kind == 1 || tip_column_kind == 2;
    four_digits_ = one_in(2);
    const char* separator = one_in(5) ? "tab" : one_in(5) ? "space" : ";";
    sep_ = separator[0] == ';' ? ";" : separator[0] == 't' ? "\t" : " ";
    const Step step = kSteps[rng_() % 6];
    const bool resampled = !one_in(4);
    header_kind_ = static_cast<int>(rng_() % 4);
    crlf_ = !one_in(4);
    write_export(total, rain_column, copied, tip_column_kind == 3);

    if (one_in(4)) args = {"--falha-apos", one_in(2) ? "01:00:00" : "30:00:00"};
    if (one_in(4)) args.insert(args.end(), {"--falhas", "falhas.csv"});
    const char* const kHeader[][2] = {{"1", "2"}, {"0", "1"}, {"5", "2"}, {"2", "3"}};
    const std::vector<std::string> params = {
        "raw.txt", "serie.txt", total ? "total" : "nenhum",
        copied ? "intervalo" : tip_column_kind == 3 ? "total" : "nenhum", separator, resampled ? "n" : "s",
        step.text, "0.2", kHeader[header_kind_][0], kHeader[header_kind_][1], "1", "2", rain_column ? "3" : "0",
        copied || tip_column_kind == 3 ? (rain_column ? "4" : "3") : "0", four_digits_ ? "DD/MM/YYYY" : "DD/MM/YY"};
    args.insert(args.end(), params.begin(), params.end());
    if (resampled && one_in(3)) leave_work_files(step);
  }

 private:
  bool one_in(unsigned n) { return rng_() % n == 0; }

  void line(const std::string& text) { raw += text + (crlf_ ? "\r\n" : "\n"); }

  std::string date_text() const {
    std::string date = two_digit_fields(dia_, mes_, ano_, '/');
    if (four_digits_) date.insert(6, ano_ < 50 ? "20" : "19");
    return date;
  }

  void next_day() {
    if (++dia_ > days_in_month(mes_, ano_)) {
      dia_ = 1;
      if (++mes_ > 12) mes_ = 1, ano_ = (ano_ + 1) % 100;
    }
  }

  // Readings one to many minutes apart, some at the same second, with gaps of
  // days, starting anywhere (the turn of the century and leap days included).
  void write_export(bool total, bool rain_column, bool copied, bool running_count) {
    static const int kStartYears[] = {99, 0, 4, 5};
    ano_ = kStartYears[rng_() % 4];
    mes_ = static_cast<int>(rng_() % 12) + 1;
    dia_ = static_cast<int>(rng_() % static_cast<unsigned>(days_in_month(mes_, ano_))) + 1;
    if (ano_ == 99) mes_ = 12, dia_ = 30;  // over the turn of the century
    if (ano_ == 4) mes_ = 2, dia_ = 28;    // over a leap day
    long segundos = static_cast<long>(rng_() % 86400);
    if (header_kind_ == 3) line("Posto 0417 - registrador");
    if (header_kind_ != 1) line("Data;Hora;Chuva (mm);Basculadas");
    if (one_in(6)) line("");
    const int readings = one_in(5) ? static_cast<int>(rng_() % 3) : static_cast<int>(rng_() % 40);
    const bool spoil = total && one_in(4);
    double acumulado = 0;
    long contagem = static_cast<long>(rng_() % 2000);
    std::string previous;
    for (int i = 0; i < readings; ++i) {
      if (!previous.empty() && one_in(15)) {  // written twice by the logger
        line(previous);
        continue;
      }
      if (one_in(20)) line(one_in(2) ? "   " : " \t ");
      const auto jump = static_cast<unsigned>(rng_() % 10);
      segundos += jump == 0 ? 0 : jump < 8 ? static_cast<long>(rng_() % 900) : static_cast<long>(rng_() % 300000);
      while (segundos >= 86400) {
        segundos -= 86400;
        next_day();
      }
      int tips = static_cast<int>(rng_() % 3);
      if (one_in(25)) tips = -1;  // a reading below zero
      acumulado += 0.2 * tips;
      contagem += tips;
      if (total && one_in(25)) acumulado = 0.2 * static_cast<int>(rng_() % 5);  // the counter started again
      if (running_count && one_in(25)) contagem = 0;
      char depth[32];
      std::snprintf(depth, sizeof depth, "%.1f", total ? acumulado : 0.2 * tips);
      std::string depth_text = depth;
      if (total && one_in(4)) depth_text[depth_text.find('.')] = ',';
      if (total && one_in(20)) depth_text += std::string(300, '0');  // a record over 255 characters
      if (spoil && i == readings / 2) depth_text = "n/d";
      std::string tip_text = std::to_string(running_count ? contagem : tips);
      if (copied && one_in(20)) tip_text.insert(0, 260, '0');
      std::vector<std::string> fields = {date_text(),
                                         two_digit_fields(static_cast<int>(segundos / 3600),
                                                          static_cast<int>(segundos / 60 % 60),
                                                          static_cast<int>(segundos % 60), ':')};
      if (rain_column) fields.push_back(depth_text);
      if (copied || running_count) fields.push_back(tip_text);
      std::string text;
      for (const std::string& field : fields) {
        if (!text.empty()) text += sep_;
        // A tab around a field, which becomes a blank.
        if (one_in(30)) text += '\t';
        text += field;
      }
      if (one_in(30)) text += sep_;
      line(text);
      previous = text;
    }
    if (one_in(6)) line("");
  }

  // The grid and day list an interrupted run left, whole or not, and its
  // slots.
  void leave_work_files(const Step& step) {
    std::string grid = std::string(step.text) + " 00:00:00\r\n";
    const int kind = static_cast<int>(rng_() % 4);
    // From another start: every line follows the step, but the slots start
    // elsewhere than at midnight.
    if (kind == 1) grid = std::string(step.text) + " 00:00:01\r\n";
    for (int s = kind == 1 ? 1 : 0; s < 86400; s += step.seconds) {
      grid += ClockTime{s / 3600, s / 60 % 60, s % 60}.text() + "\r\n";
    }
    if (kind == 2) grid.resize(grid.size() / 2);  // cut by a kill
    if (kind != 3) left.emplace_back("buffer_horas.dat", grid);
    // A day list of this year and the next, which covers most series.
    const int ano = ano_;
    std::string days =
        two_digit_fields(1, 1, (ano + 99) % 100, '/') + " " + two_digit_fields(31, 12, (ano + 1) % 100, '/') + "\r\n";
    dia_ = 1, mes_ = 1, ano_ = (ano + 99) % 100;
    for (;;) {
      days += two_digit_fields(dia_, mes_, ano_, '/') + "\r\n";
      if (dia_ == 31 && mes_ == 12 && ano_ == (ano + 1) % 100) break;
      next_day();
    }
    if (one_in(3)) days.erase(days.find("\r\n") + 2, 10);  // a day missing
    if (!one_in(4)) left.emplace_back("buffer_datas.dat", days);
    if (one_in(3)) left.emplace_back("serie.txt~", "slots of a killed run\r\n");
  }

  std::mt19937& rng_;
  bool four_digits_ = false;
  bool crlf_ = true;
  int header_kind_ = 0;
  std::string sep_;
  int dia_ = 1, mes_ = 1, ano_ = 0;
};

TEST(StagesInMemory, LeaveWhatTheWorkFileStagesLeave) {
  std::mt19937 rng(20261207);
  for (int c = 0; c < 400; ++c) {
    RandomCase random(rng);
    random.make();
    const Outcome memory = run_in(random.raw, random.args, false, {}, random.left);
    const Outcome files = run_in(random.raw, random.args, true, random.left, random.left);
    std::string args;
    for (const std::string& a : random.args) args += a + " ";
    for (const auto& file : random.left) args += "[" + file.first + " left: " + file.second.substr(0, 60) + "] ";
    SCOPED_TRACE("case " + std::to_string(c) + ": " + args + "\n" + random.raw);
    EXPECT_EQ(memory.code, files.code);
    EXPECT_EQ(memory.console, files.console);
    EXPECT_EQ(memory.notes, files.notes);
    EXPECT_EQ(memory.files, files.files);
    EXPECT_EQ(memory.series, files.series);
    EXPECT_EQ(memory.outages, files.outages);
  }
}

}  // namespace
}  // namespace rain::formatter
