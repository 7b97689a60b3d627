#include "desenha/afina.h"

#include <algorithm>

namespace rain::desenha {

Colunas::Colunas(std::int64_t inicio, std::int64_t fim, int quantidade)
    : inicio_(inicio), fim_(fim > inicio ? fim : inicio + 1), quantidade_(quantidade < 1 ? 1 : quantidade) {}

int Colunas::coluna(std::int64_t instante) const {
  if (instante <= inicio_) return 0;
  if (instante >= fim_) return quantidade_ - 1;
  // Record times stay within years 0..9999, so the product cannot overflow.
  return static_cast<int>((instante - inicio_) * quantidade_ / (fim_ - inicio_));
}

CurvaDeMassa::CurvaDeMassa(std::int64_t inicio, std::int64_t fim, int colunas, std::int64_t passo)
    : colunas_(inicio, fim, colunas), passo_(passo > 0 ? passo : 1), valores_(colunas_.quantidade()) {}

void CurvaDeMassa::marca_falha(std::int64_t de, std::int64_t ate) {
  const int primeira = colunas_.coluna(de);
  const int ultima = colunas_.coluna(ate - 1);
  for (int c = primeira; c <= ultima; ++c) valores_[c].falha = true;
}

void CurvaDeMassa::acrescenta(std::int64_t instante, double antes, double depois) {
  if (tem_anterior_ && instante > fim_anterior_) marca_falha(fim_anterior_, instante);
  tem_anterior_ = true;
  fim_anterior_ = instante + passo_;

  Coluna& c = valores_[colunas_.coluna(instante)];
  const double baixo = std::min(antes, depois), alto = std::max(antes, depois);
  if (!c.tem_registros) {
    c = Coluna{true, c.falha, antes, baixo, alto, depois, antes <= depois};
    return;
  }
  if (baixo < c.minimo) {
    c.minimo = baixo;
    c.minimo_antes_do_maximo = false;
  }
  if (alto > c.maximo) {
    c.maximo = alto;
    c.minimo_antes_do_maximo = true;
  }
  c.ultimo = depois;
}

std::vector<CurvaDeMassa::Ponto> CurvaDeMassa::pontos() const {
  std::vector<Ponto> pontos;
  auto junta = [&](int coluna, double valor) {
    const std::size_t n = pontos.size();
    if (n > 0 && pontos[n - 1].coluna == coluna && pontos[n - 1].valor == valor) return;
    // A flat run needs only its two ends.
    if (n > 1 && pontos[n - 1].valor == valor && pontos[n - 2].valor == valor) {
      pontos[n - 1].coluna = coluna;
      return;
    }
    pontos.push_back({coluna, valor});
  };
  for (int i = 0; i < colunas_.quantidade(); ++i) {
    const Coluna& c = valores_[i];
    if (!c.tem_registros) continue;
    // Flat from the last column with records: the depth did not change there.
    if (!pontos.empty()) junta(i, pontos.back().valor);
    junta(i, c.primeiro);
    junta(i, c.minimo_antes_do_maximo ? c.minimo : c.maximo);
    junta(i, c.minimo_antes_do_maximo ? c.maximo : c.minimo);
    junta(i, c.ultimo);
  }
  return pontos;
}

// An even number of bins, so that they join two by two.
SomasNoTempo::SomasNoTempo(std::int64_t inicio, std::int64_t largura, int quantidade)
    : inicio_(inicio),
      largura_(largura > 0 ? largura : 1),
      somas_(static_cast<std::size_t>(quantidade < 2 ? 2 : quantidade + quantidade % 2), 0) {}

void SomasNoTempo::acrescenta(std::int64_t instante, double valor) {
  const std::size_t n = somas_.size();
  const std::int64_t depois_do_inicio = std::max<std::int64_t>(0, instante - inicio_);
  while (static_cast<std::size_t>(depois_do_inicio / largura_) >= n) {
    for (std::size_t b = 0; b < n; b += 2) somas_[b / 2] = somas_[b] + somas_[b + 1];
    std::fill(somas_.begin() + static_cast<std::ptrdiff_t>(n / 2), somas_.end(), 0.0);
    largura_ *= 2;
  }
  somas_[static_cast<std::size_t>(depois_do_inicio / largura_)] += valor;
}

void SomasNoTempo::acumula_em(CurvaDeMassa& curva, std::int64_t fim) const {
  double acumulado = 0;
  for (std::size_t b = 0; b < somas_.size(); ++b) {
    const std::int64_t instante = inicio_ + static_cast<std::int64_t>(b) * largura_;
    if (instante >= fim) break;
    curva.acrescenta(instante, acumulado, acumulado + somas_[b]);
    acumulado += somas_[b];
  }
}

Hietograma::Hietograma(std::int64_t inicio, std::int64_t fim, std::int64_t passo, int maximo)
    : colunas_(inicio, fim,
               static_cast<int>(std::min<std::int64_t>(maximo, std::max<std::int64_t>(1, (fim - inicio) / std::max<std::int64_t>(passo, 1))))),
      passo_(passo > 0 ? passo : 1),
      um_passo_((fim - inicio) / passo_ <= maximo),
      barras_(colunas_.quantidade(), 0),
      acumulados_(colunas_.quantidade(), -1) {}

void Hietograma::acrescenta(std::int64_t instante, double chuva, double acumulado) {
  const int c = colunas_.coluna(instante);
  barras_[c] = std::max(barras_[c], chuva);
  acumulados_[c] = acumulado;
}

}  // namespace rain::desenha
