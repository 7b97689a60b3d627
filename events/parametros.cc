#include "events/parametros.h"

#include "common/number_input.h"
#include "common/text.h"
#include "events/janela.h"

namespace rain::events {
namespace {

// The precision multiplies the tips of every event: a number above 0.
const char* const kPrecisaoNaoPositiva = "Erro: a precisao deve ser maior que zero.";

std::string parametro_nao_numerico(int posicao, const char* nome) {
  return "Erro: o parametro " + std::to_string(posicao) + " (" + nome + ") deve ser um numero.";
}

// The token of a number answer, after which the dialogue writes its empty line.
std::optional<std::string> resposta_numerica(Console& console, std::initializer_list<std::string_view> pergunta) {
  console.ask(pergunta);
  std::optional<std::string> resposta = console.read_number_token();
  console.write_line("");
  return resposta;
}

}  // namespace

ParametrosDeCorte le_parametros_de_corte(const std::string& limite, const std::string& minimo,
                                         const std::string& precisao, const std::string& intervalo,
                                         int posicao_do_minimo) {
  ParametrosDeCorte p;
  p.janela = CALCULA_JANELA(cut_short(limite), cut_short(intervalo));
  p.passo_s = segundos_da_duracao(cut_short(intervalo));
  p.minimo = decimal_or_refuse(minimo, {parametro_nao_numerico(posicao_do_minimo, "evento minimo"), "evento minimo"});
  p.precisao = positive_or_refuse(precisao, {parametro_nao_numerico(posicao_do_minimo + 1, "precisao"), "precisao",
                                             kFimDaEntrada, kPrecisaoNaoPositiva});
  return p;
}

// A number typed at a prompt that is not one stops the run before any file is
// opened: carrying on with some other value would cut the series wrongly.
double pergunta_numero(Console& console, std::initializer_list<std::string_view> pergunta) {
  return decimal_answer(resposta_numerica(console, pergunta), {kRespostaNaoNumerica, "valor digitado"});
}

ParametrosDeCorte pergunta_parametros_de_corte(Console& console) {
  ParametrosDeCorte p;
  const std::string limite =
      console.ask_text_then_blank_line({"Digite o valor do limite de tempo para uma interrupcao, no formato hh:mm:ss."});
  p.minimo = decimal_answer(
      resposta_numerica(console, {"Digite seu limite minimo de chuva, em milimetros, que deve haver em um intervalo",
                                  "de tempo para ele ser considerado um evento."}),
      {kRespostaNaoNumerica, "evento minimo"});
  p.precisao = positive_answer(
      resposta_numerica(console, {"Digite a precisao encontrada nos registros do arquivo de entrada."}),
      {kRespostaNaoNumerica, "precisao", kFimDaEntrada, kPrecisaoNaoPositiva});
  const std::string intervalo =
      console.ask_text_then_blank_line({"Digite o valor do intervalo usado na discretizacao, no formato hh:mi:ss."});
  p.janela = CALCULA_JANELA(limite, intervalo);
  p.passo_s = segundos_da_duracao(intervalo);
  return p;
}

}  // namespace rain::events
