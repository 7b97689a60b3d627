#include "desenha/pagina.h"

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

#include "common/failure.h"
#include "common/fixed.h"
#include "common/run_files.h"
#include "common/series_input.h"
#include "common/staged_file.h"
#include "common/text.h"
#include "desenha/afina.h"
#include "desenha/escala.h"
#include "desenha/graficos.h"
#include "desenha/svg.h"
#include "desenha/tempo.h"
#include "resume/erosividade.h"
#include "resume/idf.h"
#include "resume/registros.h"
#include "resume/resumo.h"
#include "resume/tabelas.h"

namespace rain::desenha {
namespace {

using resume::LinhaDeEvento;
using resume::LinhaDeMaxima;
using resume::Registro;

// One pass over the records of the series, read as Resume_Chuvadas reads them.
void percorre_serie(Env& env, const std::string& entrada, const std::function<void(const Registro&)>& ao_registro) {
  auto serie = open_lines(env, entrada, LineEnds::kAlsoLoneCr);
  if (!serie) throw Failure("Erro: nao foi possivel abrir o arquivo de entrada.", 1);
  resume::le_registros(*serie, ao_registro);
}

// The events of Fatia_Chuvadas: no dry limit.
resume::ParametrosDoResumo parametros_do_resumo(const ParametrosDaPagina& p, const OutageList& falhas) {
  resume::ParametrosDoResumo r = resume::parametros_do_resumo(p.corte, 0, p.opcoes);
  r.falhas = falhas;
  return r;
}

// Deeper first; between equal depths the earlier event.
bool mais_fundo(const LinhaDeEvento& a, const LinhaDeEvento& b) {
  return a.basculacoes != b.basculacoes ? a.basculacoes > b.basculacoes : a.evento < b.evento;
}

// A month of the record: its tips, summed as whole numbers as the total is, so
// that its bar agrees with the figures of the header.
struct MesDoRegistro {
  std::int64_t basculacoes = 0;
  std::int64_t registros = 0;
};

// What the first pass learns: the span, the totals, the months, the annual
// maxima, the erosivity and which storms are the deepest.
struct Reconhecimento {
  OutageList lista_de_falhas;
  bool com_falhas = false;
  std::int64_t registros = 0;
  Instante primeiro = 0, ultimo = 0;
  std::int64_t basculacoes = 0;
  std::int64_t falhas = 0;           // places where the series skips time
  std::int64_t passos_ausentes = 0;  // steps missing in them
  std::int64_t eventos = 0;
  std::map<int, MesDoRegistro> meses;  // by year * 12 + month - 1
  std::vector<LinhaDeMaxima> maximas;
  std::vector<LinhaDeEvento> maiores;  // deepest first, at most kMaioresEventos
  // The mean R of each month, then of the year, over the complete years, or
  // over every year when none is complete (medias_completas false).
  std::vector<resume::LinhaDeErosividade> medias_r;
  bool medias_completas = true;
  std::optional<SomasNoTempo> r_no_tempo;  // EI30 of the erosive storms, at their starts
  std::vector<resume::LinhaIdf> idf;       // the IDF curves over the complete years
  std::vector<std::string> avisos_idf;
};

void guarda_se_maior(std::vector<LinhaDeEvento>& maiores, const LinhaDeEvento& e) {
  if (maiores.size() == kMaioresEventos && !mais_fundo(e, maiores.back())) return;
  maiores.insert(std::upper_bound(maiores.begin(), maiores.end(), e, mais_fundo), e);
  if (maiores.size() > kMaioresEventos) maiores.pop_back();
}

Reconhecimento reconhece(Env& env, const ParametrosDaPagina& p) {
  Reconhecimento r;
  r.com_falhas = p.opcoes.falhas.has_value();
  if (r.com_falhas) r.lista_de_falhas = OutageList::read(env, *p.opcoes.falhas);
  resume::CurvasIdf idf(p.corte.passo_s, p.opcoes.distribuicao, p.opcoes.completude_minima);
  resume::Resumo resumo(
      parametros_do_resumo(p, r.lista_de_falhas),
      [&](const LinhaDeEvento& e) {
        guarda_se_maior(r.maiores, e);
        if (const double ei30 = resume::contribuicao_para_r(e); ei30 > 0) r.r_no_tempo->acrescenta(e.inicio, ei30);
      },
      [&](const LinhaDeMaxima& m) {
        r.maximas.push_back(m);
        idf.maxima(m);
      });
  percorre_serie(env, p.serie_lida(), [&](const Registro& registro) {
    if (r.registros == 0) {
      r.primeiro = registro.inicio;
      r.r_no_tempo.emplace(registro.inicio, p.corte.passo_s, 2 * kColunasDaCurva);
    }
    resumo.acrescenta(registro);
    const std::int64_t esperado = r.ultimo + p.corte.passo_s;
    if (r.registros > 0 && registro.inicio > esperado) {
      ++r.falhas;
      r.passos_ausentes += (registro.inicio - r.ultimo) / p.corte.passo_s - 1;
    }
    r.ultimo = registro.inicio;
    ++r.registros;
    r.basculacoes += registro.basculacoes;
    const DataHora d = data_hora_de(registro.inicio);
    MesDoRegistro& mes = r.meses[d.ano * 12 + d.mes - 1];
    mes.basculacoes += registro.basculacoes;
    ++mes.registros;
  });
  resumo.termina();
  r.eventos = resumo.totais().eventos_mantidos;
  r.medias_r = resumo.erosividade().medias(p.opcoes.completude_minima);
  if (r.medias_r.back().anos.value_or(0) == 0) {
    r.medias_r = resumo.erosividade().medias(0);
    r.medias_completas = false;
  }
  r.idf = idf.linhas();
  r.avisos_idf = resume::avisos_da_idf(r.idf, p.opcoes.completude_minima);
  return r;
}

// Every month from the first to the last of the record, those without a record
// included, so the bars keep the calendar's spacing.
std::vector<TotalMensal> meses_do_registro(const Reconhecimento& r, double precisao) {
  std::vector<TotalMensal> meses;
  if (r.meses.empty()) return meses;
  const int primeiro = r.meses.begin()->first, ultimo = r.meses.rbegin()->first;
  for (int k = primeiro; k <= ultimo; ++k) {
    auto it = r.meses.find(k);
    const MesDoRegistro mes = it != r.meses.end() ? it->second : MesDoRegistro{};
    meses.push_back({k / 12, k % 12 + 1, static_cast<double>(mes.basculacoes) * precisao, mes.registros});
  }
  return meses;
}

std::vector<MaximasDoAno> maximas_por_ano(const std::vector<LinhaDeMaxima>& linhas, double completude_minima) {
  std::vector<MaximasDoAno> anos;
  for (const LinhaDeMaxima& m : linhas) {
    if (anos.empty() || anos.back().ano != m.ano) {
      anos.push_back({m.ano, resume::entra_na_idf(m, completude_minima), {}});
    }
    if (m.maximo.calculavel && m.maximo.basculacoes > 0) {
      anos.back().pontos.emplace_back(m.duracao_min, m.maximo.intensidade_mm_h);
    }
  }
  return anos;
}

// The second pass: the mass curve, and the records of the deepest storms for
// their hyetographs.
struct Desenhos {
  CurvaDeMassa curva;
  std::vector<const LinhaDeEvento*> por_registro;  // the deepest storms in the order of the series
  std::vector<Hietograma> hietogramas;             // same order
};

Desenhos desenha(Env& env, const ParametrosDaPagina& p, const Reconhecimento& r) {
  Desenhos d{CurvaDeMassa(r.primeiro, r.ultimo + p.corte.passo_s, kColunasDaCurva, p.corte.passo_s), {}, {}};
  for (const LinhaDeEvento& e : r.maiores) d.por_registro.push_back(&e);
  std::sort(d.por_registro.begin(), d.por_registro.end(),
            [](const LinhaDeEvento* a, const LinhaDeEvento* b) { return a->primeiro_registro < b->primeiro_registro; });
  for (const LinhaDeEvento* e : d.por_registro) {
    d.hietogramas.emplace_back(e->inicio, e->fim, p.corte.passo_s, kBarrasDoHietograma);
  }
  std::vector<double> acumulado_do_evento(d.hietogramas.size(), 0);

  std::int64_t indice = 0;
  std::size_t proximo = 0;
  // Tips are summed as whole numbers, so ten years of steps add up exactly.
  std::int64_t basculacoes = 0;
  percorre_serie(env, p.serie_lida(), [&](const Registro& registro) {
    const double chuva = registro.basculacoes * p.corte.precisao;
    const double antes = static_cast<double>(basculacoes) * p.corte.precisao;
    basculacoes += registro.basculacoes;
    d.curva.acrescenta(registro.inicio, antes, static_cast<double>(basculacoes) * p.corte.precisao);
    while (proximo < d.por_registro.size() && d.por_registro[proximo]->ultimo_registro < indice) ++proximo;
    if (proximo < d.por_registro.size() && d.por_registro[proximo]->primeiro_registro <= indice) {
      acumulado_do_evento[proximo] += chuva;
      d.hietogramas[proximo].acrescenta(registro.inicio, chuva, acumulado_do_evento[proximo]);
    }
    ++indice;
  });
  return d;
}

std::string duas_casas(double v) { return format_fixed_compact(v, 2); }

// Writes a block of lines given with "\n" ends, each ending with CR LF.
void escreve_bloco(LineWriter& saida, std::string_view bloco) {
  while (!bloco.empty()) {
    const std::size_t fim = bloco.find('\n');
    saida.write_line(bloco.substr(0, fim));
    if (fim == std::string_view::npos) break;
    bloco.remove_prefix(fim + 1);
  }
}

const char* const kEstilo = R"(<style>
@page { size: A4; margin: 12mm; }
body { font-family: "DejaVu Sans", "Segoe UI", Arial, sans-serif; color: #222; margin: 0 auto; padding: 10px 16px; max-width: 1100px; font-size: 14px; }
h1 { font-size: 22px; margin: 4px 0 8px; }
h2 { font-size: 17px; margin: 22px 0 4px; border-bottom: 2px solid #1f5fa8; padding-bottom: 2px; break-after: avoid; }
p.nota { margin: 2px 0 6px; color: #555; font-size: 12.5px; }
.cabecalho { display: flex; flex-wrap: wrap; gap: 4px 36px; align-items: flex-start; }
.cabecalho table { border-collapse: collapse; }
.cabecalho th { text-align: left; font-weight: normal; color: #555; padding: 1px 12px 1px 0; }
.cabecalho td { font-weight: bold; padding: 1px 0; }
svg { display: block; width: 100%; height: auto; }
svg text { font-family: inherit; }
.rotulo { font-size: 12px; fill: #333; }
.valor { font-size: 10px; fill: #333; }
.titulo-eixo { font-size: 13px; fill: #111; font-weight: bold; }
.eixo { stroke: #333; stroke-width: 1; }
.grade { stroke: #e2e2e2; stroke-width: 1; }
.curva { fill: none; stroke: #1f5fa8; stroke-width: 1.6; stroke-linejoin: round; }
.falha { fill: #f7c8a0; }
.falha-lista { fill: #d9475e; fill-opacity: 0.35; }
.barra { fill: #4a90c8; }
.barra-r { fill: #8c5a2b; }
.curva-r { stroke: #8c5a2b; }
.acumulada { fill: none; stroke: #c0392b; stroke-width: 1.6; }
.i30 { fill: #f1c40f; fill-opacity: 0.3; }
.rotulo-i30 { font-size: 11px; fill: #8a6d00; font-weight: bold; }
.ano { fill: none; stroke-width: 1.7; }
.tracejado { stroke-dasharray: 6 3; }
.leve { stroke-opacity: 0.4; stroke-width: 1.1; }
.vazado { fill: #fff; stroke-width: 1.4; }
.idf { fill: none; stroke: #222; stroke-width: 2; }
.rotulo-idf { font-size: 11.5px; fill: #222; font-weight: bold; }
.s0 { stroke: #1f77b4; } .s1 { stroke: #ff7f0e; } .s2 { stroke: #2ca02c; } .s3 { stroke: #d62728; } .s4 { stroke: #9467bd; }
.s5 { stroke: #8c564b; } .s6 { stroke: #e377c2; } .s7 { stroke: #7f7f7f; } .s8 { stroke: #bcbd22; } .s9 { stroke: #17becf; }
.f0 { fill: #1f77b4; } .f1 { fill: #ff7f0e; } .f2 { fill: #2ca02c; } .f3 { fill: #d62728; } .f4 { fill: #9467bd; }
.f5 { fill: #8c564b; } .f6 { fill: #e377c2; } .f7 { fill: #7f7f7f; } .f8 { fill: #bcbd22; } .f9 { fill: #17becf; }
table.eventos { border-collapse: collapse; font-size: 10px; width: 100%; table-layout: fixed; }
col.tempo { width: 6.5%; }
col.curta { width: 3.4%; }
.bloco { content-visibility: auto; contain-intrinsic-size: auto 1000px; }
table.eventos th { background: #eef3f9; padding: 3px 2px; border-bottom: 1px solid #999; }
table.eventos th { vertical-align: bottom; }
table.eventos td { padding: 1px 2px; border-bottom: 1px solid #e4e4e4; text-align: right; white-space: nowrap; }
table.idf { border-collapse: collapse; font-size: 12px; margin: 6px 0 4px; }
table.idf th { background: #eef3f9; padding: 3px 6px; border-bottom: 1px solid #999; font-weight: normal; }
table.idf td { padding: 2px 6px; border-bottom: 1px solid #e4e4e4; text-align: right; }
p.aviso { color: #a02c2c; }
.hietogramas { display: grid; grid-template-columns: 1fr 1fr; gap: 10px 18px; }
figure { margin: 0; break-inside: avoid; content-visibility: auto; contain-intrinsic-size: auto 300px; }
figcaption { font-size: 12.5px; font-weight: bold; margin-bottom: 2px; }
@media print {
  body { max-width: none; padding: 0; font-size: 10pt; }
  table.eventos { font-size: 6pt; }
  section { break-before: auto; }
}
</style>)";

void linha_do_cabecalho(std::string& html, std::string_view nome, std::string_view valor, std::string_view chave) {
  html += "<tr><th>" + escapa(nome) + "</th><td data-campo=\"" + std::string(chave) + "\">" + escapa(valor) +
          "</td></tr>\n";
}

// The outages of the list that touch the record, and their days within it.
std::string falhas_no_registro(const ParametrosDaPagina& p, const Reconhecimento& r) {
  const Instante inicio = r.primeiro, fim = r.ultimo + p.corte.passo_s;
  std::int64_t quantas = 0, segundos = 0;
  for (const Outage& o : r.lista_de_falhas.outages()) {
    if (r.registros == 0 || o.fim <= inicio || o.inicio >= fim) continue;
    ++quantas;
    segundos += std::min(o.fim, fim) - std::max(o.inicio, inicio);
  }
  return std::to_string(quantas) + " (" + duas_casas(static_cast<double>(segundos) / 86400) + " dias)";
}

// The mean annual R, with the years it averages.
std::string r_medio_anual(const ParametrosDaPagina& p, const Reconhecimento& r) {
  const resume::LinhaDeErosividade& anual = r.medias_r.back();
  if (!r.medias_completas || !anual.r_mj_mm_ha_h) {
    return "- (nenhum ano com " + numero_curto(p.opcoes.completude_minima) + "% dos passos)";
  }
  const int anos = anual.anos.value_or(0);
  return duas_casas(*anual.r_mj_mm_ha_h) + " (" + std::to_string(anos) + (anos == 1 ? " ano)" : " anos)");
}

std::string cabecalho(const ParametrosDaPagina& p, const Reconhecimento& r) {
  const bool vazia = r.registros == 0;
  std::string html = "<header>\n<h1>Chuvadas de " + escapa(p.entrada) + "</h1>\n<div class=\"cabecalho\">\n<table>\n";
  linha_do_cabecalho(html, "Serie", p.entrada, "serie");
  linha_do_cabecalho(html, "Primeiro registro", vazia ? "-" : texto_data_hora(r.primeiro), "primeiro");
  linha_do_cabecalho(html, "Ultimo registro", vazia ? "-" : texto_data_hora(r.ultimo), "ultimo");
  linha_do_cabecalho(html, "Registros", std::to_string(r.registros), "registros");
  linha_do_cabecalho(html, "Passo", texto_duracao(p.corte.passo_s), "passo");
  linha_do_cabecalho(html, "Falhas na serie",
                     std::to_string(r.falhas) + " (" + std::to_string(r.passos_ausentes) + " passos ausentes)",
                     "falhas");
  if (r.com_falhas) linha_do_cabecalho(html, "Falhas (lista)", falhas_no_registro(p, r), "falhas_lista");
  html += "</table>\n<table>\n";
  linha_do_cabecalho(html, "Precisao (mm por basculada)", numero_curto(p.corte.precisao), "precisao");
  linha_do_cabecalho(html, "Chuva total (mm)", duas_casas(static_cast<double>(r.basculacoes) * p.corte.precisao), "total");
  linha_do_cabecalho(html, "Intervalo para interrupcao",
                     texto_duracao(p.corte.janela * p.corte.passo_s) + " (" + std::to_string(p.corte.janela) +
                         " registros)",
                     "interrupcao");
  linha_do_cabecalho(html, "Evento minimo (mm)", numero_curto(p.corte.minimo), "minimo");
  linha_do_cabecalho(html, "Eventos mantidos", std::to_string(r.eventos), "eventos");
  linha_do_cabecalho(html, "Equacao de energia", std::string(resume::nome_da_equacao(p.opcoes.energia)), "energia");
  linha_do_cabecalho(html, "R medio anual (MJ mm/ha h)", r_medio_anual(p, r), "r_anual");
  html += "</table>\n</div>\n</header>\n";
  return html;
}

std::string secao(std::string_view id, std::string_view titulo, std::string_view nota, const std::string& conteudo) {
  std::string html = "<section id=\"" + std::string(id) + "\">\n<h2>" + escapa(titulo) + "</h2>\n";
  if (!nota.empty()) html += "<p class=\"nota\">" + escapa(nota) + "</p>\n";
  return html + conteudo + "</section>\n";
}

// The readable titles of the events table, with units, for the columns of
// Resume_Chuvadas's table.
std::string titulo_da_coluna(std::string_view coluna) {
  static const std::map<std::string_view, std::string_view> titulos{
      {"evento", "Evento"}, {"inicio", "Inicio"}, {"fim", "Fim"}, {"duracao_h", "Duracao (h)"},
      {"chuva_mm", "Chuva (mm)"}, {"basculacoes", "Basc."}, {"seco_antes_h", "Seco antes (h)"},
      {"i5_mm_h", "I5 (mm/h)"}, {"i5_inicio", "Inicio I5"}, {"i10_mm_h", "I10 (mm/h)"}, {"i10_inicio", "Inicio I10"},
      {"i15_mm_h", "I15 (mm/h)"}, {"i15_inicio", "Inicio I15"}, {"i30_mm_h", "I30 (mm/h)"},
      {"i30_inicio", "Inicio I30"}, {"i60_mm_h", "I60 (mm/h)"}, {"i60_inicio", "Inicio I60"},
      {"energia_mj_ha", "Energia (MJ/ha)"}, {"ei30_mj_mm_ha_h", "EI30 (MJ mm/ ha h)"}, {"erosiva", "Erosiva"},
      {"falha", "Falha"}};
  auto it = titulos.find(coluna);
  return std::string(it != titulos.end() ? it->second : coluna);
}

// The table's fields are numbers and times: none holds a comma or a quote.
std::vector<std::string_view> campos(std::string_view linha) {
  std::vector<std::string_view> lista;
  for (;;) {
    const std::size_t virgula = linha.find(',');
    lista.push_back(linha.substr(0, virgula));
    if (virgula == std::string_view::npos) return lista;
    linha.remove_prefix(virgula + 1);
  }
}

// A time goes on two lines, broken after its "T", which keeps the table within
// the page; its text stays the table's.
std::string celula(std::string_view campo) {
  const std::size_t t = campo.find('T');
  if (t == std::string_view::npos) return escapa(campo);
  return escapa(campo.substr(0, t + 1)) + "<br>" + escapa(campo.substr(t + 1));
}

// The events table is cut into blocks of this many rows, each a table of its
// own with the same fixed column widths: a browser then lays out only the
// blocks on the screen, and a long record's page still opens at once.
constexpr int kLinhasPorBloco = 50;

// The third pass: the events table, row by row straight into the page.
void escreve_tabela_de_eventos(Env& env, const ParametrosDaPagina& p, const Reconhecimento& r, LineWriter& saida) {
  const std::string nomes = resume::cabecalho_dos_eventos(r.com_falhas);
  std::string colunas = "<colgroup>";
  std::string titulos = "<thead><tr>";
  for (std::string_view nome : campos(nomes)) {
    const bool tempo = nome == "inicio" || nome == "fim" || nome.ends_with("_inicio");
    const bool curta = nome == "evento" || nome == "basculacoes";
    colunas += tempo ? "<col class=\"tempo\">" : curta ? "<col class=\"curta\">" : "<col>";
    titulos += "<th title=\"" + escapa(nome) + "\">" + escapa(titulo_da_coluna(nome)) + "</th>";
  }
  colunas += "</colgroup>";
  titulos += "</tr></thead>";

  int linhas_no_bloco = 0;
  bool primeiro_bloco = true;
  auto fecha_bloco = [&] {
    if (linhas_no_bloco > 0) saida.write_line("</tbody></table></div>");
    linhas_no_bloco = 0;
  };
  resume::Resumo resumo(
      parametros_do_resumo(p, r.lista_de_falhas),
      [&](const LinhaDeEvento& e) {
        if (linhas_no_bloco == kLinhasPorBloco) fecha_bloco();
        if (linhas_no_bloco == 0) {
          saida.write_line("<div class=\"bloco\"><table class=\"eventos\">" + colunas +
                           (primeiro_bloco ? titulos : "") + "<tbody>");
          primeiro_bloco = false;
        }
        const std::string linha = resume::linha_do_evento(e, r.com_falhas);
        std::string tr = "<tr>";
        for (std::string_view campo : campos(linha)) tr += "<td>" + celula(campo) + "</td>";
        saida.write_line(tr + "</tr>");
        ++linhas_no_bloco;
      },
      [](const LinhaDeMaxima&) {});
  percorre_serie(env, p.serie_lida(), [&](const Registro& registro) { resumo.acrescenta(registro); });
  resumo.termina();
  fecha_bloco();
  // A record without events still shows what the table would hold.
  if (primeiro_bloco) saida.write_line("<table class=\"eventos\">" + colunas + titulos + "</table>");
}

// "18/03/2025 13:35 a 17:05", the end's date only when it is another day.
std::string periodo(std::int64_t inicio, std::int64_t fim) {
  const std::string a = texto_data_hora(inicio), b = texto_data_hora(fim);
  const std::string fim_curto = a.substr(0, 10) == b.substr(0, 10) ? b.substr(11, 5) : b.substr(0, 16);
  return a.substr(0, 16) + " a " + fim_curto;
}

std::string legenda_do_hietograma(const LinhaDeEvento& e, std::size_t posicao) {
  std::string texto = "Evento " + std::to_string(e.evento) + " (" + std::to_string(posicao) + "o maior): " +
                      periodo(e.inicio, e.fim) + ", " + duas_casas(e.chuva_mm) + " mm";
  const resume::MaximoDaJanela& i30 = e.intensidades[3];
  if (i30.calculavel) texto += ", I30 " + duas_casas(i30.intensidade_mm_h) + " mm/h";
  if (e.falha) texto += ", com falha";
  return texto;
}

std::string hietogramas(const Desenhos& d, const Reconhecimento& r) {
  std::string html = "<div class=\"hietogramas\">\n";
  for (std::size_t k = 0; k < r.maiores.size(); ++k) {
    const LinhaDeEvento& e = r.maiores[k];
    const std::size_t i = static_cast<std::size_t>(
        std::find(d.por_registro.begin(), d.por_registro.end(), &e) - d.por_registro.begin());
    DesenhoDoEvento desenho{e.inicio, e.fim, std::nullopt, 0};
    const resume::MaximoDaJanela& i30 = e.intensidades[3];
    if (i30.calculavel && i30.registro_inicio >= 0) {
      desenho.inicio_i30 = i30.inicio;
      desenho.i30 = i30.intensidade_mm_h;
    }
    html += "<figure id=\"evento-" + std::to_string(e.evento) + "\">\n<figcaption>" +
            escapa(legenda_do_hietograma(e, k + 1)) + "</figcaption>\n" + svg_hietograma(d.hietogramas[i], desenho) +
            "</figure>\n";
  }
  return html + "</div>\n";
}

// The erosivity: the mean R of each month over the complete years, and R
// summed over the record.
std::string secao_de_erosividade(const ParametrosDaPagina& p, const Reconhecimento& r) {
  std::array<double, 12> por_mes{};
  for (const resume::LinhaDeErosividade& l : r.medias_r) {
    if (l.mes && l.r_mj_mm_ha_h) por_mes[static_cast<std::size_t>(*l.mes - 1)] = *l.r_mj_mm_ha_h;
  }
  const int anos = r.medias_r.back().anos.value_or(0);
  std::string nota = "R: soma do EI30 dos eventos erosivos da tabela abaixo (12.7 mm ou mais, ou 6.35 mm em 15 "
                     "minutos), com a energia da equacao " +
                     std::string(resume::nome_da_equacao(p.opcoes.energia)) + ", " +
                     std::string(resume::formula_da_equacao(p.opcoes.energia)) + " (i em mm/h). Barras: ";
  if (r.medias_completas) {
    nota += "R medio de cada mes nos " + std::to_string(anos) + (anos == 1 ? " ano" : " anos") + " com ao menos " +
            numero_curto(p.opcoes.completude_minima) + "% dos passos registrados.";
  } else if (anos == 1) {
    nota += "R de cada mes do unico ano do registro, incompleto: nao e o R de um ano inteiro.";
  } else {
    nota += "R medio de cada mes nos " + std::to_string(anos) +
            " anos do registro, nenhum deles completo: nao e o R de anos inteiros.";
  }
  if (r.com_falhas) nota += " Eventos com falha ficam fora do R.";
  CurvaDeMassa acumulado(r.primeiro, r.ultimo + p.corte.passo_s, kColunasDaCurva, r.r_no_tempo->largura());
  r.r_no_tempo->acumula_em(acumulado, r.ultimo + p.corte.passo_s);
  return secao("erosividade", "Erosividade", nota, svg_r_mensal(por_mes) + svg_r_acumulado(acumulado));
}

// One curve per return period through the fitted rows.
std::vector<CurvaIdf> curvas_idf(const std::vector<resume::LinhaIdf>& linhas) {
  std::vector<CurvaIdf> curvas;
  for (std::size_t t = 0; t < resume::kPeriodosDeRetorno.size(); ++t) {
    CurvaIdf curva{resume::kPeriodosDeRetorno[t], {}};
    for (const resume::LinhaIdf& l : linhas) {
      if (l.ajuste) curva.pontos.emplace_back(l.duracao_min, l.intensidades_mm_h[t]);
    }
    if (!curva.pontos.empty()) curvas.push_back(curva);
  }
  return curvas;
}

// The readable titles of the IDF table's columns; the intensities go under
// one heading, each titled by its return period.
std::string titulo_da_coluna_idf(std::string_view coluna) {
  static const std::map<std::string_view, std::string_view> titulos{
      {"duracao_min", "Duracao (min)"}, {"anos", "Anos"}, {"distribuicao", "Distribuicao"},
      {"posicao", "Posicao u"}, {"escala", "Escala a"}, {"forma", "Forma k"}};
  if (auto it = titulos.find(coluna); it != titulos.end()) return std::string(it->second);
  if (coluna.starts_with("i") && coluna.ends_with("_mm_h")) {
    return std::string(coluna.substr(1, coluna.size() - 6)) + " anos";
  }
  return std::string(coluna);
}

// The fitted intensities, the same rows and figures as the IDF table of
// Resume_Chuvadas.
std::string tabela_idf(const std::vector<resume::LinhaIdf>& linhas) {
  std::string html = "<table class=\"idf\"><thead><tr><th colspan=\"6\"></th><th colspan=\"" +
                     std::to_string(resume::kPeriodosDeRetorno.size()) +
                     "\">Intensidade ajustada (mm/h) para o periodo de retorno</th></tr><tr>";
  const std::string nomes = resume::cabecalho_da_idf();
  for (std::string_view nome : campos(nomes)) {
    html += "<th title=\"" + escapa(nome) + "\">" + escapa(titulo_da_coluna_idf(nome)) + "</th>";
  }
  html += "</tr></thead><tbody>\n";
  for (const resume::LinhaIdf& l : linhas) {
    const std::string linha = resume::linha_da_idf(l);
    html += "<tr>";
    for (std::string_view campo : campos(linha)) html += "<td>" + escapa(campo) + "</td>";
    html += "</tr>\n";
  }
  return html + "</tbody></table>\n";
}

// The annual maxima of every year, the IDF curves fitted to the complete
// ones and their table; a year left out of the fit is drawn hollow.
std::string secao_de_maximas(const ParametrosDaPagina& p, const Reconhecimento& r) {
  const double minima = p.opcoes.completude_minima;
  const std::vector<MaximasDoAno> anos = maximas_por_ano(r.maximas, minima);
  const std::vector<CurvaIdf> curvas = curvas_idf(r.idf);
  std::string nota = "Para cada ano, a maior intensidade media em cada duracao, em eixos logaritmicos.";
  if (!curvas.empty()) {
    nota += " Curvas: a distribuicao " + std::string(resume::nome_da_distribuicao(p.opcoes.distribuicao)) +
            " ajustada por momentos-L as maximas dos " + std::to_string(r.idf.front().anos) +
            " anos completos (ao menos " + numero_curto(minima) +
            "% dos passos registrados fora de falhas), uma curva por periodo de retorno; a tabela abaixo do grafico "
            "da as intensidades ajustadas.";
  }
  if (std::any_of(anos.begin(), anos.end(), [](const MaximasDoAno& a) { return !a.completo; })) {
    nota += " Pontos vazados: anos incompletos, fora do ajuste.";
  }
  std::string conteudo = svg_maximas_anuais(anos, curvas);
  if (!curvas.empty()) conteudo += tabela_idf(r.idf);
  for (const std::string& aviso : r.avisos_idf) conteudo += "<p class=\"nota aviso\">" + escapa(aviso) + "</p>\n";
  return secao("maximas-anuais", curvas.empty() ? "Maximas anuais por duracao" : "Maximas anuais e curvas IDF", nota,
               conteudo);
}

}  // namespace

ResumoDaPagina escreve_pagina(Env& env, const ParametrosDaPagina& p, LineWriter& saida) {
  const Reconhecimento r = reconhece(env, p);
  escreve_bloco(saida, "<!DOCTYPE html>\n<html lang=\"pt-BR\">\n<head>\n<meta charset=\"utf-8\">\n<title>Chuvadas de " +
                           escapa(p.entrada) + "</title>");
  escreve_bloco(saida, kEstilo);
  escreve_bloco(saida, "</head>\n<body>");
  escreve_bloco(saida, cabecalho(p, r));
  if (r.registros == 0) {
    escreve_bloco(saida, "<p class=\"nota\">A serie nao tem registros: nao ha o que desenhar.</p>\n</body>\n</html>");
    return {0, 0, 0, {}};
  }
  const Desenhos d = desenha(env, p, r);
  Faixas falhas;
  for (const Outage& o : r.lista_de_falhas.outages()) falhas.emplace_back(o.inicio, o.fim);
  escreve_bloco(saida, secao("curva-de-massa", "Curva de massa",
                             std::string("Chuva acumulada desde o primeiro registro. Trechos horizontais sobre faixa "
                                         "laranja: falhas, tempo sem registros na serie.") +
                                 (r.com_falhas ? " Faixas vermelhas: falhas da lista, tempo que o registrador nao "
                                                 "viu (a chuva delas fica no passo seguinte)."
                                               : ""),
                             svg_curva_de_massa(d.curva, falhas)));
  escreve_bloco(saida, secao("totais-mensais", "Chuva mensal",
                             "Uma barra por mes do registro; \"-\" marca um mes sem nenhum registro.",
                             svg_totais_mensais(meses_do_registro(r, p.corte.precisao))));
  escreve_bloco(saida, secao_de_maximas(p, r));
  escreve_bloco(saida, secao_de_erosividade(p, r));
  escreve_bloco(saida, "<section id=\"eventos\">\n<h2>Eventos</h2>\n<p class=\"nota\">" +
                           std::to_string(r.eventos) +
                           " eventos com mais de " + escapa(numero_curto(p.corte.minimo)) +
                           " mm, separados por " + texto_duracao(p.corte.janela * p.corte.passo_s) +
                           " sem chuva. Horarios no inicio de cada passo; \"fim\" e o fim do ultimo passo com chuva.</p>");
  escreve_tabela_de_eventos(env, p, r, saida);
  escreve_bloco(saida, "</section>");
  if (!r.maiores.empty()) {
    const std::string titulo = r.maiores.size() < static_cast<std::size_t>(r.eventos)
                                   ? "Hietogramas dos " + std::to_string(r.maiores.size()) + " maiores eventos"
                                   : "Hietogramas dos eventos";
    escreve_bloco(saida, secao("hietogramas", titulo,
                               "Do mais chuvoso ao menos chuvoso. Barras: chuva em cada passo; linha vermelha: "
                               "chuva acumulada no evento; faixa amarela: os 30 minutos mais intensos (I30).",
                               hietogramas(d, r)));
  }
  escreve_bloco(saida, "</body>\n</html>");
  // The curves' warnings go to standard error when there are curves; a record
  // too short for them only has the page say so.
  const bool com_curvas = !r.idf.empty() && r.idf.front().ajuste.has_value();
  return {r.registros, r.eventos, static_cast<std::int64_t>(r.maiores.size()),
          com_curvas ? r.avisos_idf : std::vector<std::string>{}};
}

ResumoDaPagina desenha_pagina(Env& env, const ParametrosDaPagina& p) {
  RunFiles arquivos;
  arquivos.reads(p.entrada, "o arquivo de entrada");
  arquivos.writes(p.pagina, "a pagina");
  arquivos.writes_derived(pvx_name(p.pagina), "o arquivo temporario da pagina");
  if (p.opcoes.falhas) arquivos.reads(*p.opcoes.falhas, "a lista de falhas");
  const SeriesCopy copia = series_copy_in_current_folder();
  name_series_copy(arquivos, env, p.entrada, copia);
  arquivos.check(env);
  // The drawings count records for time, as the storm tables do.
  SeriesRules regras;
  regras.step_s = p.corte.passo_s;
  regras.one_record_per_step = true;
  SeriesInput entrada(env, p.entrada, regras, copia);
  ParametrosDaPagina lida = p;
  lida.lida = entrada.path();
  auto pagina = StagedFile::create(env, p.pagina);
  if (!pagina) throw Failure("Erro: nao foi possivel criar o arquivo de saida.", 1);
  const ResumoDaPagina resumo = escreve_pagina(env, lida, pagina->lines());
  if (!pagina->commit()) throw Failure("Erro: nao foi possivel gravar o arquivo de saida.", 1);
  entrada.finished();
  return resumo;
}

}  // namespace rain::desenha
