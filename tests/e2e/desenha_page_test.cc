// Desenha_Chuvadas end to end: the entry, the page read by a real HTML parser
// against Resume_Chuvadas's table, and the example's page in a real browser.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <sstream>

#include "tests/e2e/events_series.h"
#include "tests/e2e/trinta_anos.h"
#include "tests/support/e2e.h"

namespace rain::testing {
namespace {

const char* const kPython = "/usr/bin/python3";

const std::string kUtilizacao =
    "Utilizacao do programa com parametros por linha de comando:\n"
    "Desenha_Chuvadas <arquivo de entrada> <pagina de saida> <intervalo para\n"
    "interrupcao> <evento minimo> <precisao> <intervalo de discretizacao>\n"
    "\n"
    "Os caminhos dos arquivos podem ser absolutos ou relativos a pasta atual.\n"
    "A pagina e um arquivo HTML: de a ela um nome terminado em .html.\n";

// Standard output of a shell command; its exit status in `status`.
std::string saida_de(const std::string& comando, int& status) {
  std::string texto;
  FILE* processo = ::popen(comando.c_str(), "r");
  if (!processo) return texto;
  char bloco[4096];
  for (std::size_t n; (n = std::fread(bloco, 1, sizeof bloco, processo)) > 0;) texto.append(bloco, n);
  status = ::pclose(processo);
  return texto;
}

bool python_le_html() {
  int status = -1;
  saida_de(std::string(kPython) + " -c 'import html5lib' 2>/dev/null", status);
  return status == 0;
}

struct Pagina {
  std::map<std::string, std::string> campos;
  std::vector<std::string> linhas;
  std::vector<std::string> idf;
  int svgs = -1, figuras = -1;
};

// The page as tests/e2e/desenha_page.py reads it; fails the test when the page
// is not valid HTML5 or a drawing is not well-formed.
Pagina le_pagina(const std::string& caminho) {
  int status = -1;
  const std::string texto =
      saida_de(std::string(kPython) + " " + RAIN_SOURCE_DIR + "/tests/e2e/desenha_page.py '" + caminho + "'", status);
  EXPECT_EQ(status, 0) << texto;
  Pagina p;
  std::istringstream linhas(texto);
  for (std::string linha; std::getline(linhas, linha);) {
    if (linha.rfind("campo ", 0) == 0) {
      const std::size_t igual = linha.find('=');
      p.campos[linha.substr(6, igual - 6)] = linha.substr(igual + 1);
    } else if (linha.rfind("linha ", 0) == 0) {
      p.linhas.push_back(linha.substr(6));
    } else if (linha.rfind("idf ", 0) == 0) {
      p.idf.push_back(linha.substr(4));
    } else if (linha.rfind("svg ", 0) == 0) {
      p.svgs = std::stoi(linha.substr(4));
    } else if (linha.rfind("figura ", 0) == 0) {
      p.figuras = std::stoi(linha.substr(7));
    }
  }
  return p;
}

// The data rows of a CSV written with CR LF, header left out.
std::vector<std::string> linhas_do_csv(const std::string& csv) {
  std::vector<std::string> linhas;
  std::istringstream entrada(csv);
  std::string linha;
  std::getline(entrada, linha);
  while (std::getline(entrada, linha)) {
    if (!linha.empty() && linha.back() == '\r') linha.pop_back();
    linhas.push_back(linha);
  }
  return linhas;
}

TEST(DesenhaChuvadasEntry, UsageAndParameterErrorsTouchNothing) {
  ScratchDir dir;
  dir.write("serie.txt", events::serie({0, 1, 0}));
  for (std::size_t n : {1u, 5u, 7u}) {
    std::vector<std::string> args{"serie.txt", "p.html", "00:15:00", "0", "0.2", "00:05:00", "x"};
    args.resize(n);
    RunResult r = run_program("Desenha_Chuvadas", args, dir.path());
    EXPECT_EQ(r.exit_code, 1) << n;
    EXPECT_EQ(r.console, console_text(kUtilizacao)) << n;
  }
  RunResult r = run_program("Desenha_Chuvadas", {"serie.txt", "p.html", "00:20:00", "0", "0.2", "00:15:00"}, dir.path());
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro: periodo invalido para o intervalo utilizado.\n"));
  r = run_program("Desenha_Chuvadas", {"nada.txt", "p.html", "00:15:00", "0", "0.2", "00:05:00"}, dir.path());
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro: nao foi possivel abrir o arquivo de entrada.\n"));
  r = run_program("Desenha_Chuvadas", {"serie.txt", "./serie.txt", "00:15:00", "0", "0.2", "00:05:00"}, dir.path());
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro: a pagina nao pode ser o arquivo de entrada.\n"));
  r = run_program("Desenha_Chuvadas", {"serie.txt", std::string(300, 'p') + ".html", "00:15:00", "0", "0.2", "00:05:00"},
                  dir.path());
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console, console_text("Erro: o caminho dado para a pagina tem mais de 255 caracteres.\n"));
  EXPECT_EQ(dir.list(), std::vector<std::string>{"serie.txt"});
  EXPECT_EQ(dir.read("serie.txt"), events::serie({0, 1, 0}));
}

TEST(DesenhaChuvadasEntry, DialogueAsksTheSixParametersAndWritesThePage) {
  ScratchDir dir;
  dir.write("serie.txt", events::serie({0, 2, 0, 0, 0, 1}));
  RunResult r = run_program("Desenha_Chuvadas", {}, dir.path(), "serie.txt\np.html\n00:15:00\n0\n0.2\n00:05:00\n");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console,
            console_text("Digite o caminho e o nome do arquivo de entrada.\n>\n"
                         "Digite o caminho e o nome da pagina de saida, com a extensao .html.\n>\n"
                         "Digite o valor do limite de tempo para uma interrupcao, no formato hh:mm:ss.\n>\n"
                         "Digite seu limite minimo de chuva, em milimetros, que deve haver em um intervalo\n"
                         "de tempo para ele ser considerado um evento.\n>\n"
                         "Digite a precisao encontrada nos registros do arquivo de entrada.\n>\n"
                         "Digite o valor do intervalo usado na discretizacao, no formato hh:mi:ss.\n>\n"
                         "Processo concluido! Aperte uma tecla para sair...\n"));
  EXPECT_NE(r.errors.find("Desenha_Chuvadas: 6 registros lidos, 2 eventos na tabela, 2 hietogramas."),
            std::string::npos)
      << r.errors;
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"p.html", "serie.txt"}));
}

TEST(DesenhaChuvadasEntry, AFailedRunLeavesTheEarlierPageAsItWas) {
  ScratchDir dir;
  std::vector<std::string> linhas = events::registros({0, 2, 0, 1});
  linhas.push_back("10:20:00 31/02/05 0.60 0");  // no such day
  dir.write("serie.txt", events::evento(linhas));
  dir.write("p.html", "a pagina anterior");
  RunResult r = run_program("Desenha_Chuvadas", {"serie.txt", "p.html", "00:15:00", "0", "0.2", "00:05:00"}, dir.path());
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.console.rfind("Erro: ", 0), 0u) << r.console;
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"p.html", "serie.txt"}));
  EXPECT_EQ(dir.read("p.html"), "a pagina anterior");
}

TEST(DesenhaChuvadasPage, HeadingAndTableAgreeWithResumeChuvadas) {
  if (!python_le_html()) GTEST_SKIP() << kPython << " lacks html5lib (apt-get install python3-html5lib)";
  // Three storms over a day of five-minute steps, an hour of the series
  // missing between the second and the third.
  std::vector<int> tips(288, 0);
  for (int i : {10, 11, 12, 14, 15}) tips[i] = i % 4 + 1;
  for (int i = 100; i < 130; ++i) tips[i] = (i * 7) % 5;
  tips[250] = 9;
  std::vector<std::string> linhas = events::registros(tips);
  linhas.erase(linhas.begin() + 200, linhas.begin() + 212);
  ScratchDir dir;
  dir.write("serie.txt", events::evento(linhas));
  const std::vector<std::string> parametros{"01:00:00", "0.5", "0.2", "00:05:00"};
  auto com = [&](std::vector<std::string> nomes) {
    nomes.insert(nomes.end(), parametros.begin(), parametros.end());
    return nomes;
  };
  ASSERT_EQ(run_program("Desenha_Chuvadas", com({"serie.txt", "pagina.html"}), dir.path()).exit_code, 0);
  auto resumo = com({"serie.txt", "eventos.csv", "maximas.csv"});
  resumo.push_back("0");
  ASSERT_EQ(run_program("Resume_Chuvadas", resumo, dir.path()).exit_code, 0);

  const Pagina p = le_pagina(dir.file("pagina.html"));
  EXPECT_EQ(p.linhas, linhas_do_csv(dir.read("eventos.csv")));
  EXPECT_EQ(p.linhas.size(), 3u);
  EXPECT_EQ(p.figuras, 3);
  EXPECT_EQ(p.svgs, 3 + 2 + 3);  // mass curve, months, maxima, erosivity twice, one hyetograph per storm
  EXPECT_EQ(p.campos, (std::map<std::string, std::string>{{"serie", "serie.txt"},
                                                          {"primeiro", "01/02/2005 10:00:00"},
                                                          {"ultimo", "02/02/2005 09:55:00"},
                                                          {"registros", "276"},
                                                          {"passo", "00:05:00"},
                                                          {"falhas", "1 (12 passos ausentes)"},
                                                          {"precisao", "0.2"},
                                                          {"total", "16.80"},
                                                          {"interrupcao", "01:00:00 (12 registros)"},
                                                          {"minimo", "0.5"},
                                                          {"eventos", "3"},
                                                          {"energia", "rusle2"},
                                                          {"r_anual", "- (nenhum ano com 90% dos passos)"}}));
  EXPECT_FALSE(dir.exists("pagina.html.pvx"));
  // One day is not its year: the year's maxima are drawn hollow and named so.
  const std::string pagina = dir.read("pagina.html");
  EXPECT_NE(pagina.find(">2005 (incompleto)</text>"), std::string::npos);
  EXPECT_EQ(pagina.find("class=\"f0\""), std::string::npos);
}

// An outage of six hours inside the record and one before it: the heading
// counts the first, a band marks it, and the events table is Resume_Chuvadas's
// with the outage list, its storm in the outage flagged.
TEST(DesenhaChuvadasPage, AnOutageListIsCountedDrawnAndFlaggedInTheTable) {
  if (!python_le_html()) GTEST_SKIP() << kPython << " lacks html5lib (apt-get install python3-html5lib)";
  std::vector<int> tips(288, 0);
  tips[10] = 3;
  tips[40] = 2;  // 13:20, in the outage
  tips[100] = 4;
  ScratchDir dir;
  dir.write("serie.txt", events::serie(tips));
  dir.write("falhas.csv", "inicio,fim\r\n2005-02-01T12:00:00,2005-02-01T18:00:00\r\n2005-01-01T00:00:00,2005-01-02T00:00:00\r\n");
  ASSERT_EQ(run_program("Desenha_Chuvadas", {"--falhas", "falhas.csv", "serie.txt", "p.html", "01:00:00", "0", "0.2",
                                             "00:05:00"},
                        dir.path())
                .exit_code,
            0);
  ASSERT_EQ(run_program("Resume_Chuvadas", {"--falhas", "falhas.csv", "serie.txt", "e.csv", "m.csv", "01:00:00", "0",
                                            "0.2", "00:05:00", "0"},
                        dir.path())
                .exit_code,
            0);
  const Pagina p = le_pagina(dir.file("p.html"));
  EXPECT_EQ(p.campos.at("falhas_lista"), "1 (0.25 dias)");
  EXPECT_EQ(p.linhas, linhas_do_csv(dir.read("e.csv")));
  ASSERT_EQ(p.linhas.size(), 3u);
  EXPECT_EQ(p.linhas[1].substr(p.linhas[1].size() - 2), ",s");
  // 12:00 to 18:00 of the 24 hours from 10:00 over the 900 units from x = 80.
  const std::string pagina = dir.read("p.html");
  const std::string faixa = "<rect x=\"155\" y=\"15\" width=\"225\" height=\"280\" class=\"falha-lista\"/>";
  const std::size_t onde = pagina.find(faixa);
  EXPECT_NE(onde, std::string::npos);
  EXPECT_EQ(pagina.find("class=\"falha-lista\"", onde + faixa.size()), std::string::npos) << "one band only";
  EXPECT_EQ(pagina.find("class=\"falha-lista\""), onde + faixa.find("class")) << "one band only";
}

// Thirty years of hourly steps, 1995 with a fifth in outages: the six GEV
// curves are drawn over the complete years, 1995 hollow (its six points and
// its legend) and named so, and the table under the plot is Resume_Chuvadas's
// IDF table.
TEST(DesenhaChuvadasPage, TheIdfCurvesOfThirtyYearsLeaveTheIncompleteYearHollow) {
  if (!python_le_html()) GTEST_SKIP() << kPython << " lacks html5lib (apt-get install python3-html5lib)";
  ScratchDir dir;
  escreve_trinta_anos(dir, 3600);
  dir.write("falhas.csv", kFalhasDe1995);
  const std::vector<std::string> parametros{"06:00:00", "1.0", "0.2", "01:00:00"};
  std::vector<std::string> pagina{"--falhas", "falhas.csv", "--distribuicao", "gev", "serie.txt", "p.html"};
  pagina.insert(pagina.end(), parametros.begin(), parametros.end());
  RunResult r = run_program("Desenha_Chuvadas", pagina, dir.path());
  ASSERT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.errors.find("Aviso"), std::string::npos) << r.errors;
  std::vector<std::string> tabelas{"--falhas", "falhas.csv", "--distribuicao", "gev", "--idf", "idf.csv",
                                   "serie.txt", "e.csv", "m.csv"};
  tabelas.insert(tabelas.end(), parametros.begin(), parametros.end());
  tabelas.push_back("0");
  ASSERT_EQ(run_program("Resume_Chuvadas", tabelas, dir.path()).exit_code, 0);

  const Pagina p = le_pagina(dir.file("p.html"));
  EXPECT_EQ(p.idf, linhas_do_csv(dir.read("idf.csv")));
  EXPECT_EQ(p.idf.size(), 6u);
  const std::string html = dir.read("p.html");
  auto conta = [&](const std::string& texto) {
    std::size_t n = 0;
    for (std::size_t k = html.find(texto); k != std::string::npos; k = html.find(texto, k + 1)) ++n;
    return n;
  };
  EXPECT_EQ(conta("class=\"idf\"/>"), 6u);
  EXPECT_EQ(conta(">100 anos</text>"), 1u);
  EXPECT_EQ(conta("class=\"vazado s4\"/>"), 7u);  // 1995 is the fifth year
  EXPECT_EQ(conta(" (incompleto)</text>"), 1u);
  EXPECT_EQ(conta(">1995 (incompleto)</text>"), 1u);
}

// The example of examples/ through the formatter, then its page opened in a
// real browser: the drawings' colours must be on the screen.
TEST(DesenhaChuvadasBrowser, ThePageOfTheExampleIsDrawn) {
  const std::string chromium = "/usr/bin/chromium";
  if (::access(chromium.c_str(), X_OK) != 0) GTEST_SKIP() << "no " << chromium << " (apt-get install chromium)";
  ScratchDir dir;
  const std::string exemplo = std::string(RAIN_SOURCE_DIR) + "/examples/pluviografo_marco_2025.csv";
  ASSERT_EQ(run_program("Ajusta_Leituras",
                        {windows_build() ? wine_path(exemplo) : exemplo, "serie.txt", "nenhum",
                         "nenhum", ";", "n", "00:05:00", "0.2", "2", "3", "1", "2", "3", "0", "DD/MM/YYYY"},
                        dir.path())
                .exit_code,
            0);
  ASSERT_EQ(
      run_program("Desenha_Chuvadas", {"serie.txt", "relatorio.html", "06:00:00", "1.0", "0.2", "00:05:00"}, dir.path())
          .exit_code,
      0);
  int status = -1;
  // A headless browser now and then never ends on a loaded machine: give each
  // try a minute, and a second try with a fresh profile.
  std::string navegador;
  for (int tentativa = 0; tentativa < 2 && !dir.exists("tela.png"); ++tentativa) {
    navegador = saida_de("timeout -k 5 60 " + chromium + " --headless --no-sandbox --disable-gpu --disable-quic" +
                             " --no-first-run --disable-background-networking --disable-component-update" +
                             " --disable-sync --hide-scrollbars --user-data-dir=" +
                             dir.file("perfil" + std::to_string(tentativa)) + " --screenshot=" + dir.file("tela.png") +
                             " --window-size=1100,3600 file://" + dir.file("relatorio.html") + " 2>&1",
                         status);
  }
  ASSERT_TRUE(dir.exists("tela.png")) << navegador;
  // Curve, bars, the cumulative line of a hyetograph, the gap band and the
  // first year's line of the maxima.
  const std::string cores = saida_de(std::string(kPython) + " " + RAIN_SOURCE_DIR + "/tests/e2e/png_colours.py " +
                                         dir.file("tela.png") + " 1f5fa8 4a90c8 c0392b 1f77b4",
                                     status);
  ASSERT_EQ(status, 0) << cores;
  std::istringstream linhas(cores);
  std::map<std::string, long> contagem;
  for (std::string cor; linhas >> cor;) linhas >> contagem[cor];
  EXPECT_GT(contagem["1f5fa8"], 300) << cores;  // the mass curve
  EXPECT_GT(contagem["4a90c8"], 2000) << cores; // monthly and hyetograph bars
  EXPECT_GT(contagem["c0392b"], 200) << cores;  // cumulative lines
  EXPECT_GT(contagem["1f77b4"], 100) << cores;  // the maxima of 2025
  EXPECT_GT(contagem["nonwhite"], 60000) << cores;
}

}  // namespace
}  // namespace rain::testing
