// The programs in a folder that others share: two runs at once, links and
// devices where a run writes, and series that come as a pipe, with old Mac
// line ends or with a time that names folders.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <thread>

#include "tests/e2e/folder_snapshot.h"
#include "tests/support/e2e.h"

namespace rain::testing {
namespace {

using Linhas = std::vector<std::string>;

// `dias` days of five-minute records from 01/01/15, with tips that `semente`
// scatters into showers.
std::string serie_longa(int dias, unsigned semente) {
  static constexpr int kDiasNoMes[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  std::string texto = "Hora Data Acumulo Basculacao\r\n";
  int dia = 1, mes = 1, acumulo = 0;
  unsigned x = semente;
  for (int d = 0; d < dias; ++d) {
    for (int passo = 0; passo < 288; ++passo) {
      x = x * 1103515245u + 12345u;
      const int tips = (x >> 16) % 97 < 3 ? static_cast<int>((x >> 8) % 7) : 0;
      acumulo += tips * 20;
      char linha[64];
      std::snprintf(linha, sizeof linha, "%02d:%02d:00 %02d/%02d/15 %d.%02d %d\r\n", passo / 12, passo % 12 * 5, dia,
                    mes, acumulo / 100, acumulo % 100, tips);
      texto += linha;
    }
    if (++dia > kDiasNoMes[mes - 1]) {
      dia = 1;
      ++mes;
    }
  }
  return texto;
}

// The files of a folder, by name, with their bytes.
std::map<std::string, std::string> arquivos(const std::string& pasta) {
  std::map<std::string, std::string> conteudo;
  for (const auto& entrada : std::filesystem::directory_iterator(pasta)) {
    conteudo[entrada.path().filename().string()] = read_file(entrada.path().string());
  }
  return conteudo;
}

using Saida = std::map<std::string, std::string>;

// Two runs of `programa` started together in one folder on two series (`s`
// is 'a' or 'b'): each leaves exactly what it leaves alone, or is refused for
// the other's work file and leaves only files the lone run leaves too, byte
// for byte (the event files written before the refusal); no work file stays.
void dois_ao_mesmo_tempo(const std::string& programa, const std::function<Linhas(char)>& args,
                         const std::function<Saida(const ScratchDir&, char)>& saida, const std::string& recusa) {
  const std::string series[] = {serie_longa(120, 1), serie_longa(120, 2)};
  auto prepara = [&](const ScratchDir& dir) {
    for (char s : {'a', 'b'}) {
      dir.write(std::string(1, s) + ".txt", series[s - 'a']);
      std::filesystem::create_directory(dir.file(std::string("e") + s));
    }
  };
  ScratchDir sozinho;
  prepara(sozinho);
  Saida esperado[2];
  for (char s : {'a', 'b'}) {
    ASSERT_EQ(run_program(programa, args(s), sozinho.path()).exit_code, 0);
    esperado[s - 'a'] = saida(sozinho, s);
    ASSERT_FALSE(esperado[s - 'a'].empty());
  }
  for (int vez = 0; vez < 3; ++vez) {
    ScratchDir dir;
    prepara(dir);
    RunResult r[2];
    std::thread outra([&] { r[1] = run_program(programa, args('b'), dir.path()); });
    r[0] = run_program(programa, args('a'), dir.path());
    outra.join();
    for (int k = 0; k < 2; ++k) {
      if (r[k].exit_code == 0) {
        EXPECT_EQ(saida(dir, static_cast<char>('a' + k)), esperado[k]);
      } else {
        EXPECT_EQ(r[k].exit_code, 1);
        EXPECT_EQ(r[k].console, console_text(recusa + "\n"));
        for (const auto& [nome, bytes] : saida(dir, static_cast<char>('a' + k))) {
          EXPECT_TRUE(esperado[k].count(nome) && esperado[k].at(nome) == bytes) << nome;
        }
      }
    }
    EXPECT_TRUE(r[0].exit_code == 0 || r[1].exit_code == 0);
    for (const std::string& nome : dir.list()) EXPECT_FALSE(nome.starts_with("buffer_")) << nome;
  }
}

TEST(SharedFolder, TwoSearchesAtOnceGiveTheirOwnReportsOrOneIsRefused) {
  dois_ao_mesmo_tempo(
      "Rastreia_Picos",
      [](char s) {
        return Linhas{std::string(1, s) + ".txt", std::string("r") + s + ".txt", "diario", "07:00:00", "0", "0", "0",
                      "0.2"};
      },
      [](const ScratchDir& dir, char s) {
        const std::string nome = std::string("r") + s + ".txt";
        return dir.exists(nome) ? Saida{{nome, dir.read(nome)}} : Saida{};
      },
      "Erro: outra execucao usa buffer_pesquisa.pvx nesta pasta.");
}

TEST(SharedFolder, TwoEventCuttingsAtOnceGiveTheirOwnEventsOrOneIsRefused) {
  dois_ao_mesmo_tempo(
      "Fatia_Chuvadas",
      [](char s) {
        return Linhas{std::string(1, s) + ".txt", std::string("e") + s + "/evento", "06:00:00", "1.0", "0.2",
                      "00:05:00"};
      },
      [](const ScratchDir& dir, char s) { return arquivos(dir.file(std::string("e") + s)); },
      "Erro: outra execucao usa buffer_eventos.pvx nesta pasta.");
}

Linhas formatador(const std::string& entrada, const std::string& saida) {
  return {entrada, saida, "nenhum", "nenhum", ";", "n", "00:05:00", "0.2", "2", "3", "1", "2", "3", "0", "DD/MM/YYYY"};
}
Linhas picos(const std::string& entrada, const std::string& saida) {
  // The title names the series alike whatever path it was read from.
  return {entrada, saida, "diario", "07:00:00", "0", "0", "0", "0.2", "serie.txt"};
}
Linhas fatia(const std::string& entrada, const std::string& saida) {
  return {entrada, saida, "06:00:00", "1.0", "0.2", "00:05:00"};
}
Linhas resume(const std::string& entrada, const std::string& eventos, const std::string& maximas) {
  return {entrada, eventos, maximas, "06:00:00", "1.0", "0.2", "00:05:00", "0"};
}

// The example series, five-minute steps, beside the export it comes from.
class SharedFolderExample : public ::testing::Test {
 protected:
  SharedFolderExample() {
    dir.write("export.csv", read_file(std::string(RAIN_SOURCE_DIR) + "/examples/pluviografo_marco_2025.csv"));
    EXPECT_EQ(run_program("Ajusta_Leituras", formatador("export.csv", "serie.txt"), dir.path()).exit_code, 0);
    std::filesystem::create_directory(dir.file("ev"));
  }

  ScratchDir dir;
};

TEST_F(SharedFolderExample, ALinkAtAWorkFileNameIsRefusedAndItsTargetKept) {
  if (windows_build()) GTEST_SKIP() << "POSIX links";
  struct Caso {
    std::string programa;
    Linhas args;
    std::string nome;
  };
  const Caso casos[] = {
      {"Rastreia_Picos", picos("serie.txt", "r.txt"), "buffer_pesquisa.pvx"},
      {"Rastreia_Picos", picos("serie.txt", "r.txt"), "r.txt.pvx"},
      {"Fatia_Chuvadas", fatia("serie.txt", "ev/e"), "buffer_eventos.pvx"},
      {"Resume_Chuvadas", resume("serie.txt", "e.csv", "m.csv"), "e.csv.pvx"},
      {"Resume_Chuvadas", resume("serie.txt", "e.csv", "m.csv"), "m.csv.pvx"},
      {"Desenha_Chuvadas", fatia("serie.txt", "p.html"), "p.html.pvx"},
      {"Ajusta_Leituras", formatador("export.csv", "s.txt"), "s.txt.tmp"},
      {"Ajusta_Leituras", formatador("export.csv", "s.txt"), "s.txt~"},
      {"Ajusta_Leituras", formatador("export.csv", "s.txt"), "s.txt.pvx"},
      {"Ajusta_Leituras", formatador("export.csv", "s.txt"), "buffer_horas.dat"},
      {"Ajusta_Leituras", formatador("export.csv", "s.txt"), "buffer_horas.dat.tmp"},
      {"Ajusta_Leituras", formatador("export.csv", "s.txt"), "buffer_datas.dat.tmp"},
  };
  dir.write("alvo.txt", "a file of the user\r\n");
  for (const Caso& c : casos) {
    ASSERT_EQ(::symlink("alvo.txt", dir.file(c.nome).c_str()), 0);
    const auto antes = snapshot(dir);
    RunResult r = run_program(c.programa, c.args, dir.path());
    EXPECT_EQ(r.exit_code, 1) << c.nome;
    EXPECT_EQ(r.console, console_text("Erro: o arquivo de trabalho " + c.nome +
                                      " nao e um arquivo comum (e um link ou um dispositivo); apague-o e execute "
                                      "novamente.\n"));
    EXPECT_EQ(snapshot(dir), antes) << c.nome;
    std::filesystem::remove(dir.file(c.nome));
  }
}

TEST_F(SharedFolderExample, ADeviceAsOutputIsRefusedAndLeftAsItWas) {
  if (windows_build()) GTEST_SKIP() << "POSIX device nodes";
  // A device node of our own, like /dev/full, where the test may make one;
  // else a pipe, which would hold the run up as well.
  const std::string no = dir.file("no");
  if (::mknod(no.c_str(), S_IFCHR | 0666, ::makedev(1, 7)) != 0) {
    ASSERT_EQ(::mkfifo(no.c_str(), 0666), 0);
  }
  const std::string especial = " (no) e um dispositivo ou outro arquivo especial, nao um arquivo comum.\n";
  struct Caso {
    std::string programa;
    Linhas args;
    std::string linha;
  };
  const Caso casos[] = {
      // The two that always failed on a device keep their line.
      {"Ajusta_Leituras", formatador("export.csv", "no"), "Erro: nao foi possivel gravar o arquivo de saida.\n"},
      {"Rastreia_Picos", picos("serie.txt", "no"), "Erro: nao foi possivel gravar o arquivo de saida.\n"},
      {"Resume_Chuvadas", resume("serie.txt", "no", "m.csv"), "Erro: a tabela de eventos" + especial},
      {"Resume_Chuvadas", resume("serie.txt", "e.csv", "no"), "Erro: a tabela de maximas" + especial},
      {"Desenha_Chuvadas", fatia("serie.txt", "no"), "Erro: a pagina" + especial},
  };
  const auto antes = snapshot(dir);
  for (const Caso& c : casos) {
    RunResult r = run_program(c.programa, c.args, dir.path());
    EXPECT_EQ(r.exit_code, 1) << c.programa;
    EXPECT_EQ(r.console, console_text(c.linha)) << c.programa;
    EXPECT_EQ(snapshot(dir), antes) << c.programa;
  }
}

// What every program leaves from the example series read from `entrada`.
Saida resultados(const ScratchDir& dir, const std::string& entrada, const std::string& stdin_text = "") {
  const Linhas saidas = {"r.txt", "e.csv", "m.csv", "p.html"};
  for (const std::string& s : saidas) std::filesystem::remove(dir.file(s));
  std::filesystem::remove_all(dir.file("ev"));
  std::filesystem::create_directory(dir.file("ev"));
  EXPECT_EQ(run_program("Rastreia_Picos", picos(entrada, "r.txt"), dir.path(), stdin_text).exit_code, 0);
  EXPECT_EQ(run_program("Fatia_Chuvadas", fatia(entrada, "ev/e"), dir.path(), stdin_text).exit_code, 0);
  EXPECT_EQ(run_program("Resume_Chuvadas", resume(entrada, "e.csv", "m.csv"), dir.path(), stdin_text)
                .exit_code,
            0);
  EXPECT_EQ(run_program("Desenha_Chuvadas", fatia(entrada, "p.html"), dir.path(), stdin_text).exit_code,
            0);
  Saida tudo = arquivos(dir.file("ev"));
  for (const std::string& s : saidas) tudo[s] = dir.read(s);
  // The page names the series as it was given.
  std::string& pagina = tudo["p.html"];
  for (std::size_t at; (at = pagina.find(entrada)) != std::string::npos;) pagina.replace(at, entrada.size(), "SERIE");
  EXPECT_FALSE(dir.exists("buffer_serie.pvx"));
  return tudo;
}

TEST_F(SharedFolderExample, EveryProgramReadsItsInputFromAPipe) {
  if (windows_build()) GTEST_SKIP() << "/dev/stdin";
  const Saida do_arquivo = resultados(dir, "serie.txt");
  EXPECT_EQ(resultados(dir, "/dev/stdin", dir.read("serie.txt")), do_arquivo);
  const std::string serie = dir.read("serie.txt");
  ASSERT_EQ(run_program("Ajusta_Leituras", formatador("/dev/stdin", "serie.txt"), dir.path(), dir.read("export.csv"))
                .exit_code,
            0);
  EXPECT_EQ(dir.read("serie.txt"), serie);
}

TEST_F(SharedFolderExample, ASeriesWithOldMacLineEndsReadsItsRecords) {
  const Saida com_crlf = resultados(dir, "serie.txt");
  std::string serie = dir.read("serie.txt");
  serie.erase(std::remove(serie.begin(), serie.end(), '\n'), serie.end());
  dir.write("serie_cr.txt", serie);
  EXPECT_EQ(resultados(dir, "serie_cr.txt"), com_crlf);
}

TEST(SharedFolder, AnEventNeverGoesToAFolderATimeTextNames) {
  ScratchDir dir;
  // Folders such that ev_Parte1_01-02-05_/../../Xh05_a_01-02-05_/../../Xh05.txt
  // would be the file Xh05.txt two levels above the run.
  std::filesystem::create_directories(dir.file("a/b/ev_Parte1_01-02-05_"));
  std::filesystem::create_directories(dir.file("a/Xh05_a_01-02-05_"));
  write_file(dir.file("a/b/s.txt"), crlf_lines({"Hora Data Acumulo Basculacao", "10:00:00 01/02/05 0.00 0",
                                                "10:05:00 01/02/05 0.00 0", "/../../X:05:00 01/02/05 0.20 1",
                                                "10:15:00 01/02/05 0.20 0", "10:20:00 01/02/05 0.20 0"}));
  RunResult r = run_program("Fatia_Chuvadas", {"s.txt", "ev", "00:05:00", "0", "0.2", "00:05:00"}, dir.file("a/b"));
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro: nao foi possivel mover o evento para "
                                    "ev_Parte1_01-02-05_/../../Xh05_a_01-02-05_/../../Xh05.txt; ele ficou em "
                                    "buffer_eventos.pvx.\n"));
  EXPECT_EQ(dir.list(), Linhas{"a"});
}

}  // namespace
}  // namespace rain::testing
