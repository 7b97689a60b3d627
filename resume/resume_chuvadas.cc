#include "resume/resume_chuvadas.h"

#include "common/failure.h"
#include "common/fixed.h"
#include "common/numbers.h"
#include "common/program.h"
#include "common/text.h"
#include "events/parametros.h"
#include "resume/opcoes.h"
#include "resume/tabelas_da_serie.h"

namespace rain::resume {
namespace {

void escreve_utilizacao(Console& console) {
  console.write_line("Utilizacao do programa com parametros por linha de comando:");
  console.write_line("Resume_Chuvadas <arquivo de entrada> <tabela de eventos> <tabela de maximas>");
  console.write_line("<intervalo para interrupcao> <evento minimo> <precisao> <intervalo de");
  console.write_line("discretizacao> <limite seco>");
  console.write_line("");
  console.write_line("Os caminhos dos arquivos podem ser absolutos ou relativos a pasta atual.");
  console.write_line("As tabelas sao gravadas com o nome dado, extensao incluida (eventos.csv).");
}

const ProgramInfo kResumeChuvadas{"Resume_Chuvadas", escreve_utilizacao};

// The dry limit is new to the tool set, so it is read strictly: a stretch
// judged with a mistyped limit would split or join storms silently.
double limite_seco(std::optional<double> valor) {
  if (!valor || !(*valor >= 0)) throw Failure("Erro: limite seco invalido.", 1);
  return *valor;
}

// One line on standard error after a run that succeeded.
void escreve_resumo(Console& console, const TotaisDoResumo& t, const ParametrosDoResumo& p, bool com_falhas) {
  const std::string chuva = format_fixed_compact(static_cast<double>(t.basculacoes) * p.precisao, 2) + " mm na serie";
  const std::string energia = "energia " + std::string(nome_da_equacao(p.energia));
  const std::string registros = counted(t.registros, "registro lido", "registros lidos");
  const std::string encontrados = counted(t.eventos_encontrados, "evento encontrado", "eventos encontrados");
  const std::string mantidos = counted(t.eventos_mantidos, "evento na tabela", "eventos na tabela");
  if (com_falhas) {
    write_summary(console, kResumeChuvadas,
                  {registros, encontrados, mantidos,
                   counted(t.eventos_com_falha, "evento com falha", "eventos com falha"), chuva, energia});
  } else {
    write_summary(console, kResumeChuvadas, {registros, encontrados, mantidos, chuva, energia});
  }
}

int executa(Console& console, Env& env, ArquivosDoResumo arquivos, const ParametrosDoResumo& p,
            const OpcoesDaAnalise& opcoes, const Options& dadas) {
  arquivos.falhas = opcoes.falhas;
  arquivos.erosividade = dadas.value("--erosividade");
  arquivos.idf = dadas.value("--idf");
  confere_arquivos(env, arquivos);
  const ResultadoDasTabelas resultado = escreve_tabelas(env, arquivos, p, opcoes.distribuicao);
  for (const std::string& aviso : resultado.avisos) console.write_note(aviso);
  escreve_resumo(console, resultado.totais, p, arquivos.falhas.has_value());
  return 0;
}

int modo_linha_de_comando(const std::vector<std::string>& args, const Options& dadas, Console& console, Env& env) {
  const OpcoesDaAnalise opcoes = opcoes_da_analise(dadas);
  const events::ParametrosDeCorte corte = events::le_parametros_de_corte(args[3], args[4], args[5], args[6], 5);
  const double seco = limite_seco(decimal(args[7]));
  // Paths are kept whole: one longer than 255 characters is refused rather
  // than cut to a name that may lie in another folder.
  return executa(console, env, ArquivosDoResumo{args[0], args[1], args[2], {}, {}, {}},
                 parametros_do_resumo(corte, seco, opcoes), opcoes, dadas);
}

int modo_interativo(const Options& dadas, Console& console, Env& env) {
  const OpcoesDaAnalise opcoes = opcoes_da_analise(dadas);
  console.clear();
  ArquivosDoResumo arquivos;
  arquivos.serie = console.ask_path_then_blank_line({"Digite o caminho e o nome do arquivo de entrada."});
  arquivos.eventos = console.ask_path_then_blank_line({"Digite o caminho e o nome da tabela de eventos (CSV)."});
  arquivos.maximas =
      console.ask_path_then_blank_line({"Digite o caminho e o nome da tabela de maximas anuais (CSV)."});
  const events::ParametrosDeCorte corte = events::pergunta_parametros_de_corte(console);
  const double seco = limite_seco(events::pergunta_numero(
      console, {"Digite o limite seco, em milimetros: uma interrupcao com menos chuva que isso conta",
                "como seca (0: so sem basculacoes; 1.27: a regra da erosividade)."}));
  executa(console, env, arquivos, parametros_do_resumo(corte, seco, opcoes), opcoes, dadas);
  console.end_dialogue();
  return 0;
}

}  // namespace

int run_resume_chuvadas(const std::vector<std::string>& args, Console& console, Env& env) {
  return run_dialogue_or_command_line(
      kResumeChuvadas, args, console, {8},
      {{"--falhas"}, {"--energia"}, {"--completude-minima"}, {"--erosividade"}, {"--idf"}, {"--distribuicao"}},
      [&](const Options& dadas) { return modo_interativo(dadas, console, env); },
      [&](const Options& dadas, const auto& params) { return modo_linha_de_comando(params, dadas, console, env); });
}

}  // namespace rain::resume
