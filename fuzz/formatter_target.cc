// Fuzz target of Ajusta_Leituras: its fifteen parameters (or the same values
// as dialogue answers), a file left by an earlier run and the options chosen
// by the first line of the input, the logger export after it.
#include <cstddef>
#include <cstdint>

#include "formatter/entrada.h"
#include "fuzz/harness.h"

namespace rain::fuzz {
namespace {

const char* const kExport = "entrada.csv";

// The candidates of each parameter, in the order of the command line: first
// the value the seed exports need, then other sensible values, then broken
// ones. Steps and bucket sizes stay such that a run writes little.
std::vector<Candidates> parameters() {
  return {
      {kExport, "./entrada.csv", "pasta/../entrada.csv", "apelido.txt", "nao_existe.csv", "pasta", "saida.txt",
       "buffer_horas.dat", long_name(kExport), "fila", "nulo"},
      {"saida.txt", "pasta/saida.txt", "./saida.txt", kExport, "apelido.txt", "sem_pasta/saida.txt", "pasta",
       "buffer_horas.dat", "buffer_datas.dat.tmp", "entrada.csv.pvx", long_name("saida.txt"), "nulo", "cheio",
       "fila"},
      {"nenhum", "total", "intervalo", "Total", "outro", ""},
      {"nenhum", "total", "intervalo", "INTERVALO", "outro"},
      {";", "space", "tab", ",", "SPACE", "/", ""},
      {"n", "s", "N", "S", "talvez"},
      {"00:05:00", "00:01:00", "00:10:00", "01:00:00", "00:07:00", "00:00:30", "23:59:59", "00/05/00", " 00:05:00",
       "5", "00:05", "00:00:00", "24:00:00", "-1:00:00", "ab:cd:ef"},
      {"0.2", "0.01", "1", "0.254", "0", "-0.2", "0,2", "abc", "1e-300", "1e300", "nan"},
      {"2", "1", "0", "3", "-1", "32767", "40000", "abc", "99999999999"},
      {"3", "2", "1", "0", "4", "-3", "32767", "abc"},
      {"1", "2", "3", "0", "-1", "99"},
      {"2", "1", "3", "0", "99"},
      {"3", "0", "2", "4", "1", "-2"},
      {"0", "3", "4", "2", "1"},
      {"DD/MM/YYYY", "MM/DD/YYYY", "MM/DD/YY", "DD/MM/YY", "YYYY-MM-DD", "aaaa-mm-dd", "M/D/Y", "", "XYZ", "DD/MM",
       "D/M/YYYYYYYY"},
  };
}

std::string two_digits(int n) { return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)}; }

// A five-minute time grid and a day list of March 2025 as a run leaves them,
// and the same cut short.
std::string grid(int lines) {
  std::string bytes = "00:05:00 00:00:00\r\n";
  for (int minutes = 0; minutes < 5 * lines; minutes += 5) {
    bytes += two_digits(minutes / 60) + ":" + two_digits(minutes % 60) + ":00\r\n";
  }
  return bytes;
}

std::string day_list(int days) {
  std::string bytes = "01/03/25 31/03/25\r\n";
  for (int day = 1; day <= days; ++day) bytes += two_digits(day) + "/03/25\r\n";
  return bytes;
}

std::vector<Leftover> leftovers() {
  return {
      {},
      Leftover::file("buffer_horas.dat", grid(288)),
      Leftover::file("buffer_horas.dat", grid(20)),
      Leftover::file("buffer_datas.dat", day_list(31)),
      Leftover::file("buffer_datas.dat", day_list(2)),
      Leftover::from_input("buffer_horas.dat"),
      Leftover::from_input("buffer_datas.dat"),
      Leftover::from_input("saida.txt.pvx"),
      Leftover::from_input("saida.txt~"),
      Leftover::from_input("buffer_horas.dat.tmp"),
      Leftover::from_input("saida.txt"),
      Leftover::folder("buffer_horas.dat"),
      Leftover::folder("saida.txt.pvx"),
      Leftover::from_input("falhas.csv"),
      Leftover::from_input("falhas.csv.pvx"),
      Leftover::held("buffer_horas.dat"),
      Leftover::held("buffer_datas.dat.tmp"),
      Leftover::held("saida.txt.pvx"),
      Leftover::held("saida.txt~"),
      Leftover::held("saida.txt.tmp"),
  };
}

// The dialogue asks in its own order, and the two types only for the columns
// that are given.
std::vector<std::string> answers(const std::vector<std::string>& p) {
  std::vector<std::string> a = {p[0], p[1], p[8], p[9], p[14], p[10], p[11], p[12], p[13]};
  if (p[12] != "0") a.push_back(p[2]);
  if (p[13] != "0") a.push_back(p[3]);
  a.insert(a.end(), {p[4], p[5], p[6], p[7]});
  return a;
}

const Program& ajusta_leituras() {
  static const Program program{
      "Ajusta_Leituras", formatter::run_ajusta_leituras, parameters(),
      // The options, one line each.
      {{"falha-apos", {"01:00:00", "00:20:00", "72:00:00", "00:05:00", "00:00:01", "0", "-01:00:00", "1:00", "abc"}},
       {"falhas", {"falhas.csv", "pasta/falhas.csv", kExport, "apelido.txt", "saida.txt", "buffer_horas.dat",
                   "sem_pasta/falhas.csv", "pasta", long_name("falhas.csv"), "nulo", "cheio"}}},
      leftovers(), answers,
      // Some two thousand records: a fine step over a long span writes no more.
      64 << 10};
  return program;
}

}  // namespace
}  // namespace rain::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  rain::fuzz::Choices choices(data, size);
  const rain::fuzz::Run run = rain::fuzz::pick_run(choices, rain::fuzz::ajusta_leituras());
  rain::fuzz::run_and_check(run, rain::fuzz::kExport, choices.body());
  return 0;
}
