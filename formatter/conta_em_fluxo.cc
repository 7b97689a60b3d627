#include "formatter/conta_em_fluxo.h"

#include <cstring>

#include "common/fixed.h"
#include "common/numbers.h"
#include "common/series_record.h"
#include "common/text.h"

namespace rain::formatter {

void acrescenta_basculacoes(std::string& saida, double anterior, double atual, double capacidade) {
  // Equal depths give +0 whatever their signs: the text needs no arithmetic.
  if (atual == anterior) {
    saida += '0';
    return;
  }
  append_fixed_compact(saida, (atual - anterior) / capacidade, 0);
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
    cabecalho += " Basculacao";
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
  if (tem_anterior_) {
    anterior_ += ' ';
    acrescenta_basculacoes(anterior_, valor_anterior_, valor, capacidade_);
    proximo_.recebe(anterior_);
  }
  anterior_.swap(atual_);
  valor_anterior_ = valor;
  tem_anterior_ = true;
}

}  // namespace rain::formatter
