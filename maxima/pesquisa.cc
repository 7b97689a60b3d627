#include "maxima/pesquisa.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/calendar.h"
#include "common/failure.h"
#include "common/fixed.h"
#include "common/line_io.h"
#include "common/run_files.h"
#include "common/series_input.h"
#include "common/series_record.h"
#include "common/staged_file.h"
#include "maxima/partes_do_relatorio.h"
#include "maxima/periodos.h"

namespace rain::maxima {
namespace {

const std::string kRegraLarga(80, '*');
const std::string kRegraEstreita(20, '*');

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
  return c;
}

// The series, the report and the work file must be three files: the run
// would otherwise write over its own input or report.
void confere_arquivos(Env& env, const ParametrosPesquisa& p) {
  RunFiles files;
  files.reads(p.ARQUIVO_ENTRADA, "o arquivo de entrada");
  files.writes(p.ARQUIVO_SAIDA, "o arquivo de saida");
  files.writes_derived(kSearchWorkFile, "o arquivo interno buffer_pesquisa.pvx");
  files.writes_derived(pvx_name(p.ARQUIVO_SAIDA), "o arquivo temporario do relatorio");
  files.clash_line(p.ARQUIVO_ENTRADA, kSearchWorkFile, kEntradaIgualTrabalho);
  files.clash_line(p.ARQUIVO_SAIDA, p.ARQUIVO_ENTRADA, kSaidaIgualEntrada);
  files.clash_line(p.ARQUIVO_SAIDA, kSearchWorkFile, kSaidaIgualTrabalho);
  files.special_file_line(p.ARQUIVO_SAIDA, kSaidaNaoGravada);
  files.check(env);
}

// The series is read once, into the work file, which every later pass reads:
// a series given as a pipe is searched like any other.
SeriesCopy copia_de_trabalho() { return {kSearchWorkFile, true, kTrabalhoNaoCriado, kTrabalhoNaoGravado}; }

// The copy of the series at the start of the work file, whatever the walk
// appends after it (PartesDoRelatorio).
class CopiaDaSerie final : public ReadableFile {
 public:
  CopiaDaSerie(std::unique_ptr<ReadableFile> arquivo, std::uint64_t tamanho)
      : arquivo_(std::move(arquivo)), resta_(tamanho) {}
  std::size_t read(char* buffer, std::size_t n) override {
    const std::size_t lidos = arquivo_->read(buffer, static_cast<std::size_t>(std::min<std::uint64_t>(n, resta_)));
    resta_ -= lidos;
    return lidos;
  }
  bool failed() const override { return arquivo_->failed(); }

 private:
  std::unique_ptr<ReadableFile> arquivo_;
  std::uint64_t resta_;
};

std::unique_ptr<LineReader> abre_copia(Env& env, const SeriesInput& serie) {
  auto arquivo = env.open_read(serie.path());
  if (!arquivo) falha(kTrabalhoNaoLido);
  return std::make_unique<LineReader>(std::make_unique<CopiaDaSerie>(std::move(arquivo), serie.copied_bytes()));
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

// The block that opens each column's part, titled with the column's header
// word; the header is split once, whatever its width.
void escreve_blocos_das_colunas(PartesDoRelatorio& partes, const Cabecalho& cabecalho, int ultima) {
  std::size_t at = 0;
  for (int coluna = 1; coluna <= ultima; ++coluna) {
    const std::string_view titulo = next_word(cabecalho.TEXTO_CABECALHO, at, record_blanks());
    if (coluna < kTipsField) continue;
    partes.linha(coluna, kRegraLarga);
    partes.linha(coluna, "Informacoes sobre a coluna " + std::to_string(coluna) + " (" + std::string(titulo) + "):");
    partes.linha(coluna, "");
  }
}

std::string data_e_hora(std::string_view linha) {
  std::string texto(record_date(linha));
  texto += ' ';
  texto += record_time(linha);
  return texto;
}

// Writes one period into the part of every column whose largest value is
// above 0, and re-reads the period's lines from the work file, which keeps the
// work file in step with the series even when nothing is written. Returns the
// number of columns that reported the period.
std::int64_t relata_periodo(PartesDoRelatorio& partes, CaminhadaDasColunas& caminhada, Modo modo, int ultima_coluna,
                            double precisao) {
  std::vector<int> relatam;
  for (int coluna = kTipsField; coluna <= ultima_coluna; ++coluna) {
    const std::int64_t maximo = caminhada.valor_maximo(coluna);
    if (maximo <= 0) continue;
    relatam.push_back(coluna);
    if (modo_periodico(modo)) {
      partes.linha(coluna, kRegraEstreita);
      partes.linha(coluna, "De " + data_e_hora(caminhada.primeira_linha()));
      partes.linha(coluna, "A  " + data_e_hora(caminhada.ultima_linha()));
      partes.linha(coluna, "");
    }
    if (coluna == kTipsField) {
      partes.linha(coluna, "Acumulo total: " + milimetros(caminhada.acumulo_periodo(coluna), precisao, 11) + " mm");
    }
    partes.linha(coluna, "Valor maximo: " + milimetros(maximo, precisao, 12) + " mm, registrado nas datas:");
    partes.linha(coluna, "");
  }
  std::vector<std::optional<std::int32_t>> valores;
  auto lista_no_maximo = [&](const std::string& linha) {
    valores_das_colunas(linha, ultima_coluna, valores);
    for (int coluna : relatam) {
      const std::optional<std::int32_t>& valor = valores[static_cast<std::size_t>(coluna - kTipsField)];
      if (valor && *valor == caminhada.valor_maximo(coluna)) partes.linha(coluna, data_e_hora(linha));
    }
  };
  if (!caminhada.rele_periodo(relatam.empty() ? std::function<void(const std::string&)>() : lista_no_maximo)) {
    falha(kTrabalhoNaoLido);
  }
  for (int coluna : relatam) {
    partes.linha(coluna, kRegraLarga);
    partes.linha(coluna, "");
  }
  return static_cast<std::int64_t>(relatam.size());
}

// Returns the number of periods reported, every column counted.
std::int64_t pesquisa_colunas(Env& env, const SeriesInput& serie, const ParametrosPesquisa& p,
                              const RegrasPeriodo& regras, const Cabecalho& cabecalho, LineWriter& relatorio) {
  const int ultima = cabecalho.NUM_COLUNAS;
  if (ultima < kTipsField) return 0;
  auto lider = abre_copia(env, serie);
  auto trabalho = abre_copia(env, serie);
  std::string linha_cabecalho = lider->read_line();
  trabalho->read_line();

  PartesDoRelatorio partes(env, relatorio, serie.path(), serie.copied_bytes(), ultima);
  escreve_blocos_das_colunas(partes, cabecalho, ultima);

  CaminhadaDasColunas caminhada(std::move(lider), std::move(trabalho), regras, ultima, std::move(linha_cabecalho));
  std::int64_t relatados = 0;
  while (caminhada.ha_periodo()) {
    caminhada.faz_periodo();
    relatados += relata_periodo(partes, caminhada, regras.modo, ultima, p.PRECISAO);
    if (!relatorio.ok()) falha(kSaidaNaoGravada);
    if (!partes.ok()) falha(kTrabalhoNaoGravado);
  }
  if (caminhada.serie_falhou() || caminhada.trabalho_falhou()) falha(kTrabalhoNaoLido);
  if (!partes.junta()) falha(partes.ok() ? kTrabalhoNaoLido : kTrabalhoNaoGravado);
  return relatados;
}

ResumoPesquisa escreve_relatorio(Env& env, const ParametrosPesquisa& p, const RegrasPeriodo& regras) {
  confere_arquivos(env, p);
  SeriesRules regras_da_serie;
  // Count columns may be missing: such a series gives the opening block alone.
  regras_da_serie.tips = false;
  regras_da_serie.read_failure = kEntradaNaoLida;
  SeriesInput serie(env, p.ARQUIVO_ENTRADA, regras_da_serie, copia_de_trabalho());
  ResumoPesquisa resumo;
  resumo.registros = serie.lines() > 0 ? serie.lines() - 1 : 0;
  Cabecalho cabecalho;
  {
    auto copia = abre_copia(env, serie);
    cabecalho = le_cabecalho(*copia);
    if (copia->failed()) falha(kTrabalhoNaoLido);
  }

  // Written whole under a temporary name: a run that fails leaves the report
  // that was there before.
  auto relatorio = StagedFile::create(env, p.ARQUIVO_SAIDA);
  if (!relatorio) falha(kSaidaNaoCriada);
  escreve_abertura(relatorio->lines(), p, regras.modo);
  resumo.periodos = pesquisa_colunas(env, serie, p, regras, cabecalho, relatorio->lines());
  if (!relatorio->commit()) falha(kSaidaNaoGravada);
  // The work copy goes at the end of every complete run.
  serie.finished();
  return resumo;
}

}  // namespace

int CONTA_CAMPOS(std::string_view linha) {
  return count_record_fields(linha);
}

ResumoPesquisa PESQUISA_PERIODOS(Env& env, const ParametrosPesquisa& parametros) {
  const RegrasPeriodo regras = regras_do_modo(parametros, modo_ou_recusa(parametros.MODO_PESQUISA));
  return escreve_relatorio(env, parametros, regras);
}

}  // namespace rain::maxima
