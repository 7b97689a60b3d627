#include "formatter/avisos.h"

#include <cmath>

#include "common/fixed.h"
#include "common/program.h"

namespace rain::formatter {
namespace {

std::string mm(double valor) { return format_fixed_compact(valor, 2) + " mm"; }

// "<count> <what>; <the first> na linha N do arquivo de entrada: <text>".
void ocorrencia(std::vector<std::string>& linhas, const Ocorrencia& o, std::string_view um, std::string_view varios,
                std::string_view primeiro) {
  if (o.vezes == 0) return;
  linhas.push_back("Aviso: " + counted(o.vezes, um, varios) + "; " + std::string(primeiro) + " na linha " +
                   std::to_string(o.linha) + " do arquivo de entrada: " + o.texto);
}

double deposito_das_basculas(const ResumoDoAjuste& resumo, double capacidade) {
  return resumo.basculas.basculas * capacidade;
}

}  // namespace

std::vector<std::string> avisos_do_ajuste(const ResumoDoAjuste& resumo, double capacidade) {
  std::vector<std::string> linhas;
  ocorrencia(linhas, resumo.datas_impossiveis, "registro com data impossivel", "registros com data impossivel",
             "o primeiro");
  ocorrencia(linhas, resumo.reinicios, "reinicio do contador (o total caiu; a serie segue do acumulo de antes)",
             "reinicios do contador (o total caiu; a serie segue do acumulo de antes)", "o primeiro");
  ocorrencia(linhas, resumo.negativos, "leitura negativa, que nada soma", "leituras negativas, que nada somam",
             "a primeira");
  ocorrencia(linhas, resumo.repetidas, "linha repetida, contada uma so vez", "linhas repetidas, contadas uma so vez",
             "a primeira");
  linhas.insert(linhas.end(), resumo.avisos.begin(), resumo.avisos.end());
  const SomaDasBasculas& soma = resumo.basculas;
  if (resumo.discretizada && soma.tem_registro && resumo.acumulo_inicial) {
    const double antes = soma.primeiro - *resumo.acumulo_inicial;
    if (antes >= 0.005) {
      linhas.push_back("Aviso: " + mm(antes) +
                       " de chuva antes do primeiro passo da serie, que nenhum registro guarda; comece o arquivo "
                       "numa leitura sem chuva.");
    }
  }
  if (resumo.basculas_derivadas && soma.tem_registro && capacidade > 0) {
    const double serie = soma.ultimo - soma.primeiro;
    const double basculas = deposito_das_basculas(resumo, capacidade);
    if (std::fabs(serie - basculas) > capacidade * (1 + 1e-9)) {
      linhas.push_back("Aviso: as basculadas guardam " + mm(basculas) + " e a serie " + mm(serie) + " (" +
                       mm(std::fabs(serie - basculas)) + (basculas < serie ? " a menos" : " a mais") +
                       "); confira a capacidade da bascula e as casas decimais da chuva.");
    }
  }
  return linhas;
}

std::string acumulo_do_resumo(const ResumoDoAjuste& resumo, double capacidade) {
  std::string texto = "acumulo final " + (resumo.acumulo.empty() ? "0" : resumo.acumulo) + " mm";
  if (resumo.basculas_derivadas) {
    texto += ", " + format_fixed_compact(resumo.basculas.basculas, 0) + " basculadas = " +
             mm(deposito_das_basculas(resumo, capacidade));
  }
  return texto;
}

}  // namespace rain::formatter
