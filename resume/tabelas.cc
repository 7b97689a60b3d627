#include "resume/tabelas.h"

#include "common/fixed.h"

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

}  // namespace

std::string cabecalho_dos_eventos() {
  return "evento,inicio,fim,duracao_h,chuva_mm,basculacoes,seco_antes_h,i5_mm_h,i5_inicio,i10_mm_h,i10_inicio,"
         "i15_mm_h,i15_inicio,i30_mm_h,i30_inicio,i60_mm_h,i60_inicio,energia_mj_ha,ei30_mj_mm_ha_h,erosiva";
}

std::string linha_do_evento(const LinhaDeEvento& e) {
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
  campo(linha, numero(e.energia_mj_ha, 3));
  campo(linha, e.ei30_mj_mm_ha_h ? numero(*e.ei30_mj_mm_ha_h, 2) : "");
  campo(linha, e.erosiva ? "s" : "n");
  return linha;
}

std::string cabecalho_das_maximas() { return "ano,duracao_min,registros,chuva_mm,intensidade_mm_h,inicio"; }

std::string linha_da_maxima(const LinhaDeMaxima& m) {
  std::string linha = std::to_string(m.ano);
  campo(linha, std::to_string(m.duracao_min));
  campo(linha, std::to_string(m.registros));
  campos_do_maximo(linha, m.maximo, true);
  return linha;
}

}  // namespace rain::resume
