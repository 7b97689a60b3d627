#include "events/fatia_chuvadas.h"

#include "common/failure.h"
#include "common/fixed.h"
#include "common/program.h"
#include "common/text.h"
#include "events/parametros.h"
#include "events/recorta.h"

namespace rain::events {
namespace {

void escreve_utilizacao(Console& console) {
  console.write_line("Utilizacao do programa com parametros por linha de comando:");
  console.write_line("Fatia_Chuvadas <arquivo de entrada> <arquivo de saida> <intervalo para");
  console.write_line("interrupcao> <evento minimo> <precisao> <intervalo de discretizacao>");
  console.write_line("");
  console.write_line("Os caminhos dos arquivos podem ser absolutos ou relativos a pasta atual.");
  console.write_line("Por favor, nao insira a extensao no nome de seu arquivo.");
}

const ProgramInfo kFatiaChuvadas{"Fatia_Chuvadas", escreve_utilizacao};

ParametrosDoRecorte parametros_do_recorte(std::string entrada, std::string saida, const ParametrosDeCorte& corte) {
  ParametrosDoRecorte p;
  p.entrada = std::move(entrada);
  p.saida = std::move(saida);
  p.janela = corte.janela;
  p.minimo = corte.minimo;
  p.precisao = corte.precisao;
  p.passo_s = corte.passo_s;
  return p;
}

void escreve_resumo(Console& console, const ParametrosDoRecorte& p, const ResumoDoRecorte& resumo) {
  write_summary(console, kFatiaChuvadas,
                {counted(resumo.registros, "registro lido", "registros lidos"),
                 counted(resumo.eventos, "evento escrito", "eventos escritos"),
                 format_fixed_compact(static_cast<double>(resumo.basculacoes) * p.precisao, 2) + " mm nos eventos"});
}

int modo_linha_de_comando(const std::vector<std::string>& args, Console& console, Env& env) {
  const ParametrosDeCorte corte = le_parametros_de_corte(args[2], args[3], args[4], args[5]);
  // Paths are kept whole: one longer than 255 characters is refused rather
  // than cut to a name that may lie in another folder.
  const ParametrosDoRecorte p = parametros_do_recorte(args[0], args[1], corte);
  ResumoDoRecorte resumo;
  RECORTA_EVENTOS(env, p, &resumo);
  escreve_resumo(console, p, resumo);
  return 0;
}

int modo_interativo(Console& console, Env& env) {
  console.clear();
  std::string entrada = console.ask_path_then_blank_line({"Digite o caminho e o nome do arquivo de entrada."});
  std::string saida =
      console.ask_path_then_blank_line({"Digite o caminho e o nome do arquivo de saida, sem extensao."});
  const ParametrosDeCorte corte = pergunta_parametros_de_corte(console);
  const ParametrosDoRecorte p = parametros_do_recorte(std::move(entrada), std::move(saida), corte);
  ResumoDoRecorte resumo;
  const FimDoRecorte fim = RECORTA_EVENTOS(env, p, &resumo);
  escreve_resumo(console, p, resumo);
  if (fim == FimDoRecorte::kEntradaAcabouNaBusca) return 0;
  console.end_dialogue();
  return 0;
}

}  // namespace

int run_fatia_chuvadas(const std::vector<std::string>& args, Console& console, Env& env) {
  return run_dialogue_or_command_line(
      kFatiaChuvadas, args, console, {6}, {}, [&](const Options&) { return modo_interativo(console, env); },
      [&](const Options&, const auto& params) { return modo_linha_de_comando(params, console, env); });
}

}  // namespace rain::events
