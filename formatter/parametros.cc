#include "formatter/parametros.h"

#include <optional>

#include "common/failure.h"
#include "common/numbers.h"
#include "common/program.h"
#include "common/text.h"
#include "formatter/ajusta_leituras.h"

namespace rain::formatter {
namespace {

constexpr std::size_t kArgumentCount = 15;

const char* const kMensagemReal = "O parametro 8 deve ser numero real.";
const char* const kMensagemInteiros = "Os parametros de 9 a 14 devem ser numeros inteiros.";
const char* const kMensagemFaixa = "Os parametros de 9 a 14 devem estar entre -32768 e 32767.";
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

// Asks the dialogue's questions in order. Once a numeric answer failed, every
// later question is skipped and its parameter keeps its start value.
class Dialogo {
 public:
  Dialogo(Console& console, PARAMETROS& p) : console_(console), p_(p) {}

  void texto(std::initializer_list<std::string_view> lines, std::string& destino) {
    if (p_.ERRO_PENDENTE) return;
    console_.ask(lines);
    destino = console_.read_text_answer();
  }

  void inteiro(std::initializer_list<std::string_view> lines, std::int16_t& destino) {
    if (p_.ERRO_PENDENTE) return;
    console_.ask(lines);
    std::optional<std::string> token = console_.read_number_token();
    std::optional<std::int16_t> value = token ? whole_int16(*token) : std::nullopt;
    destino = value.value_or(0);
    if (!value) p_.ERRO_PENDENTE = true;
  }

  void real(std::initializer_list<std::string_view> lines, double& destino) {
    if (p_.ERRO_PENDENTE) return;
    console_.ask(lines);
    std::optional<std::string> token = console_.read_number_token();
    std::optional<double> value = token ? decimal(*token) : std::nullopt;
    destino = value.value_or(0);
    if (!value) p_.ERRO_PENDENTE = true;
  }

 private:
  Console& console_;
  PARAMETROS& p_;
};

}  // namespace

PARAMETROS LE_LINHA_DE_COMANDO(const std::vector<std::string>& args) {
  PARAMETROS p;
  p.ENDERECO_ENTRADA = cut_short(args[0]);
  p.ENDERECO_SAIDA = cut_short(args[1]);
  p.ENTRADA_DADA = args[0];
  p.SAIDA_DADA = args[1];
  p.TIPO_ACUMULO = cut_short(args[2]);
  p.TIPO_BASCULA = cut_short(args[3]);
  p.TIPO_SEPARADOR = cut_short(args[4]);
  p.DISCRETIZADO = cut_short(args[5]);
  p.INTERVALO = cut_short(args[6]);
  p.MASCARA = cut_short(args[14]);

  DecimalText capacidade = parse_decimal(cut_short(args[7]));
  if (!capacidade.ok()) throw Failure(kMensagemReal, 1);
  p.CAPACIDADE_BASCULA = capacidade.value;

  p.LINHA_CABECALHO = whole_argument(cut_short(args[8]));
  p.LINHA_PRIMEIRO_DADO = whole_argument(cut_short(args[9]));
  p.COLUNA_DATA = whole_argument(cut_short(args[10]));
  p.COLUNA_HORA = whole_argument(cut_short(args[11]));
  p.COLUNA_ACUMULO = whole_argument(cut_short(args[12]));
  p.COLUNA_BASCULA = whole_argument(cut_short(args[13]));
  return p;
}

PARAMETROS DIALOGO(Console& console) {
  PARAMETROS p;
  Dialogo d(console, p);
  d.texto({"Digite o caminho do arquivo de entrada."}, p.ENDERECO_ENTRADA);
  d.texto({"Digite o caminho do arquivo de saida."}, p.ENDERECO_SAIDA);
  d.inteiro({"Digite em que linha se encontra o cabecalho do arquivo, se houver.", kSeNaoExistir},
            p.LINHA_CABECALHO);
  d.inteiro({"Digite em que linha se encontra o primeiro dado de chuva do arquivo."}, p.LINHA_PRIMEIRO_DADO);
  d.texto({"Digite a mascara da data que esta sendo entrada."}, p.MASCARA);
  d.inteiro({"Digite em que coluna se encontram as datas no arquivo."}, p.COLUNA_DATA);
  d.inteiro({"Digite em que coluna se encontram as horas no arquivo."}, p.COLUNA_HORA);
  d.inteiro({"Digite em que coluna se encontram os acumulos no arquivo.", kSeNaoExistir}, p.COLUNA_ACUMULO);
  d.inteiro({"Digite em que coluna se encontram as basculacoes no arquivo.", kSeNaoExistir}, p.COLUNA_BASCULA);
  if (p.COLUNA_ACUMULO != 0) d.texto({"Digite o tipo do acumulo no arquivo de entrada.", kOpcoesTipo}, p.TIPO_ACUMULO);
  if (p.COLUNA_BASCULA != 0) {
    d.texto({"Digite o tipo do basculacao no arquivo de entrada.", kOpcoesTipo}, p.TIPO_BASCULA);
  }
  d.texto({"Digite o caracter usado como separador de campos no arquivo.",
           "Esperamos como separadores \"space\", \"tab\", \";\" ou \",\"."},
          p.TIPO_SEPARADOR);
  d.texto({"Digite \"s\" se o arquivo e discretizado ou \"n\" para nao discretizado."}, p.DISCRETIZADO);
  d.texto({"Digite o intervalo de discretizacao usado ou a ser aplicado no arquivo.",
           "Esse intervalo deve seguir o seguinte formato \"hh:mm:ss\". O default e \"00:01:00\"."},
          p.INTERVALO);
  d.real({"Digite a capacidade da bascula em mm de chuva."}, p.CAPACIDADE_BASCULA);
  return p;
}

void MOSTRA_UTILIZACAO(Console& console) {
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

const ProgramInfo kAjustaLeituras{"Ajusta_Leituras", MOSTRA_UTILIZACAO};

int run_ajusta_leituras(const std::vector<std::string>& args, Console& console, Env& env) {
  return run_program(kAjustaLeituras, args, console, [&] {
    PARAMETROS p;
    if (args.empty()) {
      p = DIALOGO(console);
    } else if (args.size() == kArgumentCount) {
      p = LE_LINHA_DE_COMANDO(args);
    } else {
      MOSTRA_UTILIZACAO(console);
      return 0;
    }
    // With the depth and the tips in the same column (both absent, in
    // particular) there is nothing to convert.
    if (p.COLUNA_ACUMULO != p.COLUNA_BASCULA) {
      const RESUMO_AJUSTE resumo = AJUSTA_LEITURAS(env, p);
      write_summary(console, kAjustaLeituras,
                    {counted(resumo.LEITURAS, "leitura lida", "leituras lidas"),
                     counted(resumo.REGISTROS, "registro escrito", "registros escritos") + " em " + p.ENDERECO_SAIDA,
                     "acumulo final " + (resumo.ACUMULO.empty() ? "0" : resumo.ACUMULO) + " mm"});
    }
    return 0;
  });
}

}  // namespace rain::formatter
