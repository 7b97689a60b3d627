// The stages carried in memory must leave what the stages through their work
// files leave: the same output bytes, console and files, on success and on
// every stop. A run whose input is a link takes the work files, so each case
// is run both ways and compared.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>
#include <string>
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

struct Outcome {
  int code = 0;
  std::string console;
  std::vector<std::string> files;
  std::string series;
};

Outcome run_in(const std::string& raw, std::vector<std::string> args, bool through_link) {
  ScratchDir dir;
  ScopedCurrentDir cwd(dir.path());
  dir.write("raw.txt", raw);
  if (through_link) {
    std::filesystem::create_symlink("raw.txt", dir.file("link.txt"));
    args[0] = "link.txt";
  }
  std::istringstream in;
  std::ostringstream out;
  FakeTerminal terminal;
  Console console{in, out, terminal};
  Outcome o;
  o.code = run_ajusta_leituras(args, console, default_env());
  o.console = out.str();
  for (const std::string& name : dir.list()) {
    if (name != "link.txt") o.files.push_back(name);
  }
  if (dir.exists("serie.txt")) o.series = dir.read("serie.txt");
  return o;
}

// An irregular export: readings one to many minutes apart, some at the same
// second, with gaps of days, starting anywhere (the turn of the century and
// leap days included); depths as increments, or running totals with a
// decimal comma now and then.
std::string random_export(std::mt19937& rng, bool total, bool four_digit_year, bool spoil) {
  static const int kStartYears[] = {99, 0, 4, 5};
  int ano = kStartYears[rng() % 4];
  int mes = static_cast<int>(rng() % 12) + 1;
  int dia = static_cast<int>(rng() % static_cast<unsigned>(days_in_month(mes, ano))) + 1;
  if (ano == 99) mes = 12, dia = 30;  // over the turn of the century
  if (ano == 4) mes = 2, dia = 28;    // over a leap day
  long segundos = static_cast<long>(rng() % 86400);
  std::string raw = "Data;Hora;Chuva;Basculadas\r\n";
  double acumulado = 0;
  const int readings = static_cast<int>(rng() % 40);
  for (int i = 0; i < readings; ++i) {
    const auto jump = static_cast<unsigned>(rng() % 10);
    segundos += jump == 0 ? 0 : jump < 8 ? static_cast<long>(rng() % 900) : static_cast<long>(rng() % 300000);
    while (segundos >= 86400) {
      segundos -= 86400;
      if (++dia > days_in_month(mes, ano)) {
        dia = 1;
        if (++mes > 12) mes = 1, ano = (ano + 1) % 100;
      }
    }
    const int tips = static_cast<int>(rng() % 3);
    acumulado += 0.2 * tips;
    std::string date = two_digit_fields(dia, mes, ano, '/');
    if (four_digit_year) date.insert(6, ano < 50 ? "20" : "19");
    char depth[32];
    std::snprintf(depth, sizeof depth, "%.1f", total ? acumulado : 0.2 * tips);
    std::string depth_text = depth;
    if (total && rng() % 4 == 0) depth_text[depth_text.find('.')] = ',';
    if (spoil && i == readings / 2) depth_text = "n/d";
    raw += date + ";" + two_digit_fields(static_cast<int>(segundos / 3600), static_cast<int>(segundos / 60 % 60),
                                         static_cast<int>(segundos % 60), ':') +
           ";" + depth_text + ";" + std::to_string(tips) + "\r\n";
  }
  return raw;
}

TEST(StagesInMemory, LeaveWhatTheWorkFileStagesLeave) {
  std::mt19937 rng(20261207);
  static const char* const kSteps[] = {"00:05:00", "00:07:00", "00:00:59", "23:59:59", "1:0:0", "00:15:00"};
  for (int c = 0; c < 120; ++c) {
    const bool total = rng() % 3 == 0;
    const bool spoil = total && rng() % 4 == 0;
    const bool four_digits = rng() % 2 == 0;
    const std::string raw = random_export(rng, total, four_digits, spoil);
    const bool copied = rng() % 3 == 0;
    const std::string resampled = rng() % 4 == 0 ? "s" : "n";
    const std::vector<std::string> args = {
        "raw.txt",  "serie.txt", total ? "total" : "nenhum", copied ? "intervalo" : "nenhum", ";", resampled,
        kSteps[rng() % 6], "0.2", "1", "2", "1", "2", "3", copied ? "4" : "0", four_digits ? "DD/MM/YYYY" : "DD/MM/YY"};
    const Outcome memory = run_in(raw, args, false);
    const Outcome files = run_in(raw, args, true);
    SCOPED_TRACE("case " + std::to_string(c) + ", step " + args[6] + ", resampled " + args[5] + "\n" + raw);
    EXPECT_EQ(memory.code, files.code);
    EXPECT_EQ(memory.console, files.console);
    EXPECT_EQ(memory.files, files.files);
    EXPECT_EQ(memory.series, files.series);
  }
}

}  // namespace
}  // namespace rain::formatter
