#include "resume/tabelas_da_serie.h"

#include "common/failure.h"
#include "common/line_io.h"
#include "common/run_files.h"
#include "common/series_input.h"
#include "common/staged_file.h"
#include "resume/registros.h"
#include "resume/tabelas.h"

namespace rain::resume {
namespace {

std::unique_ptr<StagedFile> cria_tabela(Env& env, const std::string& nome) {
  auto tabela = StagedFile::create(env, nome);
  if (!tabela) throw Failure("Erro: nao foi possivel criar o arquivo de saida " + nome + ".", 1);
  return tabela;
}

[[noreturn]] void falha_ao_gravar(const std::string& nome) {
  throw Failure("Erro: nao foi possivel gravar o arquivo de saida " + nome + ".", 1);
}

}  // namespace

void confere_arquivos(Env& env, const ArquivosDoResumo& a) {
  // Writing a table over the series, or both tables to one file, would lose
  // the series or one table.
  RunFiles arquivos;
  arquivos.reads(a.serie, "o arquivo de entrada");
  arquivos.writes(a.eventos, "a tabela de eventos");
  arquivos.writes(a.maximas, "a tabela de maximas");
  arquivos.writes_derived(StagedFile::temporary_name(a.eventos), "o arquivo temporario da tabela de eventos");
  arquivos.writes_derived(StagedFile::temporary_name(a.maximas), "o arquivo temporario da tabela de maximas");
  name_series_copy(arquivos, env, a.serie, series_copy_in_current_folder());
  arquivos.check(env);
}

TotaisDoResumo escreve_tabelas(Env& env, const ArquivosDoResumo& a, const ParametrosDoResumo& p) {
  // The windows count records for time: a series that is not on the step
  // given would give figures of other durations.
  SeriesRules regras;
  regras.step_s = p.passo_s;
  regras.one_record_per_step = true;
  SeriesInput entrada(env, a.serie, regras, series_copy_in_current_folder());
  auto serie = entrada.reopen();
  if (!serie) throw Failure("Erro: nao foi possivel abrir o arquivo de entrada.", 1);
  auto eventos = cria_tabela(env, a.eventos);
  auto maximas = cria_tabela(env, a.maximas);
  LineWriter& linhas_eventos = eventos->lines();
  LineWriter& linhas_maximas = maximas->lines();
  linhas_eventos.write_line(cabecalho_dos_eventos());
  linhas_maximas.write_line(cabecalho_das_maximas());
  Resumo resumo(
      p, [&](const LinhaDeEvento& e) { linhas_eventos.write_line(linha_do_evento(e)); },
      [&](const LinhaDeMaxima& m) { linhas_maximas.write_line(linha_da_maxima(m)); });

  le_registros(*serie, [&](const Registro& registro) { resumo.acrescenta(registro); });
  resumo.termina();
  if (!eventos->close()) falha_ao_gravar(a.eventos);
  if (!maximas->close()) falha_ao_gravar(a.maximas);
  if (!eventos->commit()) falha_ao_gravar(a.eventos);
  if (!maximas->commit()) falha_ao_gravar(a.maximas);
  serie.reset();
  entrada.finished();
  return resumo.totais();
}

}  // namespace rain::resume
