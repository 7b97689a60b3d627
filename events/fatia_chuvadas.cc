#include "events/fatia_chuvadas.h"

#include "common/failure.h"
#include "common/fixed.h"
#include "common/number_input.h"
#include "common/program.h"
#include "common/text.h"
#include "events/janela.h"
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

void escreve_resumo(Console& console, const ParametrosDoRecorte& p, const ResumoDoRecorte& resumo) {
  write_summary(console, kFatiaChuvadas,
                {counted(resumo.registros, "registro lido", "registros lidos"),
                 counted(resumo.eventos, "evento escrito", "eventos escritos"),
                 format_fixed_compact(static_cast<double>(resumo.basculacoes) * p.precisao, 2) + " mm nos eventos"});
}

// The precision multiplies the tips of every event: a number above 0.
const char* const kPrecisaoNaoPositiva = "Erro: a precisao deve ser maior que zero.";

int modo_linha_de_comando(const std::vector<std::string>& args, Console& console, Env& env) {
  ParametrosDoRecorte p;
  p.janela = CALCULA_JANELA(cut_short(args[2]), cut_short(args[5]));
  p.minimo = decimal_or_refuse(args[3], {"Erro: o parametro 4 (evento minimo) deve ser um numero.", "evento minimo"});
  p.precisao = positive_or_refuse(
      args[4], {"Erro: o parametro 5 (precisao) deve ser um numero.", "precisao", kFimDaEntrada, kPrecisaoNaoPositiva});
  // Paths are kept whole: one longer than 255 characters is refused rather
  // than cut to a name that may lie in another folder.
  p.entrada = args[0];
  p.saida = args[1];
  ResumoDoRecorte resumo;
  RECORTA_EVENTOS(env, p, &resumo);
  escreve_resumo(console, p, resumo);
  return 0;
}

// The token of a number answer, after which the dialogue writes its empty
// line; an answer that is not a number then stops the run before any file is
// opened: carrying on with some other value would cut the series wrongly.
std::optional<std::string> pergunta_numero(Console& console, std::initializer_list<std::string_view> pergunta) {
  console.ask(pergunta);
  std::optional<std::string> resposta = console.read_number_token();
  console.write_line("");
  return resposta;
}

int modo_interativo(Console& console, Env& env) {
  console.clear();
  ParametrosDoRecorte p;
  p.entrada = console.ask_text_then_blank_line({"Digite o caminho e o nome do arquivo de entrada."});
  p.saida = console.ask_text_then_blank_line({"Digite o caminho e o nome do arquivo de saida, sem extensao."});
  const std::string limite =
      console.ask_text_then_blank_line({"Digite o valor do limite de tempo para uma interrupcao, no formato hh:mm:ss."});
  p.minimo = decimal_answer(
      pergunta_numero(console, {"Digite seu limite minimo de chuva, em milimetros, que deve haver em um intervalo",
                                "de tempo para ele ser considerado um evento."}),
      {kRespostaNaoNumerica, "evento minimo"});
  p.precisao = positive_answer(
      pergunta_numero(console, {"Digite a precisao encontrada nos registros do arquivo de entrada."}),
      {kRespostaNaoNumerica, "precisao", kFimDaEntrada, kPrecisaoNaoPositiva});
  const std::string intervalo =
      console.ask_text_then_blank_line({"Digite o valor do intervalo usado na discretizacao, no formato hh:mi:ss."});
  p.janela = CALCULA_JANELA(limite, intervalo);
  ResumoDoRecorte resumo;
  const FimDoRecorte fim = RECORTA_EVENTOS(env, p, &resumo);
  escreve_resumo(console, p, resumo);
  if (fim == FimDoRecorte::kEntradaAcabouNaBusca) return 0;
  console.write_line("Processo concluido! Aperte uma tecla para sair...");
  console.wait_key();
  return 0;
}

}  // namespace

int run_fatia_chuvadas(const std::vector<std::string>& args, Console& console, Env& env) {
  return run_program(kFatiaChuvadas, args, console, [&] {
    if (args.empty()) return modo_interativo(console, env);
    if (args.size() == 6) return modo_linha_de_comando(args, console, env);
    escreve_utilizacao(console);
    return 0;
  });
}

}  // namespace rain::events
