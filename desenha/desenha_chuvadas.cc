#include "desenha/desenha_chuvadas.h"

#include "common/program.h"
#include "desenha/pagina.h"
#include "events/parametros.h"

namespace rain::desenha {
namespace {

void escreve_utilizacao(Console& console) {
  console.write_line("Utilizacao do programa com parametros por linha de comando:");
  console.write_line("Desenha_Chuvadas <arquivo de entrada> <pagina de saida> <intervalo para");
  console.write_line("interrupcao> <evento minimo> <precisao> <intervalo de discretizacao>");
  console.write_line("");
  console.write_line("Os caminhos dos arquivos podem ser absolutos ou relativos a pasta atual.");
  console.write_line("A pagina e um arquivo HTML: de a ela um nome terminado em .html.");
}

const ProgramInfo kDesenhaChuvadas{"Desenha_Chuvadas", escreve_utilizacao};

// The warnings about the figures, then one line, on standard error after a run
// that succeeded.
void escreve_resumo(Console& console, const ResumoDaPagina& r) {
  for (const std::string& aviso : r.avisos) console.write_note(aviso);
  write_summary(console, kDesenhaChuvadas,
                {counted(r.registros, "registro lido", "registros lidos"),
                 counted(r.eventos, "evento na tabela", "eventos na tabela"),
                 counted(r.hietogramas, "hietograma", "hietogramas")});
}

int modo_linha_de_comando(const std::vector<std::string>& args, const Options& dadas, Console& console, Env& env) {
  ParametrosDaPagina p;
  p.opcoes = resume::opcoes_da_analise(dadas);
  p.corte = events::le_parametros_de_corte(args[2], args[3], args[4], args[5]);
  // Paths are kept whole: one longer than 255 characters is refused rather
  // than cut to a name that may lie in another folder.
  p.entrada = args[0];
  p.pagina = args[1];
  escreve_resumo(console, desenha_pagina(env, p));
  return 0;
}

int modo_interativo(const Options& dadas, Console& console, Env& env) {
  ParametrosDaPagina p;
  p.opcoes = resume::opcoes_da_analise(dadas);
  console.clear();
  p.entrada = console.ask_path_then_blank_line({"Digite o caminho e o nome do arquivo de entrada."});
  p.pagina =
      console.ask_path_then_blank_line({"Digite o caminho e o nome da pagina de saida, com a extensao .html."});
  p.corte = events::pergunta_parametros_de_corte(console);
  escreve_resumo(console, desenha_pagina(env, p));
  console.end_dialogue();
  return 0;
}

}  // namespace

int run_desenha_chuvadas(const std::vector<std::string>& args, Console& console, Env& env) {
  return run_dialogue_or_command_line(
      kDesenhaChuvadas, args, console, {6}, {{"--falhas"}, {"--energia"}, {"--completude-minima"}, {"--distribuicao"}},
      [&](const Options& dadas) { return modo_interativo(dadas, console, env); },
      [&](const Options& dadas, const auto& params) { return modo_linha_de_comando(params, dadas, console, env); });
}

}  // namespace rain::desenha
