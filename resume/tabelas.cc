#include "resume/tabelas.h"

#include "common/fixed.h"
#include "resume/erosividade.h"

namespace rain::resume {
namespace {

std::string numero(double valor, int decimais) { return format_fixed_compact(valor, decimais); }

void campo(std::string& linha, std::string_view texto) {
  linha += ',';
  linha += texto;
}

void campos_do_maximo(std::string& linha, const MaximoDaJanela& m, bool com_inicio) {
  if (!m.calculavel) {
    campo(linha, "");
    campo(linha, "");
    if (com_inicio) campo(linha, "");
    return;
  }
  campo(linha, numero(m.chuva_mm, 2));
  campo(linha, numero(m.intensidade_mm_h, 2));
  if (com_inicio) campo(linha, m.registro_inicio >= 0 ? texto_iso(m.inicio) : "");
}

std::string opcional(const std::optional<double>& valor, int decimais) {
  return valor ? numero(*valor, decimais) : "";
}

}  // namespace

std::string cabecalho_dos_eventos(bool com_falhas) {
  return std::string("evento,inicio,fim,duracao_h,chuva_mm,basculacoes,seco_antes_h,i5_mm_h,i5_inicio,i10_mm_h,"
                     "i10_inicio,i15_mm_h,i15_inicio,i30_mm_h,i30_inicio,i60_mm_h,i60_inicio,energia_mj_ha,"
                     "ei30_mj_mm_ha_h,erosiva") +
         (com_falhas ? ",falha" : "");
}

std::string linha_do_evento(const LinhaDeEvento& e, bool com_falhas) {
  std::string linha = std::to_string(e.evento);
  campo(linha, texto_iso(e.inicio));
  campo(linha, texto_iso(e.fim));
  campo(linha, numero(e.duracao_h, 2));
  campo(linha, numero(e.chuva_mm, 2));
  campo(linha, std::to_string(e.basculacoes));
  campo(linha, e.seco_antes_h ? numero(*e.seco_antes_h, 2) : "");
  for (const MaximoDaJanela& m : e.intensidades) {
    campo(linha, m.calculavel ? numero(m.intensidade_mm_h, 2) : "");
    campo(linha, m.calculavel && m.registro_inicio >= 0 ? texto_iso(m.inicio) : "");
  }
  campo(linha, opcional(e.energia_mj_ha, 3));
  campo(linha, opcional(e.ei30_mj_mm_ha_h, 2));
  campo(linha, e.erosiva ? (*e.erosiva ? "s" : "n") : "");
  if (com_falhas) campo(linha, e.falha ? "s" : "n");
  return linha;
}

std::string cabecalho_das_maximas(bool com_falhas) {
  return com_falhas ? "ano,duracao_min,registros,registros_validos,completude_pct,chuva_mm,intensidade_mm_h,inicio"
                    : "ano,duracao_min,registros,chuva_mm,intensidade_mm_h,inicio";
}

std::string linha_da_maxima(const LinhaDeMaxima& m, bool com_falhas) {
  std::string linha = std::to_string(m.ano);
  campo(linha, std::to_string(m.duracao_min));
  campo(linha, std::to_string(m.registros));
  if (com_falhas) {
    campo(linha, std::to_string(m.registros_validos));
    campo(linha, numero(m.completude_pct, 2));
  }
  campos_do_maximo(linha, m.maximo, true);
  return linha;
}

std::string cabecalho_da_erosividade() {
  return "ano,mes,registros,completude_pct,chuva_mm,eventos,eventos_erosivos,r_mj_mm_ha_h,densidade_mj_ha_h,"
         "fracao_pct,anos";
}

std::string linha_da_erosividade(const LinhaDeErosividade& l) {
  // A mean row has the years it averages; its storm counts are means too.
  const bool media = l.anos.has_value();
  std::string linha = l.ano ? std::to_string(*l.ano) : "media";
  campo(linha, l.mes ? std::to_string(*l.mes) : "");
  campo(linha, l.registros ? std::to_string(*l.registros) : "");
  campo(linha, opcional(l.completude_pct, 2));
  campo(linha, opcional(l.chuva_mm, 2));
  campo(linha, opcional(l.eventos, media ? 2 : 0));
  campo(linha, opcional(l.eventos_erosivos, media ? 2 : 0));
  campo(linha, opcional(l.r_mj_mm_ha_h, 2));
  campo(linha, opcional(l.densidade_mj_ha_h, 2));
  campo(linha, opcional(l.fracao_pct, 2));
  campo(linha, media ? std::to_string(*l.anos) : "");
  return linha;
}

std::string cabecalho_da_idf() {
  std::string cabecalho = "duracao_min,anos,distribuicao,posicao,escala,forma";
  for (int t : kPeriodosDeRetorno) cabecalho += ",i" + std::to_string(t) + "_mm_h";
  return cabecalho;
}

std::string linha_da_idf(const LinhaIdf& l) {
  std::string linha = std::to_string(l.duracao_min);
  campo(linha, std::to_string(l.anos));
  if (!l.ajuste) return linha + std::string(4 + kPeriodosDeRetorno.size(), ',');
  const Ajuste& a = *l.ajuste;
  campo(linha, nome_da_distribuicao(a.distribuicao));
  // The parameters with more decimals than the intensities, so that the
  // quantiles can be worked out again from them.
  campo(linha, numero(a.posicao, 4));
  campo(linha, numero(a.escala, 4));
  campo(linha, a.distribuicao == Distribuicao::kGev ? numero(a.forma, 4) : "");
  for (double i : l.intensidades_mm_h) campo(linha, numero(i, 2));
  return linha;
}

}  // namespace rain::resume
