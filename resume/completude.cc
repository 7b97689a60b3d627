#include "resume/completude.h"

#include "common/instante.h"
#include "resume/centesimos.h"

namespace rain::resume {
namespace {


std::int64_t passos_em_dias(std::int64_t dias, std::int64_t passo_s) {
  if (passo_s <= 0) return 0;
  if (passo_s > kSegundosDoDia) return (dias * kSegundosDoDia + passo_s - 1) / passo_s;
  return dias * ((kSegundosDoDia + passo_s - 1) / passo_s);
}

}  // namespace

std::int64_t passos_do_ano(int ano, std::int64_t passo_s) {
  return passos_em_dias(dias_desde_1970(ano + 1, 1, 1) - dias_desde_1970(ano, 1, 1), passo_s);
}

std::int64_t passos_do_mes(int ano, int mes, std::int64_t passo_s) {
  const std::int64_t inicio = dias_desde_1970(ano, mes, 1);
  const std::int64_t fim = mes == 12 ? dias_desde_1970(ano + 1, 1, 1) : dias_desde_1970(ano, mes + 1, 1);
  return passos_em_dias(fim - inicio, passo_s);
}

double completude_pct(std::int64_t registros, std::int64_t passos) {
  return passos > 0 ? 100.0 * static_cast<double>(registros) / static_cast<double>(passos) : 0;
}

bool completo(double completude_pct, double minima_pct) {
  return centesimos(completude_pct) >= centesimos(minima_pct);
}

}  // namespace rain::resume
