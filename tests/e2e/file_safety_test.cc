// The programs never destroy a file by a slip of naming: a name a run
// writes or deletes that is a file it reads (or another of its own names) is
// refused before anything is touched, a failed run removes only what it
// created, and the resampling caches never hold a cut file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include "tests/e2e/events_series.h"
#include "tests/e2e/folder_snapshot.h"
#include "tests/e2e/formatter_support.h"
#include "tests/support/e2e.h"

namespace rain::testing {
namespace {

using formatter_e2e::Argumentos;
using Linhas = std::vector<std::string>;

const std::string kRaw = crlf_lines({"01/02/05;10:00;0.2", "01/02/05;10:07;0.2", "01/02/05;10:20;0.4"});

struct Refusal {
  std::string program;
  Linhas args;
  std::map<std::string, std::string> files;  // the folder before the run
  std::string line;
};

// Each refused run: its one line, exit code 1, and the folder exactly as before.
void expect_refused(const Refusal& c) {
  ScratchDir dir;
  for (const auto& [name, bytes] : c.files) {
    std::filesystem::create_directories(std::filesystem::path(dir.file(name)).parent_path());
    dir.write(name, bytes);
  }
  const auto before = snapshot(dir);
  RunResult r = run_program(c.program, c.args, dir.path());
  EXPECT_EQ(r.exit_code, 1) << c.line;
  EXPECT_EQ(r.console, console_text(c.line + "\n"));
  EXPECT_EQ(snapshot(dir), before) << c.line;
}

Linhas formatter_args(const std::string& entrada, const std::string& saida, const std::string& discretizado) {
  Argumentos a;
  a.entrada = entrada;
  a.saida = saida;
  a.discretizado = discretizado;
  return a.lista();
}

TEST(FileSafety, FormatterRefusesEveryClashOfItsNames) {
  const std::string serie_antiga = "previous series\r\n";
  const std::string longo = "d/" + std::string(254, 's');
  const Refusal casos[] = {
      {"Ajusta_Leituras", formatter_args("serie.txt~", "serie.txt", "n"), {{"serie.txt~", kRaw}},
       "Erro: o arquivo de trabalho serie.txt~ nao pode ser o arquivo de entrada."},
      {"Ajusta_Leituras", formatter_args("buffer_horas.dat", "serie.txt", "n"),
       {{"buffer_horas.dat", kRaw}, {"serie.txt", serie_antiga}},
       "Erro: o arquivo de trabalho buffer_horas.dat nao pode ser o arquivo de entrada."},
      {"Ajusta_Leituras", formatter_args("./buffer_datas.dat", "serie.txt", "N"), {{"buffer_datas.dat", kRaw}},
       "Erro: o arquivo de trabalho buffer_datas.dat nao pode ser o arquivo de entrada."},
      {"Ajusta_Leituras", formatter_args("raw.txt", "buffer_horas.dat", "n"), {{"raw.txt", kRaw}},
       "Erro: o arquivo de trabalho buffer_horas.dat nao pode ser o arquivo de saida."},
      {"Ajusta_Leituras", formatter_args("raw.txt", "d/../buffer_datas.dat", "n"),
       {{"raw.txt", kRaw}, {"d/x", ""}, {"buffer_datas.dat", "days"}},
       "Erro: o arquivo de trabalho buffer_datas.dat nao pode ser o arquivo de saida."},
      {"Ajusta_Leituras", formatter_args("serie.txt.pvx", "serie.txt", "s"),
       {{"serie.txt.pvx", kRaw}, {"serie.txt", serie_antiga}},
       "Erro: o arquivo de trabalho serie.txt.pvx nao pode ser o arquivo de entrada."},
      {"Ajusta_Leituras", formatter_args("raw.txt", longo, "s"), {{"raw.txt", kRaw}},
       "Erro: o caminho dado para o arquivo de saida tem mais de 255 caracteres."},
      {"Ajusta_Leituras", formatter_args(longo, "serie.txt", "s"), {{"raw.txt", kRaw}},
       "Erro: o caminho dado para o arquivo de entrada tem mais de 255 caracteres."},
  };
  for (const Refusal& c : casos) expect_refused(c);
}

TEST(FileSafety, FormatterRefusesAnOutputThatLinksToTheInput) {
  ScratchDir dir;
  dir.write("raw.txt", kRaw);
  ASSERT_EQ(::symlink("raw.txt", dir.file("soft").c_str()), 0);
  ASSERT_EQ(::link(dir.file("raw.txt").c_str(), dir.file("hard").c_str()), 0);
  const auto before = snapshot(dir);
  for (const char* saida : {"soft", "hard"}) {
    RunResult r = run_program("Ajusta_Leituras", formatter_args("raw.txt", saida, "n"), dir.path());
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.console, console_text("Erro: o arquivo de saida nao pode ser o proprio arquivo de entrada.\n"));
    EXPECT_EQ(snapshot(dir), before);
  }
}

TEST(FileSafety, FormatterWithoutResamplingLeavesFilesNamedLikeTheCaches) {
  ScratchDir dir;
  dir.write("buffer_horas.dat", kRaw);
  dir.write("buffer_datas.dat", "a file of the user\r\n");
  RunResult r = run_program("Ajusta_Leituras", formatter_args("buffer_horas.dat", "serie.txt", "s"), dir.path());
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(dir.read("buffer_horas.dat"), kRaw);
  EXPECT_EQ(dir.read("buffer_datas.dat"), "a file of the user\r\n");
  EXPECT_EQ(dir.read("serie.txt"), crlf_lines({"Hora Data Acumulo Basculacao", "10:00 01/02/05 0.20 1",
                                               "10:07 01/02/05 0.40 2"}));
}

const std::string kSerie = events::serie({0, 2, 0, 1, 0, 0, 0});

TEST(FileSafety, SearchAndEventsRefuseClashesAndLongPaths) {
  const std::string longo = "d/" + std::string(254, 'r');
  const Linhas total = {"total", "0", "0", "0", "0", "0.2"};
  auto picos = [&total](const std::string& entrada, const std::string& saida) {
    Linhas args{entrada, saida};
    args.insert(args.end(), total.begin(), total.end());
    return args;
  };
  auto fatia = [](const std::string& entrada, const std::string& saida) {
    return Linhas{entrada, saida, "01:00:00", "0", "0.2", "00:05:00"};
  };
  const Refusal casos[] = {
      {"Fatia_Chuvadas", fatia("buffer_eventos.pvx", "ev"), {{"buffer_eventos.pvx", kSerie}},
       "Erro: o arquivo de trabalho buffer_eventos.pvx nao pode ser o arquivo de entrada."},
      {"Fatia_Chuvadas", fatia("serie.txt", longo), {{"serie.txt", kSerie}},
       "Erro: o caminho dado para o arquivo de saida tem mais de 255 caracteres."},
      {"Rastreia_Picos", picos("serie.txt", longo), {{"serie.txt", kSerie}},
       "Erro: o caminho dado para o arquivo de saida tem mais de 255 caracteres."},
      {"Rastreia_Picos", picos("serie.txt", "./serie.txt"), {{"serie.txt", kSerie}},
       "Erro: o arquivo de saida e o proprio arquivo de entrada."},
  };
  for (const Refusal& c : casos) expect_refused(c);

  // A series reached through a link to the work file is the work file.
  ScratchDir dir;
  dir.write("buffer_eventos.pvx", kSerie);
  ASSERT_EQ(::symlink("buffer_eventos.pvx", dir.file("serie.txt").c_str()), 0);
  const auto before = snapshot(dir);
  RunResult r = run_program("Fatia_Chuvadas", fatia("serie.txt", "ev"), dir.path());
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console,
            console_text("Erro: o arquivo de trabalho buffer_eventos.pvx nao pode ser o arquivo de entrada.\n"));
  EXPECT_EQ(snapshot(dir), before);
}

// A report that cannot be written: the run fails, and what bore the name
// before, a device or a link to one, is still there.
TEST(FileSafety, FailedReportNeverRemovesADeviceOrALink) {
  // Wine writes to a POSIX device as to any file, and Windows has no such node.
  if (windows_build()) GTEST_SKIP() << "POSIX device nodes only";
  ScratchDir dir;
  dir.write("serie.txt", kSerie);
  // A device node of our own, like /dev/full, where only root may make one;
  // elsewhere /dev/full itself, which only root could remove.
  std::string device = dir.file("full");
  if (::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 7)) != 0) device = "/dev/full";
  ASSERT_EQ(::symlink(device.c_str(), dir.file("r.txt").c_str()), 0);
  const auto before = snapshot(dir);
  for (const std::string& relatorio : {device, std::string("r.txt")}) {
    RunResult r = run_program("Rastreia_Picos", {"serie.txt", relatorio, "total", "0", "0", "0", "0", "0.2"},
                              dir.path());
    EXPECT_EQ(r.exit_code, 1) << relatorio;
    EXPECT_EQ(r.console, console_text("Erro: nao foi possivel gravar o arquivo de saida.\n")) << relatorio;
    EXPECT_EQ(snapshot(dir), before) << relatorio;
    struct stat st;
    EXPECT_TRUE(::stat(device.c_str(), &st) == 0 && S_ISCHR(st.st_mode)) << relatorio;
  }
}

std::string two_digits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// The whole grid of a one-second step: its key line, then every second of a day.
std::string whole_one_second_grid() {
  std::string grid = "00:00:01 00:00:00\r\n";
  for (int s = 0; s < 24 * 3600; ++s) {
    grid += two_digits(s / 3600) + ":" + two_digits(s / 60 % 60) + ":" + two_digits(s % 60) + "\r\n";
  }
  return grid;
}

// Runs killed at every moment of their start, the cache writes among them:
// the cache names hold a whole file or nothing, and the run after them gives
// the series of a clean run.
TEST(FileSafety, RunKilledWhileTheCachesAreWrittenLeavesNoCutCache) {
  if (windows_build()) GTEST_SKIP() << "kills the process directly";
  const std::string raw = crlf_lines({"01/02/05;00:00:10;0.2", "01/02/05;12:00:00;0.2", "03/02/05;23:00:00;0.4"});
  Argumentos a;
  a.discretizado = "n";
  a.intervalo = "00:00:01";
  ScratchDir clean;
  clean.write("raw.txt", raw);
  ASSERT_EQ(run_program("Ajusta_Leituras", a.lista(), clean.path()).exit_code, 0);
  const std::string full_series = clean.read("serie.txt");

  const std::string grid = whole_one_second_grid();
  const std::string days = crlf_lines({"01/02/05 03/02/05", "01/02/05", "02/02/05", "03/02/05"});
  ScratchDir dir;
  dir.write("raw.txt", raw);
  for (int ms = 0; ms < 40; ++ms) {
    {
      TerminalSession run("Ajusta_Leituras", a.lista(), dir.path());
      std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }  // killed here when still running
    // Compared whole, not printed: a diff of a day's grid is too big to show.
    if (dir.exists("buffer_horas.dat")) {
      EXPECT_TRUE(dir.read("buffer_horas.dat") == grid) << "cut grid, killed after " << ms << " ms";
    }
    if (dir.exists("buffer_datas.dat")) {
      EXPECT_TRUE(dir.read("buffer_datas.dat") == days) << "cut day list, killed after " << ms << " ms";
    }
    // What a user does after a killed run: the leftover work file goes.
    std::remove(dir.file("serie.txt.pvx").c_str());
  }
  ASSERT_EQ(run_program("Ajusta_Leituras", a.lista(), dir.path()).exit_code, 0);
  const std::string series = dir.read("serie.txt");
  EXPECT_TRUE(series == full_series) << series.size() << " bytes instead of " << full_series.size();
}

}  // namespace
}  // namespace rain::testing
