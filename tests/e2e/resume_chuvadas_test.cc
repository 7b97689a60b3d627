// Resume_Chuvadas end to end: the two tables' bytes, the refusals, and the
// events that Fatia_Chuvadas cuts from the same series.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "tests/e2e/events_series.h"
#include "tests/support/e2e.h"

namespace rain::testing {
namespace {

using events::serie;

// A series of records `passo_min` minutes apart from 00:00 on 01/02/05.
std::string serie_por_passo(const std::vector<int>& tips, int passo_min) {
  std::vector<std::string> linhas{events::kCabecalho};
  for (std::size_t i = 0; i < tips.size(); ++i) {
    const std::size_t minutos = i * static_cast<std::size_t>(passo_min);
    char texto[64];
    std::snprintf(texto, sizeof texto, "%02zu:%02zu:00 %02zu/02/05 0.00 %d", minutos / 60 % 24, minutos % 60,
                  1 + minutos / 1440, tips[i]);
    linhas.emplace_back(texto);
  }
  return crlf_lines(linhas);
}

RunResult resume(const ScratchDir& dir, const std::string& limite, const std::string& precisao,
                 const std::string& passo, const std::string& seco, const std::string& minimo = "0") {
  return run_program("Resume_Chuvadas", {"serie.txt", "eventos.csv", "maximas.csv", limite, minimo, precisao, passo, seco},
                     dir.path());
}

std::vector<std::string> campos(const std::string& linha) {
  std::vector<std::string> c;
  std::stringstream in(linha);
  std::string campo;
  while (std::getline(in, campo, ',')) c.push_back(campo);
  if (!linha.empty() && linha.back() == ',') c.emplace_back();
  return c;
}

// The rows of a table written with CR LF, header left out.
std::vector<std::vector<std::string>> linhas_da_tabela(const std::string& bytes) {
  std::vector<std::vector<std::string>> linhas;
  std::size_t inicio = bytes.find("\r\n") + 2;
  for (std::size_t fim; (fim = bytes.find("\r\n", inicio)) != std::string::npos; inicio = fim + 2) {
    linhas.push_back(campos(bytes.substr(inicio, fim - inicio)));
  }
  return linhas;
}

TEST(ResumeChuvadas, TablesOfASmallSeriesByteForByte) {
  ScratchDir dir;
  dir.write("serie.txt", serie({0, 0, 2, 0, 1, 0, 0, 0, 0, 5, 0, 0, 0}));
  RunResult r = resume(dir, "00:15:00", "0.2", "00:05:00", "0");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, "");
  EXPECT_NE(r.errors.find("Resume_Chuvadas: 13 registros lidos, 2 eventos encontrados, 2 eventos na tabela, 1.60 mm na "
                          "serie, energia rusle2."),
            std::string::npos)
      << r.errors;
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"eventos.csv", "maximas.csv", "serie.txt"}));
  // The 30- and 60-minute windows of the first event hold its own rain only,
  // not the second event's; a maximum starts at a record with tips.
  EXPECT_EQ(dir.read("eventos.csv"),
            crlf_lines({"evento,inicio,fim,duracao_h,chuva_mm,basculacoes,seco_antes_h,i5_mm_h,i5_inicio,i10_mm_h,"
                        "i10_inicio,i15_mm_h,i15_inicio,i30_mm_h,i30_inicio,i60_mm_h,i60_inicio,energia_mj_ha,"
                        "ei30_mj_mm_ha_h,erosiva",
                        "1,2005-02-01T10:10:00,2005-02-01T10:25:00,0.25,0.60,3,,4.80,2005-02-01T10:10:00,2.40,"
                        "2005-02-01T10:10:00,2.40,2005-02-01T10:10:00,1.20,2005-02-01T10:10:00,0.60,"
                        "2005-02-01T10:10:00,0.083,0.10,n",
                        "2,2005-02-01T10:45:00,2005-02-01T10:50:00,0.08,1.00,5,0.33,12.00,2005-02-01T10:45:00,6.00,"
                        "2005-02-01T10:45:00,4.00,2005-02-01T10:45:00,2.00,2005-02-01T10:45:00,1.00,"
                        "2005-02-01T10:45:00,0.212,0.42,n"}));
  EXPECT_EQ(dir.read("maximas.csv"), crlf_lines({"ano,duracao_min,registros,chuva_mm,intensidade_mm_h,inicio",
                                                 "2005,5,13,1.00,12.00,2005-02-01T10:45:00",
                                                 "2005,10,13,1.00,6.00,2005-02-01T10:45:00",
                                                 "2005,15,13,1.00,4.00,2005-02-01T10:45:00",
                                                 "2005,30,13,1.20,2.40,2005-02-01T10:20:00",
                                                 "2005,60,13,1.60,1.60,2005-02-01T10:10:00",
                                                 "2005,120,13,1.60,0.80,2005-02-01T10:10:00",
                                                 "2005,180,13,1.60,0.53,2005-02-01T10:10:00",
                                                 "2005,360,13,1.60,0.27,2005-02-01T10:10:00",
                                                 "2005,720,13,1.60,0.13,2005-02-01T10:10:00",
                                                 "2005,1440,13,1.60,0.07,2005-02-01T10:10:00"}));
}

TEST(ResumeChuvadas, StepOfTenMinutesLeavesEmptyFieldsAndDrySeriesHasZeroMaxima) {
  ScratchDir dir;
  dir.write("serie.txt", serie_por_passo({0, 0}, 10));
  EXPECT_EQ(resume(dir, "00:10:00", "0.2", "00:10:00", "0").exit_code, 0);
  EXPECT_EQ(linhas_da_tabela(dir.read("eventos.csv")).size(), 0u);
  EXPECT_EQ(dir.read("maximas.csv"), crlf_lines({"ano,duracao_min,registros,chuva_mm,intensidade_mm_h,inicio",
                                                 "2005,10,2,0.00,0.00,", "2005,30,2,0.00,0.00,",
                                                 "2005,60,2,0.00,0.00,", "2005,120,2,0.00,0.00,",
                                                 "2005,180,2,0.00,0.00,", "2005,360,2,0.00,0.00,",
                                                 "2005,720,2,0.00,0.00,", "2005,1440,2,0.00,0.00,"}));

  dir.write("serie.txt", serie_por_passo({4, 0}, 10));
  EXPECT_EQ(resume(dir, "00:10:00", "0.2", "00:10:00", "0").exit_code, 0);
  EXPECT_EQ(linhas_da_tabela(dir.read("eventos.csv")),
            (std::vector<std::vector<std::string>>{{"1", "2005-02-01T00:00:00", "2005-02-01T00:10:00", "0.17", "0.80",
                                                     "4", "", "", "", "4.80", "2005-02-01T00:00:00", "", "", "1.60",
                                                     "2005-02-01T00:00:00", "0.80", "2005-02-01T00:00:00", "0.119",
                                                     "0.19", "n"}}));
}

TEST(ResumeChuvadas, UsageRefusalsAndAnUnreadableRecordLeaveNoTable) {
  ScratchDir dir;
  const std::string dados = serie({0, 2, 0});
  dir.write("serie.txt", dados);
  RunResult uso = run_program("Resume_Chuvadas", {"serie.txt", "e.csv"}, dir.path());
  EXPECT_EQ(uso.exit_code, 1);
  EXPECT_EQ(uso.console, console_text("Utilizacao do programa com parametros por linha de comando:\n"
                                      "Resume_Chuvadas <arquivo de entrada> <tabela de eventos> <tabela de maximas>\n"
                                      "<intervalo para interrupcao> <evento minimo> <precisao> <intervalo de\n"
                                      "discretizacao> <limite seco>\n\n"
                                      "Os caminhos dos arquivos podem ser absolutos ou relativos a pasta atual.\n"
                                      "As tabelas sao gravadas com o nome dado, extensao incluida (eventos.csv).\n"));

  const std::vector<std::pair<std::vector<std::string>, std::string>> casos{
      {{"serie.txt", "./serie.txt", "m.csv", "01:00:00", "0", "0.2", "00:05:00", "0"},
       "Erro: a tabela de eventos nao pode ser o arquivo de entrada."},
      {{"serie.txt", "t.csv", "./t.csv", "01:00:00", "0", "0.2", "00:05:00", "0"},
       "Erro: a tabela de maximas nao pode ser a tabela de eventos."},
      {{"serie.txt.pvx", "e.csv", "serie.txt", "01:00:00", "0", "0.2", "00:05:00", "0"},
       "Erro: o arquivo temporario da tabela de maximas nao pode ser o arquivo de entrada."},
      {{"serie.txt", "e.csv", "m.csv", "01:00:00", "0", "0.2", "00:05:00", "-1"}, "Erro: limite seco invalido."},
      {{"serie.txt", "e.csv", "m.csv", "01:00:00", "0", "0,2", "00:05:00", "0"},
       "Erro: o parametro 6 (precisao) deve ser um numero."},
      {{"serie.txt", "e.csv", "m.csv", "01:00:00", "0", "0.2", "00:07:00", "0"},
       "Erro: periodo invalido para o intervalo utilizado."},
      {{"falta.txt", "e.csv", "m.csv", "01:00:00", "0", "0.2", "00:05:00", "0"},
       "Erro: nao foi possivel abrir o arquivo de entrada."},
  };
  for (const auto& [args, linha] : casos) {
    RunResult r = run_program("Resume_Chuvadas", args, dir.path());
    EXPECT_EQ(r.exit_code, 1) << linha;
    EXPECT_EQ(r.console, console_text(linha + "\n"));
    EXPECT_EQ(dir.list(), std::vector<std::string>{"serie.txt"}) << linha;
  }
  EXPECT_EQ(dir.read("serie.txt"), dados);

  // An earlier table stays as it was when a later record cannot be read: an
  // impossible date, or an empty line before a record. Empty lines at the end
  // are no records.
  for (const std::string& resto : {std::string("10:15:00 31/02/05 0.00 1\r\n"), std::string("\r\n10:15:00 01/02/05 0.00 1\r\n")}) {
    dir.write("eventos.csv", "antes\r\n");
    dir.write("serie.txt", dados + resto);
    RunResult r = resume(dir, "00:05:00", "0.2", "00:05:00", "0");
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.console, console_text("Erro: data ou hora invalida na linha 5 do arquivo de entrada.\n"));
    EXPECT_EQ(dir.list(), (std::vector<std::string>{"eventos.csv", "serie.txt"}));
    EXPECT_EQ(dir.read("eventos.csv"), "antes\r\n");
  }
  dir.write("serie.txt", dados + "\r\n \r\n");
  EXPECT_EQ(resume(dir, "00:05:00", "0.2", "00:05:00", "0").exit_code, 0);
  EXPECT_EQ(linhas_da_tabela(dir.read("maximas.csv")).at(0)[2], "3");
}

TEST(ResumeChuvadas, DialogueAsksEightQuestionsThenCloses) {
  ScratchDir dir;
  dir.write("serie.txt", serie({0, 2, 0}));
  RunResult r = run_program("Resume_Chuvadas", {}, dir.path(),
                            "serie.txt\ne.csv\nm.csv\n00:05:00\n0\n0.2\n00:05:00\n1.27\n");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.console, console_text("Digite o caminho e o nome do arquivo de entrada.\n>\n"
                                    "Digite o caminho e o nome da tabela de eventos (CSV).\n>\n"
                                    "Digite o caminho e o nome da tabela de maximas anuais (CSV).\n>\n"
                                    "Digite o valor do limite de tempo para uma interrupcao, no formato hh:mm:ss.\n>\n"
                                    "Digite seu limite minimo de chuva, em milimetros, que deve haver em um intervalo\n"
                                    "de tempo para ele ser considerado um evento.\n>\n"
                                    "Digite a precisao encontrada nos registros do arquivo de entrada.\n>\n"
                                    "Digite o valor do intervalo usado na discretizacao, no formato hh:mi:ss.\n>\n"
                                    "Digite o limite seco, em milimetros: uma interrupcao com menos chuva que isso conta\n"
                                    "como seca (0: so sem basculacoes; 1.27: a regra da erosividade).\n>\n"
                                    "Processo concluido! Aperte uma tecla para sair...\n"));
  EXPECT_EQ(linhas_da_tabela(dir.read("e.csv")).size(), 1u);
  EXPECT_EQ(linhas_da_tabela(dir.read("m.csv")).size(), 10u);
}

// Hourly records: a storm, six hours holding `garoa` tips at the third hour, a
// second storm, then dry hours.
std::string tempestades(int garoa) { return serie_por_passo({10, 0, 0, garoa, 0, 0, 0, 10, 0, 0, 0, 0, 0, 0}, 60); }

std::vector<std::string> inicio_e_fim(const std::string& tabela) {
  std::vector<std::string> eventos;
  for (const auto& c : linhas_da_tabela(tabela)) eventos.push_back(c[0] + " " + c[1] + " " + c[2]);
  return eventos;
}

TEST(ResumeChuvadas, ErosivityDryLimitSplitsAtOneMillimetreAndNotAtOnePointFour) {
  ScratchDir dir;
  // 5 tips are 1.0 mm: the first storm ends alone, the drizzle opens the next.
  dir.write("serie.txt", tempestades(5));
  EXPECT_EQ(resume(dir, "06:00:00", "0.2", "01:00:00", "1.27").exit_code, 0);
  EXPECT_EQ(inicio_e_fim(dir.read("eventos.csv")),
            (std::vector<std::string>{"1 2005-02-01T00:00:00 2005-02-01T01:00:00",
                                      "2 2005-02-01T03:00:00 2005-02-01T08:00:00"}));
  dir.write("serie.txt", tempestades(7));
  EXPECT_EQ(resume(dir, "06:00:00", "0.2", "01:00:00", "1.27").exit_code, 0);
  EXPECT_EQ(inicio_e_fim(dir.read("eventos.csv")),
            (std::vector<std::string>{"1 2005-02-01T00:00:00 2005-02-01T08:00:00"}));
  // Without a dry limit the drizzle keeps the storms together in both cases.
  dir.write("serie.txt", tempestades(5));
  EXPECT_EQ(resume(dir, "06:00:00", "0.2", "01:00:00", "0").exit_code, 0);
  EXPECT_EQ(linhas_da_tabela(dir.read("eventos.csv")).size(), 1u);
}

// "hh:mm:ss dd/mm/yy" as seconds of the calendar, and an ISO text likewise.
std::int64_t segundos(int ano, unsigned mes, unsigned dia, int h, int m, int s) {
  const auto dias = std::chrono::sys_days{std::chrono::year{ano} / mes / dia}.time_since_epoch().count();
  return dias * 86400LL + h * 3600 + m * 60 + s;
}
std::int64_t segundos_do_registro(const std::string& registro) {
  int h, m, s, d, mes, a;
  std::sscanf(registro.c_str(), "%d:%d:%d %d/%d/%d", &h, &m, &s, &d, &mes, &a);
  return segundos(a + (a >= 70 ? 1900 : 2000), static_cast<unsigned>(mes), static_cast<unsigned>(d), h, m, s);
}
std::int64_t segundos_iso(const std::string& iso) {
  int a, mes, d, h, m, s;
  std::sscanf(iso.c_str(), "%d-%d-%dT%d:%d:%d", &a, &mes, &d, &h, &m, &s);
  return segundos(a, static_cast<unsigned>(mes), static_cast<unsigned>(d), h, m, s);
}

// Runs Fatia_Chuvadas and Resume_Chuvadas with a dry limit of 0 on serie.txt
// and checks that every event file is one row of the table: number, first
// record, last record plus one step, tips.
void confere_com_fatia(const ScratchDir& dir, const std::string& precisao, const std::string& passo,
                       std::int64_t passo_s, std::size_t eventos_ao_menos) {
  ASSERT_EQ(run_program("Fatia_Chuvadas", {"serie.txt", "ev", "06:00:00", "1.0", precisao, passo}, dir.path()).exit_code,
            0);
  ASSERT_EQ(resume(dir, "06:00:00", precisao, passo, "0", "1.0").exit_code, 0);
  std::map<int, std::string> arquivos;
  for (const std::string& nome : dir.list()) {
    if (nome.rfind("ev_Parte", 0) == 0) arquivos[std::stoi(nome.substr(8))] = nome;
  }
  const auto linhas = linhas_da_tabela(dir.read("eventos.csv"));
  ASSERT_EQ(linhas.size(), arquivos.size());
  EXPECT_GE(linhas.size(), eventos_ao_menos);
  std::size_t k = 0;
  for (const auto& [numero, nome] : arquivos) {
    std::stringstream evento(dir.read(nome));
    std::string registro, primeiro, ultimo;
    std::getline(evento, registro);  // the header
    long long tips = 0;
    while (std::getline(evento, registro)) {
      if (!registro.empty() && registro.back() == '\r') registro.pop_back();
      if (primeiro.empty()) primeiro = registro;
      ultimo = registro;
      std::stringstream palavras(registro);
      std::string palavra;
      for (int w = 0; w < 4; ++w) palavras >> palavra;
      tips += std::stoll(palavra);
    }
    const auto& c = linhas[k++];
    EXPECT_EQ(c[0], std::to_string(numero));
    EXPECT_EQ(segundos_iso(c[1]), segundos_do_registro(primeiro)) << nome;
    EXPECT_EQ(segundos_iso(c[2]), segundos_do_registro(ultimo) + passo_s) << nome;
    EXPECT_EQ(c[5], std::to_string(tips)) << nome;
  }
}

std::string fonte(const std::string& caminho) { return std::string(RAIN_SOURCE_DIR) + "/" + caminho; }

TEST(ResumeChuvadas, DryLimitZeroGivesTheEventsOfFatiaChuvadasOnTheExample) {
  ScratchDir dir;
  dir.write("export.csv", read_file(fonte("examples/pluviografo_marco_2025.csv")));
  ASSERT_EQ(run_program("Ajusta_Leituras", {"export.csv", "serie.txt", "nenhum", "nenhum", ";", "n", "00:05:00", "0.2",
                                            "2", "3", "1", "2", "3", "0", "DD/MM/YYYY"},
                        dir.path())
                .exit_code,
            0);
  confere_com_fatia(dir, "0.2", "00:05:00", 300, 5);
}

// The public records of tests/data, formatted as its README says
// (commas turned into blanks) and resampled to five minutes.
struct RegistroReal {
  const char* arquivo;
  std::vector<std::string> formatacao;  // Ajusta_Leituras parameters 3 to 15
  const char* precisao;
};

TEST(ResumeChuvadas, DryLimitZeroGivesTheEventsOfFatiaChuvadasOnTheRealRecords) {
  const std::string pasta = fonte("tests/data/");
  const RegistroReal registros[] = {
      {"cumulative_tips_2024.csv",
       {"nenhum", "total", "space", "n", "00:05:00", "0.2", "1", "2", "1", "2", "0", "3", "MM/DD/YY"},
       "0.2"},
      // Depth per minute in inches, 0.009 in (0.2286 mm) per tip.
      {"minute_depth_inches_2013.csv",
       {"intervalo", "nenhum", "space", "n", "00:05:00", "0.009", "1", "2", "1", "2", "3", "0", "MM/DD/YYYY"},
       "0.2286"},
  };
  for (const RegistroReal& registro : registros) {
    ScratchDir dir;
    std::string texto = read_file(pasta + registro.arquivo);
    std::replace(texto.begin(), texto.end(), ',', ' ');
    dir.write("export.txt", texto);
    std::vector<std::string> args{"export.txt", "serie.txt"};
    args.insert(args.end(), registro.formatacao.begin(), registro.formatacao.end());
    ASSERT_EQ(run_program("Ajusta_Leituras", args, dir.path()).exit_code, 0) << registro.arquivo;
    SCOPED_TRACE(registro.arquivo);
    confere_com_fatia(dir, registro.precisao, "00:05:00", 300, 5);
  }
}

}  // namespace
}  // namespace rain::testing
