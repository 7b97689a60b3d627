#include "events/parametros.h"

#include "common/failure.h"
#include "common/numbers.h"
#include "common/text.h"
#include "events/janela.h"

namespace rain::events {
namespace {

// On the command line a number that is not wholly a number counts as 0.
double numero_ou_zero(const std::string& texto) { return decimal(texto).value_or(0); }

}  // namespace

ParametrosDeCorte le_parametros_de_corte(const std::string& limite, const std::string& minimo,
                                         const std::string& precisao, const std::string& intervalo) {
  ParametrosDeCorte p;
  p.janela = CALCULA_JANELA(cut_short(limite), cut_short(intervalo));
  p.passo_s = segundos_da_duracao(cut_short(intervalo));
  p.minimo = numero_ou_zero(minimo);
  p.precisao = numero_ou_zero(precisao);
  return p;
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

ParametrosDeCorte pergunta_parametros_de_corte(Console& console) {
  ParametrosDeCorte p;
  const std::string limite =
      console.ask_text_then_blank_line({"Digite o valor do limite de tempo para uma interrupcao, no formato hh:mm:ss."});
  p.minimo = pergunta_numero(console, {"Digite seu limite minimo de chuva, em milimetros, que deve haver em um intervalo",
                                       "de tempo para ele ser considerado um evento."});
  p.precisao = pergunta_numero(console, {"Digite a precisao encontrada nos registros do arquivo de entrada."});
  const std::string intervalo =
      console.ask_text_then_blank_line({"Digite o valor do intervalo usado na discretizacao, no formato hh:mi:ss."});
  p.janela = CALCULA_JANELA(limite, intervalo);
  p.passo_s = segundos_da_duracao(intervalo);
  return p;
}

}  // namespace rain::events
