#include "maxima/pesquisa.h"

#include <memory>
#include <optional>
#include <string>

#include "common/calendar.h"
#include "common/created_file.h"
#include "common/failure.h"
#include "common/run_files.h"
#include "common/fixed.h"
#include "common/line_io.h"
#include "maxima/periodos.h"

namespace rain::maxima {
namespace {

const std::string kRegraLarga(80, '*');
const std::string kRegraEstreita(20, '*');

const char* const kModoInvalido = "Erro: modo invalido.";
const char* const kEntradaNaoAbre = "Erro: nao foi possivel abrir o arquivo de entrada.";
const char* const kTrabalhoNaoCriado = "Erro: nao foi possivel criar um arquivo interno do Pluvianex.";
const char* const kSaidaNaoCriada = "Erro: nao foi possivel criar o arquivo de saida.";
const char* const kSaidaIgualEntrada = "Erro: o arquivo de saida e o proprio arquivo de entrada.";
const char* const kSaidaIgualTrabalho = "Erro: o arquivo de saida nao pode ser o arquivo interno buffer_pesquisa.pvx.";
const char* const kEntradaIgualTrabalho =
    "Erro: o arquivo de entrada nao pode ser o arquivo interno buffer_pesquisa.pvx.";
const char* const kEntradaNaoLida = "Erro: nao foi possivel ler o arquivo de entrada.";
const char* const kTrabalhoNaoGravado = "Erro: nao foi possivel gravar um arquivo interno do Pluvianex.";
const char* const kTrabalhoNaoLido = "Erro: nao foi possivel ler um arquivo interno do Pluvianex.";
const char* const kSaidaNaoGravada = "Erro: nao foi possivel gravar o arquivo de saida.";

const char* const kErroParametros = "Erro nos parametros de entrada.";

[[noreturn]] void falha(const char* linha) { throw Failure(linha, 1); }

// A typed hour as the clock time it means, in the series' form "hh:mm:ss".
std::string hora_digitada(const std::string& texto, const char* nome) {
  std::optional<ClockTime> hora = typed_clock_time(texto);
  if (!hora) {
    throw Failure(kErroParametros, 1).noted(std::string(nome) + ": \"" + texto + "\" nao e uma hora (hh:mm:ss).");
  }
  return hora->text();
}

// A typed date as the calendar date it means, in the series' form "dd/mm/yy".
std::string data_digitada(const std::string& texto, const char* nome) {
  std::optional<CalendarDate> data = typed_calendar_date(texto);
  if (!data) {
    throw Failure(kErroParametros, 1).noted(std::string(nome) + ": \"" + texto + "\" nao e uma data (dd/mm/yy).");
  }
  return data->text();
}

// The hours and dates the mode uses; the others are not looked at.
RegrasPeriodo regras_do_modo(const ParametrosPesquisa& p, Modo modo) {
  RegrasPeriodo regras;
  regras.modo = modo;
  if (modo == Modo::INTERVALO) {
    regras.hora_inicio = hora_digitada(p.HORA_INICIO, "hora de inicio");
    regras.hora_termino = hora_digitada(p.HORA_TERMINO, "hora de termino");
    regras.data_inicio = data_digitada(p.DATA_INICIO, "data de inicio");
    regras.data_termino = data_digitada(p.DATA_TERMINO, "data de termino");
  } else if (modo_periodico(modo)) {
    regras.hora_inicio = hora_digitada(p.HORA_INICIO, "hora de referencia");
  }
  return regras;
}

struct Cabecalho {
  std::string TEXTO_CABECALHO;
  int NUM_COLUNAS = 0;
};

Cabecalho le_cabecalho(LineReader& serie) {
  Cabecalho c;
  serie.read_line(c.TEXTO_CABECALHO);
  c.NUM_COLUNAS = CONTA_CAMPOS(serie.read_line());
  if (serie.failed()) falha(kEntradaNaoLida);
  return c;
}

// The series, the report and the work file must be three files: the run
// would otherwise write over its own input or report.
void confere_arquivos(Env& env, const ParametrosPesquisa& p) {
  RunFiles files;
  files.reads(p.ARQUIVO_ENTRADA, "o arquivo de entrada");
  files.writes(p.ARQUIVO_SAIDA, "o arquivo de saida");
  files.writes_derived(kArquivoTrabalho, "o arquivo interno buffer_pesquisa.pvx");
  files.clash_line(p.ARQUIVO_ENTRADA, kArquivoTrabalho, kEntradaIgualTrabalho);
  files.clash_line(p.ARQUIVO_SAIDA, p.ARQUIVO_ENTRADA, kSaidaIgualEntrada);
  files.clash_line(p.ARQUIVO_SAIDA, kArquivoTrabalho, kSaidaIgualTrabalho);
  files.check(env);
}

// The work file and the report, each removed again when the run fails
// half-way and this run made it, so that no partial report passes for a
// complete one while a file the user had (or a device) is never removed.
struct ArquivosCriados {
  std::optional<CreatedFile> trabalho;
  std::optional<CreatedFile> relatorio;
};

// Returns the number of records copied.
std::int64_t copia_para_trabalho(Env& env, const std::string& entrada, ArquivosCriados& criados) {
  auto serie = open_lines(env, entrada);
  if (!serie) falha(kEntradaNaoLida);
  criados.trabalho.emplace(env, kArquivoTrabalho);
  auto trabalho = create_lines(env, kArquivoTrabalho);
  if (!trabalho) falha(kTrabalhoNaoCriado);
  std::string linha;
  std::int64_t linhas = 0;
  while (trabalho->ok() && serie->read_line(linha)) {
    trabalho->write_line(linha);
    ++linhas;
  }
  if (serie->failed()) falha(kEntradaNaoLida);
  if (!trabalho->close()) falha(kTrabalhoNaoGravado);
  return linhas > 0 ? linhas - 1 : 0;
}

std::string milimetros(std::int64_t contagem, double precisao, int largura) {
  return format_fixed(static_cast<long double>(contagem) * static_cast<long double>(precisao), largura, 2);
}

void escreve_abertura(LineWriter& relatorio, const ParametrosPesquisa& p, Modo modo) {
  relatorio.write_line(kRegraLarga);
  relatorio.write_line("");
  const std::string& nome = p.NOME_RELATORIO == "0" ? p.ARQUIVO_ENTRADA : p.NOME_RELATORIO;
  relatorio.write_line("Relatorio do arquivo " + nome + ":");
  relatorio.write_line("Modo utilizado: " + p.MODO_PESQUISA);
  if (modo == Modo::INTERVALO) {
    relatorio.write_line("Inicio: " + p.DATA_INICIO + " " + p.HORA_INICIO);
    relatorio.write_line("Fim: " + p.DATA_TERMINO + " " + p.HORA_TERMINO);
  } else if (modo_periodico(modo)) {
    relatorio.write_line("Horario de referencia: " + p.HORA_INICIO);
  }
  relatorio.write_line("");
  relatorio.write_line(kRegraLarga);
  relatorio.write_line("");
}

std::string data_e_hora(std::string_view linha) {
  std::string texto(word_view(linha, 2, separador_campos()));
  texto += ' ';
  texto += word_view(linha, 1, separador_campos());
  return texto;
}

// Writes one period and re-reads its lines from the work file, which keeps
// the work file in step with the series even when nothing is written. True
// when the period went into the report.
bool relata_periodo(LineWriter& relatorio, LineReader& trabalho, CaminhadaColuna& caminhada, Modo modo,
                    int coluna, double precisao) {
  const bool relata = caminhada.VALOR_MAXIMO > 0;
  if (relata && modo_periodico(modo)) {
    relatorio.write_line(kRegraEstreita);
    relatorio.write_line("De " + data_e_hora(caminhada.PRIMEIRA_LINHA));
    relatorio.write_line("A  " + data_e_hora(caminhada.LINHA_ANTERIOR));
    relatorio.write_line("");
  }
  if (relata) {
    if (coluna == 4) {
      relatorio.write_line("Acumulo total: " + milimetros(caminhada.ACUMULO_PERIODO, precisao, 11) + " mm");
    }
    relatorio.write_line("Valor maximo: " + milimetros(caminhada.VALOR_MAXIMO, precisao, 12) +
                         " mm, registrado nas datas:");
    relatorio.write_line("");
  }
  std::string linha;
  for (; caminhada.LINHAS_PERIODO > 0; --caminhada.LINHAS_PERIODO) {
    // A work file shorter than the series was changed under us.
    if (!trabalho.read_line(linha)) falha(kTrabalhoNaoLido);
    if (!relata) continue;
    std::optional<std::int32_t> valor = valor_da_coluna(linha, coluna);
    if (valor && *valor == caminhada.VALOR_MAXIMO) relatorio.write_line(data_e_hora(linha));
  }
  caminhada.LINHAS_PERIODO = 0;
  if (relata) {
    relatorio.write_line(kRegraLarga);
    relatorio.write_line("");
  }
  return relata;
}

// Returns the number of periods reported.
std::int64_t pesquisa_coluna(Env& env, const ParametrosPesquisa& p, const RegrasPeriodo& regras,
                             const Cabecalho& cabecalho, int coluna) {
  auto serie = open_lines(env, p.ARQUIVO_ENTRADA);
  if (!serie) falha(kEntradaNaoLida);
  auto trabalho = open_lines(env, kArquivoTrabalho);
  if (!trabalho) falha(kTrabalhoNaoLido);
  auto relatorio = append_lines(env, p.ARQUIVO_SAIDA);
  if (!relatorio) falha(kSaidaNaoGravada);

  std::string linha_cabecalho = serie->read_line();
  trabalho->read_line();

  relatorio->write_line(kRegraLarga);
  relatorio->write_line("Informacoes sobre a coluna " + std::to_string(coluna) + " (" +
                        word(cabecalho.TEXTO_CABECALHO, coluna, separador_campos()) + "):");
  relatorio->write_line("");

  CaminhadaColuna caminhada(*serie, *trabalho, regras, coluna, std::move(linha_cabecalho));
  std::int64_t relatados = 0;
  while (caminhada.ha_periodo()) {
    caminhada.faz_periodo();
    if (relata_periodo(*relatorio, *trabalho, caminhada, regras.modo, coluna, p.PRECISAO)) ++relatados;
    if (!relatorio->ok()) falha(kSaidaNaoGravada);
  }
  if (serie->failed()) falha(kEntradaNaoLida);
  if (trabalho->failed()) falha(kTrabalhoNaoLido);
  if (!relatorio->close()) falha(kSaidaNaoGravada);
  return relatados;
}

ResumoPesquisa escreve_relatorio(Env& env, const ParametrosPesquisa& p, const RegrasPeriodo& regras,
                                 ArquivosCriados& criados) {
  const Modo modo = regras.modo;
  confere_arquivos(env, p);
  ResumoPesquisa resumo;
  auto serie = open_lines(env, p.ARQUIVO_ENTRADA);
  if (!serie) falha(kEntradaNaoAbre);
  Cabecalho cabecalho = le_cabecalho(*serie);
  serie.reset();


  resumo.registros = copia_para_trabalho(env, p.ARQUIVO_ENTRADA, criados);

  criados.relatorio.emplace(env, p.ARQUIVO_SAIDA);
  auto relatorio = create_lines(env, p.ARQUIVO_SAIDA);
  if (!relatorio) falha(kSaidaNaoCriada);
  escreve_abertura(*relatorio, p, modo);
  if (!relatorio->close()) falha(kSaidaNaoGravada);
  relatorio.reset();

  for (int coluna = 4; coluna <= cabecalho.NUM_COLUNAS; ++coluna) {
    resumo.periodos += pesquisa_coluna(env, p, regras, cabecalho, coluna);
  }
  return resumo;
}

}  // namespace

int CONTA_CAMPOS(std::string_view linha) {
  static const DelimiterSet brancos(" \t");
  return count_words(linha, brancos);
}

ResumoPesquisa PESQUISA_PERIODOS(Env& env, const ParametrosPesquisa& parametros) {
  std::optional<Modo> modo = modo_de_pesquisa(parametros.MODO_PESQUISA);
  if (!modo) falha(kModoInvalido);
  const RegrasPeriodo regras = regras_do_modo(parametros, *modo);
  ArquivosCriados criados;
  ResumoPesquisa resumo = escreve_relatorio(env, parametros, regras, criados);
  criados.relatorio->keep();
  // The work copy goes at the end of every complete run.
  criados.trabalho->keep();
  env.remove(kArquivoTrabalho);
  return resumo;
}

}  // namespace rain::maxima
