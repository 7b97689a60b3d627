#include "formatter/conta_em_fluxo.h"

#include <cmath>
#include <cstring>

#include "common/fixed.h"
#include "common/numbers.h"
#include "common/series_record.h"
#include "common/text.h"

namespace rain::formatter {

double acrescenta_basculacoes(std::string& saida, double anterior, double atual, double capacidade) {
  // Equal depths give +0 whatever their signs: the text needs no arithmetic.
  if (atual == anterior) {
    saida += '0';
    return 0;
  }
  const double razao = (atual - anterior) / capacidade;
  append_fixed_compact(saida, razao, 0);
  // The count the text shows: halves away from zero, as the text rounds.
  const long double magnitude = std::fabs(static_cast<long double>(razao));
  long double inteiro = std::floor(magnitude);
  if (magnitude - inteiro >= 0.5L) inteiro += 1;
  return static_cast<double>(razao < 0 ? -inteiro : inteiro);
}

void SomaDasBasculas::conta(std::string& saida, double acumulo, double capacidade) {
  if (!tem_registro) {
    tem_registro = true;
    primeiro = acumulo;
  } else {
    saida += ' ';
    basculas += acrescenta_basculacoes(saida, ultimo, acumulo, capacidade);
  }
  ultimo = acumulo;
}

double ContagemEmFluxo::valor_de(std::string_view texto) {
  if (tem_lido_ && same_text(texto, texto_lido_)) return valor_lido_;
  texto_lido_.assign(texto);
  tem_lido_ = true;
  std::optional<double> valor;
  if (texto.find(',') == std::string_view::npos) {
    valor = decimal(texto);
  } else {
    valor = decimal(with_char_replaced(texto, ',', '.'));
  }
  if (!valor) throw Desvio{};
  valor_lido_ = *valor;
  return valor_lido_;
}

void ContagemEmFluxo::recebe(std::string_view linha) {
  if (!tem_cabecalho_) {
    tem_cabecalho_ = true;
    std::string cabecalho = cut_short(linha);
    if (!titulo_pronto_) cabecalho += " Basculacao";
    proximo_.recebe(short_view(cabecalho));
    return;
  }
  // The record as the work file gives it back: cut, tabs turned into blanks.
  atual_.assign(short_view(linha));
  if (std::memchr(atual_.data(), '\t', atual_.size())) replace_char(atual_, '\t', ' ');
  conta(record_field(atual_, kDepthField));
}

void ContagemEmFluxo::recebe_lido(std::string_view linha, const FixedRecord& lido) {
  if (!tem_cabecalho_) {
    recebe(linha);
    return;
  }
  atual_.assign(linha);
  conta(lido.depth);
}

// `atual_` holds the record: the one before goes on with the tips between them.
void ContagemEmFluxo::conta(std::string_view acumulo) {
  const double valor = valor_de(acumulo);
  const bool tem_anterior = soma_.tem_registro;
  soma_.conta(anterior_, valor, capacidade_);
  if (tem_anterior) proximo_.recebe(anterior_);
  anterior_.swap(atual_);
}

}  // namespace rain::formatter
