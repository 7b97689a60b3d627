#include "formatter/ajusta_leituras.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "common/created_file.h"
#include "common/failure.h"
#include "common/file_names.h"
#include "common/line_io.h"
#include "common/outages.h"
#include "common/run_files.h"
#include "common/staged_file.h"
#include "common/text.h"
#include "formatter/conta_basculacoes.h"
#include "formatter/conta_em_fluxo.h"
#include "formatter/converte.h"
#include "formatter/discretiza.h"
#include "formatter/discretiza_em_fluxo.h"
#include "formatter/falhas.h"
#include "formatter/fluxo.h"

namespace rain::formatter {
namespace {

const char* const kErroAbrirEntrada = "Erro: nao foi possivel abrir o arquivo de entrada.";
const char* const kErroGerarSaida = "Erro: nao foi possivel gerar o arquivo de saida.";
const char* const kErroLerEntrada = "Erro: nao foi possivel ler o arquivo de entrada.";
const char* const kErroGravarSaida = "Erro: nao foi possivel gravar o arquivo de saida.";
const char* const kErroMesmoArquivo = "Erro: o arquivo de saida nao pode ser o proprio arquivo de entrada.";
const char* const kErroCapacidadeZero = "A capacidade da bascula deve ser diferente de zero.";
const char* const kErroCapacidadeNegativa = "A capacidade da bascula deve ser maior que zero.";

const char* const kErroGerarFalhas = "Erro: nao foi possivel gerar a lista de falhas ";
const char* const kErroGravarFalhas = "Erro: nao foi possivel gravar a lista de falhas ";

// The work files the later stages write when they go through files: the
// series' work file, and for the resampling its slots and its two caches with
// their temporary names.
std::vector<std::string> arquivos_de_trabalho(const ParametrosDoAjuste& p, const Plano& plano) {
  std::vector<std::string> nomes;
  if (plano.deriva_basculas) nomes.push_back(nome_de_trabalho(p.ENDERECO_SAIDA));
  if (plano.discretiza) {
    nomes.push_back(tilde_name(p.ENDERECO_SAIDA));
    for (const char* cache : {kGridFile, kDayListFile}) {
      nomes.emplace_back(cache);
      nomes.push_back(tmp_name(cache));
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
  const std::string temporaria = tmp_name(p.ENDERECO_SAIDA);
  files.writes_derived(temporaria, "o arquivo temporario " + temporaria);
  if (!p.arquivo_de_falhas.empty()) {
    files.writes(p.arquivo_de_falhas, "a lista de falhas");
    const std::string falhas_temporaria = tmp_name(p.arquivo_de_falhas);
    files.writes_derived(falhas_temporaria, "o arquivo temporario " + falhas_temporaria);
  }
  for (const std::string& nome : arquivos_de_trabalho(p, plano)) {
    files.writes_derived(nome, "o arquivo de trabalho " + nome);
  }
  return files;
}

// Moves the series to its work file. A work file left by an earlier run is
// never replaced: the run stops with both files as they are.
void move_para_trabalho(Env& env, const std::string& serie, const std::string& trabalho) {
  if (env.rename_no_replace(serie, trabalho)) return;
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

// A temporary name holds only what a run killed half-way left there: it is
// cleared, so that this run's failure takes its own file away with it.
void libera_temporaria(Env& env, const std::string& temporaria) { remove_left_over(env, temporaria); }

// The outage list of one attempt at the run, written under its temporary
// name as the outages are found.
class ListaDeFalhas {
 public:
  ListaDeFalhas(Env& env, const ParametrosDoAjuste& p) : nome_(p.arquivo_de_falhas) {
    if (nome_.empty()) return;
    libera_temporaria(env, tmp_name(nome_));
    arquivo_ = StagedFile::create(env, nome_, tmp_name(nome_));
    if (!arquivo_) throw Failure(kErroGerarFalhas + nome_ + ".", 1);
    arquivo_->lines().write_line(outage_list_header());
  }
  LineWriter* linhas() { return arquivo_ ? &arquivo_->lines() : nullptr; }
  void fecha() {
    if (arquivo_ && !arquivo_->close()) throw Failure(kErroGravarFalhas + nome_ + ".", 1);
  }
  void confirma() {
    if (arquivo_ && !arquivo_->commit()) throw Failure(kErroGravarFalhas + nome_ + ".", 1);
  }

 private:
  std::string nome_;
  std::unique_ptr<StagedFile> arquivo_;
};

// Converts the raw export into `saida`: with `etapas_em_memoria`, through
// the resampling (on `passo`, when given) and the tip counting the plan asks
// for; otherwise the first version of the series. The lines written.
std::int64_t escreve_serie(LineWriter& saida, LineReader& entrada, const ParametrosDoAjuste& p, const Plano& plano,
                           const std::optional<Passo>& passo, bool etapas_em_memoria, LineWriter* falhas,
                           ResumoDoAjuste& resumo) {
  ArquivoDaSerie arquivo(saida);
  DestinoDaSerie* destino = &arquivo;
  std::optional<ContagemEmFluxo> contagem;
  // Tips copied from the export leave the header with its tip column.
  if (etapas_em_memoria && plano.deriva_basculas) {
    destino = &contagem.emplace(*destino, p.CAPACIDADE_BASCULA, plano.basculas_por_intervalo);
  }
  std::optional<DiscretizacaoEmFluxo> discretizacao;
  if (etapas_em_memoria && passo) destino = &discretizacao.emplace(*destino, *passo);
  LacunasDasLeituras lacunas(p.falha_apos_s, passo ? passo->segundos() : 0, p.CAPACIDADE_BASCULA, falhas);
  converte_registros(entrada, *destino, plano, p, lacunas, resumo);
  if (entrada.failed()) throw Failure(kErroLerEntrada, 1);
  destino->termina();
  if (contagem) resumo.basculas = contagem->soma();
  resumo.avisos = lacunas.avisos(p.arquivo_de_falhas);
  return arquivo.linhas();
}

// The first version of the series goes to the temporary file, and each later
// stage (the tip counting last) moves it to the work file, reads it there and
// writes the temporary file anew, which takes the output's name at the end.
void ajusta_em_etapas(Env& env, LineReader& entrada, const ParametrosDoAjuste& p, const Plano& plano,
                      const std::optional<Passo>& passo, ResumoDoAjuste& resumo) {
  const std::string temporaria = tmp_name(p.ENDERECO_SAIDA);
  libera_temporaria(env, temporaria);
  CreatedFile serie(env, temporaria);
  ListaDeFalhas falhas(env, p);
  {
    std::unique_ptr<LineWriter> saida = create_lines(env, temporaria);
    if (!saida) throw Failure(kErroGerarSaida, 1);
    escreve_serie(*saida, entrada, p, plano, passo, false, falhas.linhas(), resumo);
    if (!saida->close()) throw Failure(kErroGravarSaida, 1);
  }

  const std::string trabalho = nome_de_trabalho(p.ENDERECO_SAIDA);
  if (plano.discretiza) {
    move_para_trabalho(env, temporaria, trabalho);
    DISCRETIZA_NO_TEMPO(env, trabalho, temporaria, *passo, tilde_name(p.ENDERECO_SAIDA));
    env.remove(trabalho);
  }
  move_para_trabalho(env, temporaria, trabalho);
  resumo.basculas = CONTA_BASCULACOES(env, trabalho, temporaria, p.CAPACIDADE_BASCULA, plano.basculas_por_intervalo);
  env.remove(trabalho);
  // The resampling's cached grid and day list live only as long as one run;
  // a run that did not resample leaves files of those names alone.
  if (plano.discretiza) {
    env.remove(kGridFile);
    env.remove(kDayListFile);
  }
  resumo.registros = resumo.basculas.registros;
  falhas.fecha();
  if (!env.rename_replace(temporaria, p.ENDERECO_SAIDA)) throw Failure(kErroGravarSaida, 1);
  serie.keep();
  falhas.confirma();
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
// memory, and only the finished series is written, under its temporary name
// until it is whole.
void ajusta_em_memoria(Env& env, LineReader& entrada, const ParametrosDoAjuste& p, const Plano& plano,
                       const std::optional<Passo>& passo, ResumoDoAjuste& resumo) {
  libera_temporaria(env, tmp_name(p.ENDERECO_SAIDA));
  std::unique_ptr<StagedFile> saida = StagedFile::create(env, p.ENDERECO_SAIDA, tmp_name(p.ENDERECO_SAIDA));
  if (!saida) throw Failure(kErroGerarSaida, 1);
  ListaDeFalhas falhas(env, p);
  const std::int64_t linhas = escreve_serie(saida->lines(), entrada, p, plano, passo, true, falhas.linhas(), resumo);
  if (!saida->close()) throw Failure(kErroGravarSaida, 1);
  falhas.fecha();
  if (!saida->commit()) throw Failure(kErroGravarSaida, 1);
  falhas.confirma();
  resumo.registros = std::max<std::int64_t>(linhas - 1, 0);
}

ResumoDoAjuste resumo_do_plano(const Plano& plano) {
  ResumoDoAjuste resumo;
  resumo.discretizada = plano.discretiza;
  resumo.basculas_derivadas = plano.deriva_basculas;
  return resumo;
}

}  // namespace

std::string nome_de_trabalho(const std::string& saida) { return cut_short(pvx_name(saida)); }

ResumoDoAjuste AJUSTA_LEITURAS(Env& env, const ParametrosDoAjuste& p) {
  const Plano plano = faz_plano(p);

  arquivos_da_execucao(p, plano).check(env);
  std::unique_ptr<LineReader> entrada = abre_entrada(env, p);
  // The capacity divides depths into tips when they are derived, and
  // multiplies tips into depths when there is no rain column.
  const bool usa_capacidade = plano.deriva_basculas || p.COLUNA_ACUMULO == 0;
  if (usa_capacidade && !(p.CAPACIDADE_BASCULA > 0)) {
    throw Failure(p.CAPACIDADE_BASCULA == 0 ? kErroCapacidadeZero : kErroCapacidadeNegativa, 1);
  }
  // A step the resampling would refuse is refused before anything is made.
  std::optional<Passo> passo;
  if (plano.discretiza) passo = Passo::le(p.INTERVALO);

  // The conversion alone writes the output: there is no work file to keep.
  if (!plano.deriva_basculas) {
    ResumoDoAjuste resumo = resumo_do_plano(plano);
    ajusta_em_memoria(env, *entrada, p, plano, passo, resumo);
    return resumo;
  }
  if (pode_seguir_em_memoria(env, p, plano)) {
    ResumoDoAjuste resumo = resumo_do_plano(plano);
    try {
      ajusta_em_memoria(env, *entrada, p, plano, passo, resumo);
      return resumo;
    } catch (const ParadaDaEtapa&) {
    } catch (const Failure&) {
    }
    // Whatever stopped the stages in memory, the stages through their work
    // files meet it again and leave every file as they always have.
    entrada = abre_entrada(env, p);
  }
  ResumoDoAjuste resumo = resumo_do_plano(plano);
  ajusta_em_etapas(env, *entrada, p, plano, passo, resumo);
  return resumo;
}

}  // namespace rain::formatter
