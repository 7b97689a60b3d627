#include "resume/tabelas_da_serie.h"

#include <utility>
#include <vector>

#include "common/failure.h"
#include "common/line_io.h"
#include "common/outages.h"
#include "common/run_files.h"
#include "common/series_input.h"
#include "common/staged_file.h"
#include "resume/idf.h"
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
  arquivos.writes_derived(pvx_name(a.eventos), "o arquivo temporario da tabela de eventos");
  arquivos.writes_derived(pvx_name(a.maximas), "o arquivo temporario da tabela de maximas");
  if (a.erosividade) {
    arquivos.writes(*a.erosividade, "a tabela de erosividade");
    arquivos.writes_derived(pvx_name(*a.erosividade),
                            "o arquivo temporario da tabela de erosividade");
  }
  if (a.idf) {
    arquivos.writes(*a.idf, "a tabela IDF");
    arquivos.writes_derived(pvx_name(*a.idf), "o arquivo temporario da tabela IDF");
  }
  if (a.falhas) arquivos.reads(*a.falhas, "a lista de falhas");
  name_series_copy(arquivos, env, a.serie, series_copy_in_current_folder());
  arquivos.check(env);
}

ResultadoDasTabelas escreve_tabelas(Env& env, const ArquivosDoResumo& a, ParametrosDoResumo p,
                                    Distribuicao distribuicao) {
  const bool com_falhas = a.falhas.has_value();
  if (com_falhas) p.falhas = OutageList::read(env, *a.falhas);
  // The windows count records for time: a series that is not on the step
  // given would give figures of other durations.
  SeriesRules regras;
  regras.step_s = p.passo_s;
  regras.one_record_per_step = true;
  SeriesInput entrada(env, a.serie, regras, series_copy_in_current_folder());
  auto serie = entrada.reopen();
  if (!serie) throw Failure("Erro: nao foi possivel abrir o arquivo de entrada.", 1);
  // Every table in the order it is moved into place, with its name.
  std::vector<std::pair<std::unique_ptr<StagedFile>, std::string>> tabelas;
  tabelas.emplace_back(cria_tabela(env, a.eventos), a.eventos);
  tabelas.emplace_back(cria_tabela(env, a.maximas), a.maximas);
  if (a.erosividade) tabelas.emplace_back(cria_tabela(env, *a.erosividade), *a.erosividade);
  if (a.idf) tabelas.emplace_back(cria_tabela(env, *a.idf), *a.idf);
  LineWriter& linhas_eventos = tabelas[0].first->lines();
  LineWriter& linhas_maximas = tabelas[1].first->lines();
  linhas_eventos.write_line(cabecalho_dos_eventos(com_falhas));
  linhas_maximas.write_line(cabecalho_das_maximas(com_falhas));
  CurvasIdf idf(p.passo_s, distribuicao, p.completude_minima);
  Resumo resumo(
      p, [&](const LinhaDeEvento& e) { linhas_eventos.write_line(linha_do_evento(e, com_falhas)); },
      [&](const LinhaDeMaxima& m) {
        linhas_maximas.write_line(linha_da_maxima(m, com_falhas));
        idf.maxima(m);
      });

  le_registros(*serie, [&](const Registro& registro) { resumo.acrescenta(registro); });
  resumo.termina();
  if (a.erosividade) {
    LineWriter& linhas = tabelas[2].first->lines();
    linhas.write_line(cabecalho_da_erosividade());
    for (const LinhaDeErosividade& l : resumo.erosividade().linhas()) linhas.write_line(linha_da_erosividade(l));
  }
  ResultadoDasTabelas resultado;
  if (a.idf) {
    LineWriter& linhas = tabelas.back().first->lines();
    linhas.write_line(cabecalho_da_idf());
    const std::vector<LinhaIdf> linhas_idf = idf.linhas();
    for (const LinhaIdf& l : linhas_idf) linhas.write_line(linha_da_idf(l));
    resultado.avisos = avisos_da_idf(linhas_idf, p.completude_minima);
  }
  for (auto& [tabela, nome] : tabelas) {
    if (!tabela->close()) falha_ao_gravar(nome);
  }
  for (auto& [tabela, nome] : tabelas) {
    if (!tabela->commit()) falha_ao_gravar(nome);
  }
  serie.reset();
  entrada.finished();
  resultado.totais = resumo.totais();
  return resultado;
}

}  // namespace rain::resume
