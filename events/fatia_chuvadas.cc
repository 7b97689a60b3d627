#include "events/fatia_chuvadas.h"

#include "common/failure.h"
#include "common/fixed.h"
#include "common/numbers.h"
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

// On the command line a number that is not wholly a number counts as 0.
double numero_ou_zero(const std::string& texto) { return decimal(texto).value_or(0); }

int modo_linha_de_comando(const std::vector<std::string>& args, Console& console, Env& env) {
  ParametrosDoRecorte p;
  p.janela = CALCULA_JANELA(cut_short(args[2]), cut_short(args[5]));
  p.minimo = numero_ou_zero(args[3]);
  p.precisao = numero_ou_zero(args[4]);
  // Paths are kept whole: one longer than 255 characters is refused rather
  // than cut to a name that may lie in another folder.
  p.entrada = args[0];
  p.saida = args[1];
  ResumoDoRecorte resumo;
  RECORTA_EVENTOS(env, p, &resumo);
  escreve_resumo(console, p, resumo);
  return 0;
}

// A number typed at a prompt that is not one stops the run before any file is
// opened: carrying on with some other value would cut the series wrongly.
double pergunta_numero(Console& console, std::initializer_list<std::string_view> pergunta) {
  console.ask(pergunta);
  std::optional<std::string> resposta = console.read_number_token();
  console.write_line("");
  if (!resposta) throw Failure("Erro: fim da entrada antes da resposta.", 1);
  std::optional<double> numero = decimal(*resposta);
  if (!numero) throw Failure("Erro: o valor digitado nao e um numero.", 1);
  return *numero;
}

int modo_interativo(Console& console, Env& env) {
  console.clear();
  ParametrosDoRecorte p;
  p.entrada = console.ask_text_then_blank_line({"Digite o caminho e o nome do arquivo de entrada."});
  p.saida = console.ask_text_then_blank_line({"Digite o caminho e o nome do arquivo de saida, sem extensao."});
  const std::string limite =
      console.ask_text_then_blank_line({"Digite o valor do limite de tempo para uma interrupcao, no formato hh:mm:ss."});
  p.minimo = pergunta_numero(console, {"Digite seu limite minimo de chuva, em milimetros, que deve haver em um intervalo",
                                       "de tempo para ele ser considerado um evento."});
  p.precisao = pergunta_numero(console, {"Digite a precisao encontrada nos registros do arquivo de entrada."});
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
