#include "formatter/conta_basculacoes.h"

#include <memory>

#include "common/failure.h"
#include "common/line_io.h"
#include "common/numbers.h"
#include "common/series_record.h"
#include "common/text.h"
#include "formatter/conta_em_fluxo.h"

namespace rain::formatter {
namespace {

void le_registro(LineReader& arquivo, std::string& linha) {
  arquivo.read_line(linha);
  hold_record(linha);
}

// The accumulated depth of a record, a decimal comma read as a point.
std::string acumulo_do_registro(const std::string& linha) {
  return with_char_replaced(record_field(linha, kDepthField), ',', '.');
}

// The stop for a depth that is not a number, saying on standard error which
// line of the series (the work file, which the stop leaves in place) holds it.
Failure profundidade_ilegivel(const std::string& serie, long numero_linha, const std::string& valor) {
  return Failure::silent(1, "Erro: linha " + std::to_string(numero_linha) + " do arquivo " + serie + ", campo 3: \"" +
                                valor + "\" nao e um numero.");
}

}  // namespace

std::optional<std::string> OBTEMBASCULACAO(std::string_view str1, std::string_view str2, double capacidade) {
  const std::optional<double> v1 = decimal(str1);
  const std::optional<double> v2 = decimal(str2);
  if (!v1 || !v2) return std::nullopt;
  std::string contagem;
  acrescenta_basculacoes(contagem, *v1, *v2, capacidade);
  if (contagem.size() < 5) contagem.insert(0, 5 - contagem.size(), ' ');
  return contagem;
}

SomaDasBasculas CONTA_BASCULACOES(Env& env, const std::string& entrada, const std::string& saida,
                                  double tamanho_bascula, bool titulo_pronto) {
  std::unique_ptr<LineReader> origem = open_lines(env, entrada);
  if (!origem) throw Failure("Erro: nao foi possivel abrir o arquivo de trabalho " + entrada + ".", 1);
  std::unique_ptr<LineWriter> destino = create_lines(env, saida);
  if (!destino) throw Failure("Erro: nao foi possivel gerar o arquivo de saida.", 1);

  std::string cabecalho = cut_short(origem->read_line());
  destino->write_line(titulo_pronto ? cabecalho : cut_short(cabecalho + " Basculacao"));

  std::string anterior;
  std::string atual;
  le_registro(*origem, atual);
  std::string acumulo_atual = acumulo_do_registro(atual);
  anterior.swap(atual);
  std::string linha;
  long numero_atual = 2;
  SomaDasBasculas soma;
  bool primeiro = true;
  while (!origem->at_end()) {
    std::string acumulo_anterior = std::move(acumulo_atual);
    le_registro(*origem, atual);
    ++numero_atual;
    acumulo_atual = acumulo_do_registro(atual);
    const std::optional<double> v1 = decimal(acumulo_anterior);
    if (!v1) throw profundidade_ilegivel(entrada, numero_atual - 1, acumulo_anterior);
    const std::optional<double> v2 = decimal(acumulo_atual);
    if (!v2) throw profundidade_ilegivel(entrada, numero_atual, acumulo_atual);
    if (primeiro) soma.conta(linha, *v1, tamanho_bascula);
    primeiro = false;
    // The count follows the record, cut to 255 characters, after one blank,
    // so a long record never has it glued to its last word.
    linha.assign(anterior);
    soma.conta(linha, *v2, tamanho_bascula);
    destino->write_line(linha);
    anterior.swap(atual);
  }
  if (origem->failed()) throw Failure("Erro: nao foi possivel ler o arquivo de trabalho " + entrada + ".", 1);
  if (!destino->close()) throw Failure("Erro: nao foi possivel gravar o arquivo de saida.", 1);
  return soma;
}

}  // namespace rain::formatter
