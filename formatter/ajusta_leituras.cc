#include "formatter/ajusta_leituras.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "common/created_file.h"
#include "common/failure.h"
#include "common/line_io.h"
#include "common/run_files.h"
#include "common/text.h"
#include "formatter/conta_basculacoes.h"
#include "formatter/conta_em_fluxo.h"
#include "formatter/converte.h"
#include "formatter/discretiza.h"
#include "formatter/discretiza_em_fluxo.h"
#include "formatter/fluxo.h"
#include "formatter/work_files.h"

namespace rain::formatter {
namespace {

const char* const kErroAbrirEntrada = "Erro: nao foi possivel abrir o arquivo de entrada.";
const char* const kErroGerarSaida = "Erro: nao foi possivel gerar o arquivo de saida.";
const char* const kErroLerEntrada = "Erro: nao foi possivel ler o arquivo de entrada.";
const char* const kErroGravarSaida = "Erro: nao foi possivel gravar o arquivo de saida.";
const char* const kErroMesmoArquivo = "Erro: o arquivo de saida nao pode ser o proprio arquivo de entrada.";
const char* const kErroCapacidadeZero = "A capacidade da bascula deve ser diferente de zero.";
const char* const kErroCapacidadeNegativa = "A capacidade da bascula deve ser maior que zero.";

bool tem_etapas_seguintes(const Plano& plano) { return plano.discretiza || !plano.basculas_por_intervalo; }

// The work files the later stages write when they go through files: the
// series' work file, and for the resampling its slots and its two caches with
// their temporary names.
std::vector<std::string> arquivos_de_trabalho(const ParametrosDoAjuste& p, const Plano& plano) {
  std::vector<std::string> nomes;
  if (tem_etapas_seguintes(plano)) nomes.push_back(nome_de_trabalho(p.ENDERECO_SAIDA));
  if (plano.discretiza) {
    nomes.push_back(p.ENDERECO_SAIDA + "~");
    for (const char* cache : {kGridFile, kDayListFile}) {
      nomes.emplace_back(cache);
      nomes.push_back(temporary_name(cache));
    }
  }
  return nomes;
}

// Every name the run may write, by the stages the plan runs, against the raw
// file and each other: a clash would have the run destroy its own input or
// one of its files.
RunFiles arquivos_da_execucao(const ParametrosDoAjuste& p, const Plano& plano) {
  RunFiles files;
  if (!p.entrada_dada.empty()) files.given(p.entrada_dada, "o arquivo de entrada");
  if (!p.saida_dada.empty()) files.given(p.saida_dada, "o arquivo de saida");
  files.reads(p.ENDERECO_ENTRADA, "o arquivo de entrada");
  files.writes(p.ENDERECO_SAIDA, "o arquivo de saida");
  files.clash_line(p.ENDERECO_SAIDA, p.ENDERECO_ENTRADA, kErroMesmoArquivo);
  files.special_file_line(p.ENDERECO_SAIDA, kErroGravarSaida);
  for (const std::string& nome : arquivos_de_trabalho(p, plano)) {
    files.writes_derived(nome, "o arquivo de trabalho " + nome);
  }
  return files;
}

// Records of the finished series: its lines but the header.
std::int64_t conta_registros(Env& env, const std::string& serie) {
  std::unique_ptr<LineReader> arquivo = open_lines(env, serie);
  if (!arquivo) return 0;
  std::int64_t linhas = 0;
  std::string linha;
  while (arquivo->read_line(linha)) ++linhas;
  return linhas > 0 ? linhas - 1 : 0;
}

// Moves the series to its work file. A work file left by an earlier run is
// never replaced: the run stops with both files as they are.
void move_para_trabalho(Env& env, const std::string& saida, const std::string& trabalho) {
  if (env.rename_no_replace(saida, trabalho)) return;
  if (env.exists(trabalho)) {
    throw Failure("Erro: o arquivo de trabalho " + trabalho +
                      " ja existe (sobra de uma execucao anterior); apague-o e execute novamente.",
                  1);
  }
  throw Failure("Erro: nao foi possivel renomear o arquivo de saida para " + trabalho + ".", 1);
}

std::unique_ptr<LineReader> abre_entrada(Env& env, const ParametrosDoAjuste& p) {
  std::unique_ptr<LineReader> entrada = open_lines(env, p.ENDERECO_ENTRADA);
  if (!entrada) throw Failure(kErroAbrirEntrada, 1);
  return entrada;
}

// Converts the raw export into the output, through the stages in memory asked
// for: resampling on `passo` when given, tip counting when `conta`. Without
// them this is the first version of the series. The lines written.
std::int64_t escreve_saida(Env& env, LineReader& entrada, const ParametrosDoAjuste& p, const Plano& plano,
                           const Passo* passo, bool conta, ResumoDoAjuste& resumo) {
  std::unique_ptr<LineWriter> saida = create_lines(env, p.ENDERECO_SAIDA);
  if (!saida) throw Failure(kErroGerarSaida, 1);
  ArquivoDaSerie arquivo(*saida);
  DestinoDaSerie* destino = &arquivo;
  std::optional<ContagemEmFluxo> contagem;
  if (conta) destino = &contagem.emplace(*destino, p.CAPACIDADE_BASCULA);
  std::optional<DiscretizacaoEmFluxo> discretizacao;
  if (passo) destino = &discretizacao.emplace(*destino, *passo);
  converte_registros(entrada, *destino, plano, p, resumo);
  if (entrada.failed()) throw Failure(kErroLerEntrada, 1);
  destino->termina();
  if (!saida->close()) throw Failure(kErroGravarSaida, 1);
  return arquivo.linhas();
}

// The first version of the series goes to the output file, and each later
// stage moves it to the work file, reads it there and writes the output anew.
void ajusta_em_etapas(Env& env, LineReader& entrada, const ParametrosDoAjuste& p, const Plano& plano,
                      const std::optional<Passo>& passo, ResumoDoAjuste& resumo) {
  escreve_saida(env, entrada, p, plano, nullptr, false, resumo);

  const std::string trabalho = nome_de_trabalho(p.ENDERECO_SAIDA);
  if (plano.discretiza) {
    move_para_trabalho(env, p.ENDERECO_SAIDA, trabalho);
    DISCRETIZA_NO_TEMPO(env, trabalho, p.ENDERECO_SAIDA, *passo);
    env.remove(trabalho);
  }
  if (!plano.basculas_por_intervalo) {
    move_para_trabalho(env, p.ENDERECO_SAIDA, trabalho);
    CONTA_BASCULACOES(env, trabalho, p.ENDERECO_SAIDA, p.CAPACIDADE_BASCULA);
    env.remove(trabalho);
  }
  // The resampling's cached grid and day list live only as long as one run;
  // a run that did not resample leaves files of those names alone.
  if (plano.discretiza) {
    env.remove(kGridFile);
    env.remove(kDayListFile);
  }
  resumo.registros = conta_registros(env, p.ENDERECO_SAIDA);
}

// The later stages can run in memory, straight into the output, when nothing
// the work files would meet is there: the input is a plain file that can be
// read again, the output a plain file or none, and no work file or cache of
// an earlier run lies where the stages would look for it.
bool pode_seguir_em_memoria(Env& env, const ParametrosDoAjuste& p, const Plano& plano) {
  if (env.entry_kind(p.ENDERECO_ENTRADA) != EntryKind::kRegularFile) return false;
  if (env.entry_kind(p.ENDERECO_SAIDA) == EntryKind::kOther) return false;
  for (const std::string& nome : arquivos_de_trabalho(p, plano)) {
    if (env.entry_kind(nome) != EntryKind::kNone) return false;
  }
  return true;
}

// One pass: conversion, resampling and tip counting hand each line on in
// memory, and only the finished series is written.
void ajusta_em_memoria(Env& env, LineReader& entrada, const ParametrosDoAjuste& p, const Plano& plano,
                       const std::optional<Passo>& passo, ResumoDoAjuste& resumo) {
  const std::int64_t linhas =
      escreve_saida(env, entrada, p, plano, passo ? &*passo : nullptr, !plano.basculas_por_intervalo, resumo);
  resumo.registros = std::max<std::int64_t>(linhas - 1, 0);
}

}  // namespace

std::string nome_de_trabalho(const std::string& saida) { return cut_short(saida + ".pvx"); }

ResumoDoAjuste AJUSTA_LEITURAS(Env& env, const ParametrosDoAjuste& p) {
  const Plano plano = faz_plano(p);

  arquivos_da_execucao(p, plano).check(env);
  std::unique_ptr<LineReader> entrada = abre_entrada(env, p);
  // The capacity divides depths into tips when they are derived, and
  // multiplies tips into depths when there is no rain column.
  const bool usa_capacidade = !plano.basculas_por_intervalo || p.COLUNA_ACUMULO == 0;
  if (usa_capacidade && !(p.CAPACIDADE_BASCULA > 0)) {
    throw Failure(p.CAPACIDADE_BASCULA == 0 ? kErroCapacidadeZero : kErroCapacidadeNegativa, 1);
  }
  // A step the resampling would refuse is refused before anything is made.
  std::optional<Passo> passo;
  if (plano.discretiza) passo = Passo::le(p.INTERVALO);

  // The conversion alone writes the output: there is no work file to keep.
  if (!tem_etapas_seguintes(plano)) {
    ResumoDoAjuste resumo;
    ajusta_em_memoria(env, *entrada, p, plano, passo, resumo);
    return resumo;
  }
  if (pode_seguir_em_memoria(env, p, plano)) {
    ResumoDoAjuste resumo;
    try {
      ajusta_em_memoria(env, *entrada, p, plano, passo, resumo);
      return resumo;
    } catch (const Desvio&) {
    } catch (const Failure&) {
    }
    // Whatever stopped the stages in memory, the stages through their work
    // files meet it again and leave every file as they always have.
    entrada = abre_entrada(env, p);
  }
  ResumoDoAjuste resumo;
  ajusta_em_etapas(env, *entrada, p, plano, passo, resumo);
  return resumo;
}

}  // namespace rain::formatter
