// Shared by the end-to-end tests of Ajusta_Leituras: the fifteen arguments
// with names, and a scratch directory to run in.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/e2e.h"

namespace rain::testing::formatter_e2e {

// The command-line arguments in their order, with the values of a plain run:
// a ";" export without header line, date, time and rain per record.
struct Argumentos {
  std::string entrada = "raw.txt";
  std::string saida = "serie.txt";
  std::string tipo_acumulo = "nenhum";
  std::string tipo_bascula = "nenhum";
  std::string separador = ";";
  std::string discretizado = "s";
  std::string intervalo = "00:05:00";
  std::string capacidade = "0.2";
  std::string cabecalho = "0";
  std::string primeiro_dado = "1";
  std::string coluna_data = "1";
  std::string coluna_hora = "2";
  std::string coluna_acumulo = "3";
  std::string coluna_bascula = "0";
  std::string mascara = "DD/MM/YY";

  std::vector<std::string> lista() const {
    return {entrada,    saida,         tipo_acumulo, tipo_bascula, separador,      discretizado,   intervalo, capacidade,
            cabecalho, primeiro_dado, coluna_data,  coluna_hora,  coluna_acumulo, coluna_bascula, mascara};
  }
};

class FormatterE2e : public ::testing::Test {
 protected:
  RunResult run(const Argumentos& a, const std::string& stdin_text = "") {
    return run_program("Ajusta_Leituras", a.lista(), dir.path(), stdin_text);
  }
  RunResult run_args(const std::vector<std::string>& args, const std::string& stdin_text = "") {
    return run_program("Ajusta_Leituras", args, dir.path(), stdin_text);
  }

  ScratchDir dir;
};

}  // namespace rain::testing::formatter_e2e
