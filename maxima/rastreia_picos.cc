#include "maxima/rastreia_picos.h"

#include <optional>

#include "common/failure.h"
#include "common/number_input.h"
#include "common/program.h"
#include "common/text.h"
#include "maxima/modos.h"
#include "maxima/pesquisa.h"

namespace rain::maxima {
namespace {

const char* const kErroParametros = "Erro nos parametros de entrada.";

void escreve_utilizacao(Console& console) {
  console.write_line("Utilizacao do programa com parametros por linha de comando:");
  console.write_line("Rastreia_Picos <arquivo de entrada> <arquivo de saida> <modo>");
  console.write_line("<hora de inicio/referencia> <hora de termino> <data de inicio>");
  console.write_line("<data de termino> <precisao>");
  console.write_line("");
  console.write_line("Os caminhos dos arquivos podem ser absolutos ou relativos a pasta atual.");
}

const ProgramInfo kRastreiaPicos{"Rastreia_Picos", escreve_utilizacao};

void escreve_resumo(Console& console, const ParametrosPesquisa& p, const ResumoPesquisa& resumo) {
  write_summary(console, kRastreiaPicos,
                {counted(resumo.registros, "registro lido", "registros lidos"),
                 counted(resumo.periodos, "periodo", "periodos") + " no relatorio " + p.ARQUIVO_SAIDA});
}

// The precision multiplies every count of the report: a number above 0.
const NumberRefusal kPrecisaoRecusada{kErroParametros, "precisao", kErroParametros};

int pela_linha_de_comando(const std::vector<std::string>& args, Console& console, Env& env) {
  ParametrosPesquisa p;
  p.PRECISAO = positive_or_refuse(args[7], kPrecisaoRecusada);
  // Paths are kept whole: the search refuses one longer than 255 characters
  // instead of cutting it to a name that may lie in another folder.
  p.ARQUIVO_ENTRADA = args[0];
  p.ARQUIVO_SAIDA = args[1];
  p.MODO_PESQUISA = cut_short(args[2]);
  p.HORA_INICIO = cut_short(args[3]);
  p.HORA_TERMINO = cut_short(args[4]);
  p.DATA_INICIO = cut_short(args[5]);
  p.DATA_TERMINO = cut_short(args[6]);
  if (args.size() == 9) p.NOME_RELATORIO = cut_short(args[8]);
  escreve_resumo(console, p, PESQUISA_PERIODOS(env, p));
  return 0;
}

int pelo_dialogo(Console& console, Env& env) {
  ParametrosPesquisa p;
  p.HORA_INICIO = p.HORA_TERMINO = p.DATA_INICIO = p.DATA_TERMINO = "0";
  console.clear();
  p.ARQUIVO_ENTRADA = console.ask_path_then_blank_line({"Digite o caminho e o nome do arquivo de entrada."});
  p.ARQUIVO_SAIDA = console.ask_path_then_blank_line({"Digite o caminho e o nome do arquivo de saida."});
  p.MODO_PESQUISA = console.ask_text_then_blank_line({"Digite o modo de pesquisa. As opcoes atuais sao: total, intervalo, diario,",
                                       "mensal, bimestral, trimestral, semestral e sazonal."});
  // An unknown mode is refused when it is typed, before further questions.
  const Modo modo = modo_ou_recusa(p.MODO_PESQUISA);
  if (modo == Modo::INTERVALO) {
    p.DATA_INICIO = console.ask_text_then_blank_line({"Digite a data de inicio da busca, no formato dd/mm/yy."});
    p.HORA_INICIO = console.ask_text_then_blank_line({"Digite a hora de inicio da busca, no formato hh/mi/ss."});
    p.DATA_TERMINO = console.ask_text_then_blank_line({"Digite a data de termino da busca, no formato dd/mm/yy."});
    p.HORA_TERMINO = console.ask_text_then_blank_line({"Digite a hora de termino da busca, no formato hh/mi/ss."});
  } else if (modo != Modo::TOTAL) {
    p.HORA_INICIO = console.ask_text_then_blank_line({"Digite a hora de referencia a ser utilizada, no formato hh/mi/ss."});
  }
  console.ask({"Digite a precisao encontrada nos registros do arquivo de entrada."});
  std::optional<std::string> precisao = console.read_number_token();
  console.write_line("");
  // Not a number (or nothing at all): refused as on the command line, before
  // any file is touched.
  p.PRECISAO = positive_answer(precisao, kPrecisaoRecusada);
  escreve_resumo(console, p, PESQUISA_PERIODOS(env, p));
  console.end_dialogue();
  return 0;
}

}  // namespace

int run_rastreia_picos(const std::vector<std::string>& args, Console& console, Env& env) {
  return run_dialogue_or_command_line(
      kRastreiaPicos, args, console, {8, 9}, {}, [&](const Options&) { return pelo_dialogo(console, env); },
      [&](const Options&, const auto& params) { return pela_linha_de_comando(params, console, env); });
}

}  // namespace rain::maxima
