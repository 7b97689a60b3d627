#include "formatter/palavras.h"

#include <initializer_list>
#include <string>

#include "common/failure.h"
#include "common/text.h"

namespace rain::formatter {
namespace {

bool uma_das(std::string_view valor, std::initializer_list<const char*> palavras) {
  for (const char* palavra : palavras) {
    if (equals_upper(valor, palavra)) return true;
  }
  return false;
}

[[noreturn]] void recusa(int parametro, std::string_view nome, std::string_view opcoes, std::string_view valor) {
  throw Failure("Erro: o parametro " + std::to_string(parametro) + " (" + std::string(nome) + ") deve ser " +
                    std::string(opcoes) + ", e nao \"" + cut_short(valor) + "\".",
                1);
}

}  // namespace

void confere_tipo(std::string_view valor, int parametro, std::string_view nome) {
  if (!uma_das(valor, {"NENHUM", "TOTAL", "INTERVALO"})) {
    recusa(parametro, nome, "\"nenhum\", \"total\" ou \"intervalo\"", valor);
  }
}

void confere_separador(std::string_view valor) {
  if (valor.size() > 1 && !uma_das(valor, {"SPACE", "TAB"})) {
    recusa(5, "separador", "\"space\", \"tab\" ou o proprio caractere separador", valor);
  }
}

void confere_discretizado(std::string_view valor) {
  if (!uma_das(valor, {"S", "N"})) recusa(6, "discretizado", "\"s\" ou \"n\"", valor);
}

void confere_palavras(const ParametrosDoAjuste& p) {
  if (p.COLUNA_ACUMULO != 0) confere_tipo(p.TIPO_ACUMULO, 3, "tipo de acumulo");
  if (p.COLUNA_BASCULA != 0) confere_tipo(p.TIPO_BASCULA, 4, "tipo de bascula");
  confere_separador(p.TIPO_SEPARADOR);
  confere_discretizado(p.DISCRETIZADO);
}

}  // namespace rain::formatter
