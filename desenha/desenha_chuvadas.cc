#include "desenha/desenha_chuvadas.h"

#include "common/failure.h"
#include "common/numbers.h"
#include "common/program.h"
#include "common/text.h"
#include "desenha/pagina.h"
#include "events/janela.h"

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

// The durations are tested first, as the event separation tests them, and
// give the window length and the step of the series.
void completa_duracoes(ParametrosDaPagina& p) {
  p.janela = events::CALCULA_JANELA(p.limite, p.intervalo);
  p.passo = events::segundos_da_duracao(p.intervalo);
}

void escreve_resumo(Console& console, const ParametrosDaPagina& p, const ResumoDaPagina& r) {
  console.write_note("Desenha_Chuvadas: pagina " + p.pagina + " gravada: " + std::to_string(r.registros) +
                     " registros, " + std::to_string(r.eventos) + " eventos, " + std::to_string(r.hietogramas) +
                     " hietogramas.");
}

// On the command line a number that is not wholly a number counts as 0, as
// the event separation reads it.
double numero_ou_zero(const std::string& texto) { return decimal(texto).value_or(0); }

int modo_linha_de_comando(const std::vector<std::string>& args, Console& console, Env& env) {
  ParametrosDaPagina p;
  p.limite = cut_short(args[2]);
  p.intervalo = cut_short(args[5]);
  completa_duracoes(p);
  p.minimo = numero_ou_zero(args[3]);
  p.precisao = numero_ou_zero(args[4]);
  p.entrada = cut_short(args[0]);
  p.pagina = cut_short(args[1]);
  escreve_resumo(console, p, DESENHA_CHUVADAS(env, p));
  return 0;
}

// A number typed at a prompt that is not one stops the run before any file is
// opened: carrying on with some other value would draw the wrong events.
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
  ParametrosDaPagina p;
  p.entrada = console.ask_text_then_blank_line({"Digite o caminho e o nome do arquivo de entrada."});
  p.pagina = console.ask_text_then_blank_line({"Digite o caminho e o nome da pagina de saida, com a extensao .html."});
  p.limite =
      console.ask_text_then_blank_line({"Digite o valor do limite de tempo para uma interrupcao, no formato hh:mm:ss."});
  p.minimo = pergunta_numero(console, {"Digite seu limite minimo de chuva, em milimetros, que deve haver em um intervalo",
                                       "de tempo para ele ser considerado um evento."});
  p.precisao = pergunta_numero(console, {"Digite a precisao encontrada nos registros do arquivo de entrada."});
  p.intervalo =
      console.ask_text_then_blank_line({"Digite o valor do intervalo usado na discretizacao, no formato hh:mi:ss."});
  completa_duracoes(p);
  escreve_resumo(console, p, DESENHA_CHUVADAS(env, p));
  console.write_line("Processo concluido! Aperte uma tecla para sair...");
  console.wait_key();
  return 0;
}

}  // namespace

int run_desenha_chuvadas(const std::vector<std::string>& args, Console& console, Env& env) {
  return run_program(console, [&] {
    if (args.empty()) return modo_interativo(console, env);
    if (args.size() == 6) return modo_linha_de_comando(args, console, env);
    escreve_utilizacao(console);
    return 0;
  });
}

}  // namespace rain::desenha
