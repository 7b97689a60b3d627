#include "formatter/conta_basculacoes.h"

#include <memory>

#include "common/failure.h"
#include "common/fixed.h"
#include "common/line_io.h"
#include "common/numbers.h"
#include "common/text.h"

namespace rain::formatter {
namespace {

// One series line as the tip counting holds it: cut to 255 characters, tabs
// as blanks.
void le_registro(LineReader& arquivo, std::string& linha) {
  arquivo.read_line(linha);
  if (linha.size() > kMaxShortText) linha.resize(kMaxShortText);
  replace_char(linha, '\t', ' ');
}

// The accumulated depth of a record, a decimal comma read as a point.
std::string acumulo_do_registro(const std::string& linha) {
  static const DelimiterSet blank(" ");
  return with_char_replaced(word_view(linha, 3, blank), ',', '.');
}

double profundidade(std::string_view texto) {
  DecimalText d = parse_decimal(texto);
  if (!d.ok()) throw Failure::silent(1);
  return d.value;
}

// The stop for a depth that is not a number, saying on standard error which
// line of the series (the work file, which the stop leaves in place) holds it.
Failure profundidade_ilegivel(const std::string& serie, long numero_linha, const std::string& valor) {
  return Failure::silent(1, "Erro: linha " + std::to_string(numero_linha) + " do arquivo " + serie + ", campo 3: \"" +
                                valor + "\" nao e um numero.");
}

}  // namespace

std::string OBTEMBASCULACAO(std::string_view str1, std::string_view str2, double capacidade) {
  const double v1 = profundidade(str1);
  const double v2 = profundidade(str2);
  const double s = (v2 - v1) / capacidade;
  return format_fixed(s, 5, 0);
}

void CONTA_BASCULACOES(Env& env, const std::string& entrada, const std::string& saida, double tamanho_bascula) {
  std::unique_ptr<LineReader> arqe = open_lines(env, entrada);
  if (!arqe) throw Failure("Erro: nao foi possivel abrir o arquivo de trabalho " + entrada + ".", 1);
  std::unique_ptr<LineWriter> arqs = create_lines(env, saida);
  if (!arqs) throw Failure("Erro: nao foi possivel gerar o arquivo de saida.", 1);

  std::string cabecalho = cut_short(arqe->read_line());
  arqs->write_line(cut_short(cabecalho + " Basculacao"));

  std::string anterior;
  std::string atual;
  le_registro(*arqe, atual);
  std::string val2 = acumulo_do_registro(atual);
  anterior.swap(atual);
  std::string linha;
  long numero_atual = 2;
  while (!arqe->at_end()) {
    std::string val1 = std::move(val2);
    le_registro(*arqe, atual);
    ++numero_atual;
    val2 = acumulo_do_registro(atual);
    std::string contagem;
    try {
      contagem = OBTEMBASCULACAO(val1, val2, tamanho_bascula);
    } catch (const Failure&) {
      if (!decimal(val1)) throw profundidade_ilegivel(entrada, numero_atual - 1, val1);
      throw profundidade_ilegivel(entrada, numero_atual, val2);
    }
    // The count follows the record, cut to 255 characters, after one blank,
    // so a long record never has it glued to its last word.
    linha.assign(anterior);
    linha += ' ';
    linha += without_char(contagem, ' ');
    arqs->write_line(linha);
    anterior.swap(atual);
  }
  if (arqe->failed()) throw Failure("Erro: nao foi possivel ler o arquivo de trabalho " + entrada + ".", 1);
  if (!arqs->close()) throw Failure("Erro: nao foi possivel gravar o arquivo de saida.", 1);
}

}  // namespace rain::formatter
