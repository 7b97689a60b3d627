// Building blocks of expected Rastreia_Picos reports for the end-to-end tests.
#pragma once

#include <string>
#include <vector>

#include "tests/support/e2e.h"

namespace rain::testing::maxima {

using Linhas = std::vector<std::string>;

inline const std::string kLarga(80, '*');
inline const std::string kEstreita(20, '*');

inline void junta(Linhas& a, const Linhas& b) { a.insert(a.end(), b.begin(), b.end()); }

// A series file: the usual header, then the records.
inline std::string serie(const Linhas& registros, const std::string& cabecalho = "Hora Data Acumulo Basculacao") {
  Linhas linhas{cabecalho};
  junta(linhas, registros);
  return crlf_lines(linhas);
}

inline Linhas abertura(const std::string& arquivo, const std::string& modo, const Linhas& do_modo = {}) {
  Linhas l{kLarga, "", "Relatorio do arquivo " + arquivo + ":", "Modo utilizado: " + modo};
  junta(l, do_modo);
  junta(l, {"", kLarga, ""});
  return l;
}

inline Linhas coluna(int numero, const std::string& titulo) {
  return {kLarga, "Informacoes sobre a coluna " + std::to_string(numero) + " (" + titulo + "):", ""};
}

inline std::string alinhado(const std::string& texto, std::size_t largura) {
  return texto.size() >= largura ? texto : std::string(largura - texto.size(), ' ') + texto;
}

// One reported period. `de`/`a` empty: no period block (TOTAL, INTERVALO);
// `total` empty: no total line (columns after the fourth). Millimetres as text.
inline Linhas periodo(const std::string& de, const std::string& a, const std::string& total,
                      const std::string& maximo, const Linhas& datas) {
  Linhas l;
  if (!de.empty()) l = {kEstreita, "De " + de, "A  " + a, ""};
  if (!total.empty()) l.push_back("Acumulo total: " + alinhado(total, 11) + " mm");
  l.push_back("Valor maximo: " + alinhado(maximo, 12) + " mm, registrado nas datas:");
  l.push_back("");
  junta(l, datas);
  junta(l, {kLarga, ""});
  return l;
}

inline std::string relatorio(std::initializer_list<Linhas> partes) {
  Linhas todas;
  for (const Linhas& parte : partes) junta(todas, parte);
  return crlf_lines(todas);
}

}  // namespace rain::testing::maxima
