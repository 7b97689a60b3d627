// Fuzz target of the four programs that read a normalized series: the program,
// its parameters (or the same values as dialogue answers), a file left by an
// earlier run and the options chosen by the first line of the input, the
// series after it.
#include <cctype>
#include <cstddef>
#include <cstdint>

#include "desenha/desenha_chuvadas.h"
#include "events/fatia_chuvadas.h"
#include "fuzz/harness.h"
#include "maxima/rastreia_picos.h"
#include "resume/resume_chuvadas.h"

namespace rain::fuzz {
namespace {

const char* const kSeries = "serie.txt";
// The outputs of these programs grow with the series, which the input bounds.
constexpr std::size_t kFileCap = 1 << 20;

Candidates series_names() {
  return {kSeries, "./serie.txt", "pasta/../serie.txt", "apelido.txt", "nao_existe.txt", "pasta",
          "eventos", long_name(kSeries), "fila",  "nulo",         "buffer_serie.pvx"};
}

// The four values that cut a series into events, as Fatia_Chuvadas,
// Resume_Chuvadas and Desenha_Chuvadas take them. Window and step stay such
// that a run holds and writes little.
std::vector<Candidates> cut_parameters() {
  return {
      {"06:00:00", "01:00:00", "00:10:00", "00:05:00", "00:30:00", "00:07:00", "23:59:59", "00:00:00", "6", "abc",
       "-06:00:00", "24:00:00", "00/30/00"},
      {"1.0", "0", "0.2", "100", "-1", "abc", "1e300", "0,5"},
      {"0.2", "0.254", "1", "0.01", "0", "-0.2", "abc", "1e300", "1e-300"},
      {"00:05:00", "00:01:00", "00:10:00", "00:07:00", "01:00:00", "00:00:01", "00:00:00", "5", "abc", "00:05"},
  };
}

std::vector<Candidates> with_cut_parameters(std::vector<Candidates> files) {
  for (Candidates& list : cut_parameters()) files.push_back(std::move(list));
  return files;
}

std::vector<std::string> in_order(const std::vector<std::string>& parameters) { return parameters; }

// The search asks the dates and hours of an interval in its own order, one
// reference hour for the periodic modes, none for the whole series; never
// the title.
std::vector<std::string> search_answers(const std::vector<std::string>& p) {
  std::vector<std::string> a = {p[0], p[1], p[2]};
  std::string mode = p[2];
  for (char& c : mode) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (mode == "INTERVALO") {
    a.insert(a.end(), {p[5], p[3], p[6], p[4]});
  } else if (mode != "TOTAL") {
    a.push_back(p[3]);
  }
  a.push_back(p[7]);
  return a;
}

// The options of the storm tables and the page.
Option outage_list() {
  return {"falhas", {"falhas.csv", "nao_existe.csv", kSeries, "apelido.txt", "eventos.csv", "pasta", "fila", "nulo"},
          true};
}
Option energy() { return {"energia", {"rusle2", "bf", "ws", "BF", "x", ""}}; }
Option completeness() { return {"completude-minima", {"90", "0", "100", "50.5", "-1", "101", "abc", "nan"}}; }
Option distribution() { return {"distribuicao", {"gumbel", "gev", "GEV", "x", ""}}; }

// No leftover, an outage list over the seed series, one the input brings,
// then `others`.
std::vector<Leftover> with_outage_lists(std::vector<Leftover> others) {
  std::vector<Leftover> leftovers = {
      {},
      Leftover::file("falhas.csv", "inicio,fim\r\n2025-03-03T16:00:00,2025-03-03T16:30:00\r\n"),
      Leftover::from_input("falhas.csv")};
  leftovers.insert(leftovers.end(), others.begin(), others.end());
  return leftovers;
}

const std::vector<Program>& programs() {
  static const Candidates hours = {"00:00:00", "07:00:00", "0", "7:00", "07/00/00", "23:59:59", "24:00:00", "-1",
                                   "x"};
  static const Candidates dates = {"0",  "01/03/25", "15/03/25", "1/6/14", "01-06-2014", "31/02/25",
                                   "99/99/99", "x"};
  static const std::vector<Program> list = {
      {"Rastreia_Picos",
       maxima::run_rastreia_picos,
       {series_names(),
        {"relatorio.txt", "pasta/relatorio.txt", kSeries, "apelido.txt", "buffer_pesquisa.pvx", "sem_pasta/r.txt",
         "pasta", long_name("relatorio.txt"), "nulo", "cheio", "fila"},
        {"total", "diario", "mensal", "bimestral", "trimestral", "semestral", "sazonal", "intervalo", "DiArIo",
         "semanal", ""},
        hours,
        hours,
        dates,
        dates,
        {"0.2", "0.254", "1", "0", "-0.2", "abc", "1e300", "1e-300"},
        {std::string(kAbsent), "Titulo", "", long_name("titulo")}},
       // The options, one line each.
       {},
       {{}, Leftover::from_input("buffer_pesquisa.pvx"), Leftover::from_input("relatorio.txt"),
        Leftover::folder("buffer_pesquisa.pvx"), Leftover::held("buffer_pesquisa.pvx"),
        Leftover::held("buffer_serie.pvx"), Leftover::held("relatorio.txt.pvx")},
       search_answers,
       kFileCap},
      {"Fatia_Chuvadas",
       events::run_fatia_chuvadas,
       with_cut_parameters({series_names(),
                            {"eventos/evento", "evento", "sem_pasta/evento", kSeries, "eventos", "buffer_eventos",
                             "eventos/", long_name("evento"), "buffer_serie"}}),
       // The options, one line each.
       {},
       {{},
        Leftover::from_input("buffer_eventos.pvx"),
        Leftover::from_input("eventos/evento_Parte1_03-03-25_15h40_a_03-03-25_17h55.txt"),
        Leftover::folder("buffer_eventos.pvx"), Leftover::held("buffer_eventos.pvx"),
        Leftover::held("buffer_serie.pvx")},
       in_order,
       kFileCap},
      {"Resume_Chuvadas",
       resume::run_resume_chuvadas,
       [] {
         std::vector<Candidates> p = with_cut_parameters(
             {series_names(),
              {"eventos.csv", "pasta/eventos.csv", kSeries, "maximas.csv", "sem_pasta/e.csv", "pasta",
               long_name("eventos.csv"), "nulo", "cheio"},
              {"maximas.csv", "eventos.csv", "./maximas.csv", kSeries, "apelido.txt", "pasta/m.csv", "eventos", "cheio",
               "buffer_serie.pvx"}});
         p.push_back({"0", "1.27", "100", "-1", "abc", "1e300"});
         return p;
       }(),
       // The options, one line each.
       {outage_list(),
        energy(),
        completeness(),
        {"erosividade", {"erosividade.csv", "eventos.csv", "maximas.csv", kSeries, "falhas.csv", "apelido.txt",
                         "pasta/e.csv", "sem_pasta/e.csv", "pasta", long_name("erosividade.csv"), "cheio"}},
        {"idf", {"idf.csv", "eventos.csv", "maximas.csv", kSeries, "falhas.csv", "erosividade.csv", "pasta/idf.csv",
                 "pasta", "cheio", long_name("idf.csv")}},
        distribution()},
       with_outage_lists({Leftover::from_input("eventos.csv.pvx"), Leftover::from_input("maximas.csv"),
                          Leftover::folder("maximas.csv.pvx"), Leftover::from_input("erosividade.csv.pvx"),
                          Leftover::held("eventos.csv.pvx"), Leftover::held("buffer_serie.pvx")}),
       in_order,
       kFileCap},
      {"Desenha_Chuvadas",
       desenha::run_desenha_chuvadas,
       with_cut_parameters({series_names(),
                            {"pagina.html", "pasta/pagina.html", kSeries, "apelido.txt", "pasta", "sem_pasta/p.html",
                             long_name("pagina.html"), "nulo", "cheio", "fila"}}),
       // The options, one line each.
       {outage_list(), energy(), completeness(), distribution()},
       with_outage_lists({Leftover::from_input("pagina.html.pvx"), Leftover::from_input("pagina.html"),
                          Leftover::folder("pagina.html.pvx"), Leftover::held("pagina.html.pvx"),
                          Leftover::held("buffer_serie.pvx")}),
       in_order,
       kFileCap},
  };
  return list;
}

}  // namespace
}  // namespace rain::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  rain::fuzz::Choices choices(data, size);
  const rain::fuzz::Program& program = choices.pick(rain::fuzz::programs());
  const rain::fuzz::Run run = rain::fuzz::pick_run(choices, program);
  rain::fuzz::run_and_check(run, rain::fuzz::kSeries, choices.body());
  return 0;
}
