// The slips that used to give a wrong figure with exit code 0, refused end to
// end on the shipped example: a step that is not the series', a series never
// resampled, the raw export given as the series, a path typed longer than 255
// characters. Each refusal is one line, exit code 1, and the folder as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "tests/e2e/folder_snapshot.h"
#include "tests/support/e2e.h"

namespace rain::testing {
namespace {

using Linhas = std::vector<std::string>;

class SeriesRefusals : public ::testing::Test {
 protected:
  // The example export as serie.txt (resampled to 5 minutes) and as
  // serie_s.txt (its readings as they came), and an empty folder for events.
  SeriesRefusals() {
    dir.write("pluviografo.csv", read_file(std::string(RAIN_SOURCE_DIR) + "/examples/pluviografo_marco_2025.csv"));
    for (const char* passo : {"n", "s"}) {
      const std::string serie = passo[0] == 'n' ? "serie.txt" : "serie_s.txt";
      EXPECT_EQ(run_program("Ajusta_Leituras", {"pluviografo.csv", serie, "nenhum", "nenhum", ";", passo, "00:05:00",
                                                "0.2", "2", "3", "1", "2", "3", "0", "DD/MM/YYYY"},
                            dir.path())
                    .exit_code,
                0);
    }
    std::filesystem::create_directory(dir.file("ev"));
  }

  // The run is refused with `linha` alone on the console (after the questions
  // of a dialogue), and the folder is as it was.
  void recusa(const std::string& programa, const Linhas& args, const std::string& linha,
              const std::string& respostas = "") {
    const auto antes = snapshot(dir);
    RunResult r = run_program(programa, args, dir.path(), respostas);
    EXPECT_EQ(r.exit_code, 1) << programa << " " << respostas;
    const std::string esperado = console_text(linha + "\n");
    if (respostas.empty()) {
      EXPECT_EQ(r.console, esperado) << programa;
    } else {
      EXPECT_TRUE(r.console.ends_with(esperado)) << r.console;
    }
    EXPECT_EQ(snapshot(dir), antes) << programa << " " << respostas;
  }

  ScratchDir dir;
};

TEST_F(SeriesRefusals, AStepThatIsNotTheSeriesIsRefusedByThePrograms) {
  const std::string linha = "Erro: a serie tem passo de 00:05:00, mas o intervalo de discretizacao dado e 00:01:00.";
  recusa("Resume_Chuvadas", {"serie.txt", "e.csv", "m.csv", "06:00:00", "1.0", "0.2", "00:01:00", "0"}, linha);
  recusa("Fatia_Chuvadas", {"serie.txt", "ev/e", "06:00:00", "1.0", "0.2", "00:01:00"}, linha);
  recusa("Desenha_Chuvadas", {"serie.txt", "p.html", "06:00:00", "1.0", "0.2", "00:01:00"}, linha);
  recusa("Resume_Chuvadas", {}, linha, "serie.txt\ne.csv\nm.csv\n06:00:00\n1.0\n0.2\n00:01:00\n0\n");
  recusa("Fatia_Chuvadas", {}, linha, "serie.txt\nev/e\n06:00:00\n1.0\n0.2\n00:01:00\n");
  recusa("Desenha_Chuvadas", {}, linha, "serie.txt\np.html\n06:00:00\n1.0\n0.2\n00:01:00\n");
}

TEST_F(SeriesRefusals, ASeriesNeverResampledIsRefusedByTheTablesAndThePageForItsShare) {
  const std::string linha =
      "Erro: so 2.2% das diferencas entre registros seguidos sao de 00:09:44: a serie nao tem um passo fixo. "
      "Reamostre-a com Ajusta_Leituras (parametro 6 = n).";
  recusa("Resume_Chuvadas", {"serie_s.txt", "e.csv", "m.csv", "06:00:00", "1.0", "0.2", "00:05:00", "0"}, linha);
  recusa("Desenha_Chuvadas", {"serie_s.txt", "p.html", "06:00:00", "1.0", "0.2", "00:05:00"}, linha);
  // The events count records only: the step most differences have is named.
  recusa("Fatia_Chuvadas", {"serie_s.txt", "ev/e", "06:00:00", "1.0", "0.2", "00:05:00"},
         "Erro: a serie tem passo de 00:09:44, mas o intervalo de discretizacao dado e 00:05:00.");
}

TEST_F(SeriesRefusals, TheRawExportGivenAsTheSeriesIsRefusedNamingItsLine) {
  const std::string linha = "Erro: pluviografo.csv nao e uma serie: a linha 2 (\"Data;Hora;Chuva (mm);Basculadas;"
                            "Bateria (V)\") nao e um registro \"hh:mm:ss dd/mm/yy chuva";
  recusa("Fatia_Chuvadas", {"pluviografo.csv", "ev/e", "06:00:00", "1.0", "0.2", "00:05:00"},
         linha + " basculacoes\".");
  recusa("Rastreia_Picos", {"pluviografo.csv", "r.txt", "diario", "07:00:00", "0", "0", "0", "0.2"}, linha + "\".");
  recusa("Resume_Chuvadas", {"pluviografo.csv", "e.csv", "m.csv", "06:00:00", "1.0", "0.2", "00:05:00", "0"},
         linha + " basculacoes\".");
  recusa("Desenha_Chuvadas", {"pluviografo.csv", "p.html", "06:00:00", "1.0", "0.2", "00:05:00"},
         linha + " basculacoes\".");
  recusa("Fatia_Chuvadas", {}, linha + " basculacoes\".", "pluviografo.csv\nev/e\n06:00:00\n1.0\n0.2\n00:05:00\n");
  recusa("Rastreia_Picos", {}, linha + "\".", "pluviografo.csv\nr.txt\ndiario\n07:00:00\n0.2\n");
}

TEST_F(SeriesRefusals, APathTypedLongerThan255CharactersIsRefusedNotCut) {
  const std::string longo = "serie.txt" + std::string(250, 'x');
  const std::string linha = "Erro: o caminho dado para o arquivo de entrada tem mais de 255 caracteres.";
  const std::map<std::string, std::string> respostas = {
      {"Ajusta_Leituras", longo + "\nnova.txt\n2\n3\nDD/MM/YYYY\n1\n2\n3\n0\nnenhum\n;\nn\n00:05:00\n0.2\n"},
      {"Rastreia_Picos", longo + "\nr.txt\ntotal\n0.2\n"},
      {"Fatia_Chuvadas", longo + "\nev/e\n06:00:00\n1.0\n0.2\n00:05:00\n"},
      {"Resume_Chuvadas", longo + "\ne.csv\nm.csv\n06:00:00\n1.0\n0.2\n00:05:00\n0\n"},
      {"Desenha_Chuvadas", longo + "\np.html\n06:00:00\n1.0\n0.2\n00:05:00\n"},
  };
  for (const auto& [programa, texto] : respostas) recusa(programa, {}, linha, texto);
}

}  // namespace
}  // namespace rain::testing
