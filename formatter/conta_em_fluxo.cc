#include "formatter/conta_em_fluxo.h"

#include <cmath>

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

std::optional<std::string> OBTEMBASCULACAO(std::string_view str1, std::string_view str2, double capacidade) {
  const std::optional<double> v1 = decimal(str1);
  const std::optional<double> v2 = decimal(str2);
  if (!v1 || !v2) return std::nullopt;
  std::string contagem;
  acrescenta_basculacoes(contagem, *v1, *v2, capacidade);
  if (contagem.size() < 5) contagem.insert(0, 5 - contagem.size(), ' ');
  return contagem;
}

void SomaDasBasculas::conta(std::string& saida, double acumulo, double capacidade) {
  if (!tem_registro) {
    tem_registro = true;
    primeiro = acumulo;
  } else {
    saida += ' ';
    basculas += acrescenta_basculacoes(saida, ultimo, acumulo, capacidade);
    ++registros;
  }
  ultimo = acumulo;
}

// A depth with a decimal comma is read as with a point.
double ContagemEmFluxo::valor_de(std::string_view texto, std::int64_t linha) {
  if (tem_lido_ && same_text(texto, texto_lido_)) return valor_lido_;
  std::string com_ponto;
  std::string_view numero = texto;
  if (texto.find(',') != std::string_view::npos) numero = com_ponto = with_char_replaced(texto, ',', '.');
  const std::optional<double> valor = decimal(numero);
  if (!valor) throw ParadaDaEtapa{ParadaDaEtapa::Motivo::kAcumuloIlegivel, std::string(numero), linha};
  texto_lido_.assign(texto);
  tem_lido_ = true;
  valor_lido_ = *valor;
  return valor_lido_;
}

void ContagemEmFluxo::recebe(std::string_view linha) {
  if (++linhas_ == 1) {
    std::string cabecalho = cut_short(linha);
    if (!titulo_pronto_) cabecalho += " Basculacao";
    proximo_.recebe(short_view(cabecalho));
    return;
  }
  const std::string_view registro = registro_da_linha(linha, registro_);
  // A record of the usual form has its depth read in place.
  const std::optional<FixedRecord> lido = leitor_.read(registro);
  conta(registro, lido ? lido->depth : record_field(registro, kDepthField));
}

void ContagemEmFluxo::recebe_lido(std::string_view linha, const FixedRecord& lido) {
  if (linhas_ == 0) {
    recebe(linha);
    return;
  }
  ++linhas_;
  conta(linha, lido.depth);
}

// The record before goes on with the tips between it and `registro`, which
// then waits for the next.
void ContagemEmFluxo::conta(std::string_view registro, std::string_view acumulo) {
  if (linhas_ == 2) {
    acumulo_do_primeiro_.assign(acumulo);
  } else {
    if (linhas_ == 3) soma_.conta(anterior_, valor_de(acumulo_do_primeiro_, 2), capacidade_);
    soma_.conta(anterior_, valor_de(acumulo, linhas_), capacidade_);
    proximo_.recebe(anterior_);
  }
  anterior_.assign(registro);
}

// A series without a header line still gets the title of its tips, as a
// header read past the end of a file is an empty line.
void ContagemEmFluxo::termina() {
  if (linhas_ == 0) recebe("");
  proximo_.termina();
}

}  // namespace rain::formatter
