#include "formatter/entrada.h"

#include <optional>

#include "common/failure.h"
#include "common/instante.h"
#include "common/number_input.h"
#include "common/numbers.h"
#include "common/program.h"
#include "common/text.h"
#include "formatter/ajusta_leituras.h"
#include "formatter/avisos.h"
#include "formatter/palavras.h"

namespace rain::formatter {
namespace {

constexpr std::size_t kArgumentCount = 15;

const char* const kMensagemReal = "O parametro 8 deve ser numero real.";
const char* const kMensagemInteiros = "Os parametros de 9 a 14 devem ser numeros inteiros.";
const char* const kMensagemFaixa = "Os parametros de 9 a 14 devem estar entre -32768 e 32767.";
const char* const kRespostaForaDaFaixa = "Erro: o valor digitado deve estar entre -32768 e 32767.";
const char* const kSemColunaDeChuva = "Erro: informe a coluna do acumulo ou a coluna da bascula.";
const char* const kColunasIguais = "Erro: a coluna do acumulo e a coluna da bascula devem ser diferentes.";
const char* const kSeNaoExistir = "Em caso desta nao existir, digite \"0\".";
const char* const kOpcoesTipo = "As opcoes atuais sao \"nenhum\", \"total\" e \"intervalo\".";

// A whole-number argument for a 16-bit parameter. Beyond the 32-bit range a
// text counts as not a number at all; between that and the 16-bit range it is
// a number the parameter cannot hold.
std::int16_t whole_argument(const std::string& text) {
  WholeText w = parse_whole(text);
  if (!w.ok() || !fits_int32(w.value)) throw Failure(kMensagemInteiros, 1);
  if (!fits_int16(w.value)) throw Failure(kMensagemFaixa, 1);
  return static_cast<std::int16_t>(w.value);
}

// Asks the dialogue's questions in order. A numeric answer that is not a
// number ends the dialogue at once with one line.
class Dialogo {
 public:
  explicit Dialogo(Console& console) : console_(console) {}

  void texto(std::initializer_list<std::string_view> lines, std::string& destino) {
    console_.ask(lines);
    destino = console_.read_text_answer();
  }

  // A path is kept whole as well, so that one longer than 255 characters is
  // refused as on the command line instead of cut to another name.
  void caminho(std::initializer_list<std::string_view> lines, std::string& destino, std::string& dado) {
    console_.ask(lines);
    dado = console_.read_path_answer();
    destino = cut_short(dado);
  }

  void inteiro(std::initializer_list<std::string_view> lines, const char* nome, std::int16_t& destino) {
    console_.ask(lines);
    destino = int16_answer(console_.read_number_token(), {kRespostaNaoNumerica, nome}, kRespostaForaDaFaixa);
  }

  void real(std::initializer_list<std::string_view> lines, const char* nome, double& destino) {
    console_.ask(lines);
    destino = decimal_answer(console_.read_number_token(), {kRespostaNaoNumerica, nome});
  }

 private:
  Console& console_;
};

// Depth and tips in one column (both absent, in particular) leave nothing to
// convert: refused rather than ending as if the run had succeeded.
void confere_colunas(const ParametrosDoAjuste& p) {
  if (p.COLUNA_ACUMULO == 0 && p.COLUNA_BASCULA == 0) throw Failure(kSemColunaDeChuva, 1);
  if (p.COLUNA_ACUMULO == p.COLUNA_BASCULA) throw Failure(kColunasIguais, 1);
}

}  // namespace

ParametrosDoAjuste le_linha_de_comando(const std::vector<std::string>& args) {
  ParametrosDoAjuste p;
  p.ENDERECO_ENTRADA = cut_short(args[0]);
  p.ENDERECO_SAIDA = cut_short(args[1]);
  p.entrada_dada = args[0];
  p.saida_dada = args[1];
  p.TIPO_ACUMULO = cut_short(args[2]);
  p.TIPO_BASCULA = cut_short(args[3]);
  p.TIPO_SEPARADOR = cut_short(args[4]);
  p.DISCRETIZADO = cut_short(args[5]);
  p.INTERVALO = cut_short(args[6]);
  p.MASCARA = cut_short(args[14]);

  p.CAPACIDADE_BASCULA = decimal_or_refuse(cut_short(args[7]), {kMensagemReal, "parametro 8 (capacidade da bascula)"});

  p.LINHA_CABECALHO = whole_argument(cut_short(args[8]));
  p.LINHA_PRIMEIRO_DADO = whole_argument(cut_short(args[9]));
  p.COLUNA_DATA = whole_argument(cut_short(args[10]));
  p.COLUNA_HORA = whole_argument(cut_short(args[11]));
  p.COLUNA_ACUMULO = whole_argument(cut_short(args[12]));
  p.COLUNA_BASCULA = whole_argument(cut_short(args[13]));
  confere_palavras(p);
  return p;
}

ParametrosDoAjuste dialogo(Console& console) {
  ParametrosDoAjuste p;
  Dialogo d(console);
  d.caminho({"Digite o caminho do arquivo de entrada."}, p.ENDERECO_ENTRADA, p.entrada_dada);
  d.caminho({"Digite o caminho do arquivo de saida."}, p.ENDERECO_SAIDA, p.saida_dada);
  d.inteiro({"Digite em que linha se encontra o cabecalho do arquivo, se houver.", kSeNaoExistir},
            "linha do cabecalho", p.LINHA_CABECALHO);
  d.inteiro({"Digite em que linha se encontra o primeiro dado de chuva do arquivo."}, "linha do primeiro dado",
            p.LINHA_PRIMEIRO_DADO);
  d.texto({"Digite a mascara da data que esta sendo entrada."}, p.MASCARA);
  d.inteiro({"Digite em que coluna se encontram as datas no arquivo."}, "coluna da data", p.COLUNA_DATA);
  d.inteiro({"Digite em que coluna se encontram as horas no arquivo."}, "coluna da hora", p.COLUNA_HORA);
  d.inteiro({"Digite em que coluna se encontram os acumulos no arquivo.", kSeNaoExistir}, "coluna do acumulo",
            p.COLUNA_ACUMULO);
  d.inteiro({"Digite em que coluna se encontram as basculacoes no arquivo.", kSeNaoExistir}, "coluna da bascula",
            p.COLUNA_BASCULA);
  // A keyword answer is refused at once, as the command line refuses it.
  if (p.COLUNA_ACUMULO != 0) {
    d.texto({"Digite o tipo do acumulo no arquivo de entrada.", kOpcoesTipo}, p.TIPO_ACUMULO);
    confere_tipo(p.TIPO_ACUMULO, 3, "tipo de acumulo");
  }
  if (p.COLUNA_BASCULA != 0) {
    d.texto({"Digite o tipo do basculacao no arquivo de entrada.", kOpcoesTipo}, p.TIPO_BASCULA);
    confere_tipo(p.TIPO_BASCULA, 4, "tipo de bascula");
  }
  d.texto({"Digite o caracter usado como separador de campos no arquivo.",
           "Esperamos como separadores \"space\", \"tab\", \";\" ou \",\"."},
          p.TIPO_SEPARADOR);
  confere_separador(p.TIPO_SEPARADOR);
  d.texto({"Digite \"s\" se o arquivo e discretizado ou \"n\" para nao discretizado."}, p.DISCRETIZADO);
  confere_discretizado(p.DISCRETIZADO);
  d.texto({"Digite o intervalo de discretizacao usado ou a ser aplicado no arquivo.",
           "Esse intervalo deve seguir o seguinte formato \"hh:mm:ss\". O default e \"00:01:00\"."},
          p.INTERVALO);
  d.real({"Digite a capacidade da bascula em mm de chuva."}, "capacidade da bascula", p.CAPACIDADE_BASCULA);
  return p;
}

void escreve_utilizacao(Console& console) {
  console.write_line("Utilizacao do programa com parametros por linha de comando:");
  console.write_line("Ajusta_Leituras <endereco de entrada> <endereco de saida>");
  console.write_line("<tipo de acumulo> <tipo de bascula> <tipo de separador>");
  console.write_line("<discretizado(S/N)?> <intervalo de discretizacao> <capacidade da bascula>");
  console.write_line("<linha de cabecalho> <linha do primeiro dado> <coluna da data>");
  console.write_line("<coluna da hora> <coluna do acumulo> <coluna da bascula> <mascara da data>");
  console.write_line("");
  console.write_line("Os caminhos dos arquivos podem ser absolutos ou relativos a pasta atual.");
  console.write_line("");
  console.write_line("Os parametros de 8 a 14 devem ser valores numericos");
  console.write_line("");
  console.write_line("A mascara da data deve seguir o modelo DD-MM-YY ou day/month/year");
}

const ProgramInfo kAjustaLeituras{"Ajusta_Leituras", escreve_utilizacao};

namespace {

constexpr const char* kFalhaApos = "--falha-apos";
constexpr const char* kFalhas = "--falhas";

// A part of a duration: digits only, at most `maximo`.
std::optional<std::int64_t> parte_da_duracao(std::string_view texto, std::int64_t maximo) {
  if (texto.empty() || texto.size() > 7) return std::nullopt;
  std::int64_t valor = 0;
  for (char c : texto) {
    if (c < '0' || c > '9') return std::nullopt;
    valor = valor * 10 + (c - '0');
  }
  if (valor > maximo) return std::nullopt;
  return valor;
}

// "hh:mm:ss" of hours that may pass 23 ("72:00:00"), in seconds; not zero.
std::int64_t duracao_da_opcao(const std::string& texto) {
  const std::size_t a = texto.find(':');
  const std::size_t b = a == std::string::npos ? a : texto.find(':', a + 1);
  std::optional<std::int64_t> h, m, s;
  if (b != std::string::npos) {
    h = parte_da_duracao(std::string_view(texto).substr(0, a), 9999999);
    m = parte_da_duracao(std::string_view(texto).substr(a + 1, b - a - 1), 59);
    s = parte_da_duracao(std::string_view(texto).substr(b + 1), 59);
  }
  if (!h || !m || !s || *h * 3600 + *m * 60 + *s == 0) {
    throw Failure("Erro: a opcao " + std::string(kFalhaApos) + " pede uma duracao hh:mm:ss maior que zero, e nao \"" +
                      cut_short(texto) + "\".",
                  1);
  }
  return *h * 3600 + *m * 60 + *s;
}

struct OpcoesDoAjuste {
  std::int64_t falha_apos_s = 0;
  std::string arquivo_de_falhas;
};

// The options given before the parameters, which apply however the parameters
// come. A list asked for without a limit takes one day.
OpcoesDoAjuste le_opcoes(const Options& opcoes) {
  OpcoesDoAjuste o;
  if (const auto limite = opcoes.value(kFalhaApos)) o.falha_apos_s = duracao_da_opcao(*limite);
  if (const auto lista = opcoes.value(kFalhas)) {
    o.arquivo_de_falhas = *lista;
    if (o.falha_apos_s == 0) o.falha_apos_s = kSegundosDoDia;
  }
  return o;
}

// The run once its parameters are read, whichever way they came.
int converte(Console& console, Env& env, const OpcoesDoAjuste& opcoes, ParametrosDoAjuste p) {
  p.falha_apos_s = opcoes.falha_apos_s;
  p.arquivo_de_falhas = opcoes.arquivo_de_falhas;
  confere_colunas(p);
  const ResumoDoAjuste resumo = AJUSTA_LEITURAS(env, p);
  for (const std::string& aviso : avisos_do_ajuste(resumo, p.CAPACIDADE_BASCULA)) console.write_note(aviso);
  write_summary(console, kAjustaLeituras,
                {counted(resumo.leituras, "leitura lida", "leituras lidas"),
                 counted(resumo.registros, "registro escrito", "registros escritos") + " em " + p.ENDERECO_SAIDA,
                 acumulo_do_resumo(resumo, p.CAPACIDADE_BASCULA)});
  return 0;
}

}  // namespace

int run_ajusta_leituras(const std::vector<std::string>& args, Console& console, Env& env) {
  return run_dialogue_or_command_line(
      kAjustaLeituras, args, console, {kArgumentCount}, {{kFalhaApos}, {kFalhas}},
      [&](const Options& opcoes) {
        // A wrong limit is refused before any question is asked.
        const OpcoesDoAjuste o = le_opcoes(opcoes);
        return converte(console, env, o, dialogo(console));
      },
      [&](const Options& opcoes, const auto& params) {
        const OpcoesDoAjuste o = le_opcoes(opcoes);
        return converte(console, env, o, le_linha_de_comando(params));
      });
}

}  // namespace rain::formatter
