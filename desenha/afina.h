// Thinning a long record for drawing: a fixed number of pixel columns, each
// keeping what a curve drawn through it must show, so memory and the page stay
// the same size however long the record is.
#pragma once

#include <cstdint>
#include <vector>

namespace rain::desenha {

// The columns of a time span [inicio, fim), and which one an instant falls in
// (instants outside the span go to the nearest end column).
class Colunas {
 public:
  Colunas(std::int64_t inicio, std::int64_t fim, int quantidade);
  int quantidade() const { return quantidade_; }
  int coluna(std::int64_t instante) const;
  std::int64_t inicio() const { return inicio_; }
  std::int64_t fim() const { return fim_; }

 private:
  std::int64_t inicio_, fim_;
  int quantidade_;
};

// The mass curve of a record: for every column the accumulated depth at its
// first record's start, the lowest and highest depth reached in it (in the
// order they were reached) and the depth after its last record, so that no
// step's value is missed however many records share a column. Columns that
// hold time the series skipped are marked as gaps.
class CurvaDeMassa {
 public:
  struct Coluna {
    bool tem_registros = false;
    bool falha = false;
    double primeiro = 0, minimo = 0, maximo = 0, ultimo = 0;
    bool minimo_antes_do_maximo = true;
  };

  CurvaDeMassa(std::int64_t inicio, std::int64_t fim, int colunas, std::int64_t passo);

  // A record of the step [instante, instante + passo) that took the
  // accumulated depth from `antes` to `depois`.
  void acrescenta(std::int64_t instante, double antes, double depois);

  const Colunas& colunas() const { return colunas_; }
  const std::vector<Coluna>& valores() const { return valores_; }
  // The (column, depth) points of the drawn line, in drawing order; a column
  // without records keeps the depth of the column before it, so a gap is flat.
  struct Ponto {
    int coluna;
    double valor;
  };
  std::vector<Ponto> pontos() const;

 private:
  void marca_falha(std::int64_t de, std::int64_t ate);

  Colunas colunas_;
  std::int64_t passo_;
  std::vector<Coluna> valores_;
  bool tem_anterior_ = false;
  std::int64_t fim_anterior_ = 0;
};

// Values summed in bins of time, for a curve over a span not known while the
// values come: when an instant falls past the last bin, the bins are joined
// two by two and each covers twice the time. Memory stays fixed, and at least
// half the bins lie inside the span the values came from.
class SomasNoTempo {
 public:
  SomasNoTempo(std::int64_t inicio, std::int64_t largura, int quantidade);

  // A value at an instant at or after the start, in time order or not.
  void acrescenta(std::int64_t instante, double valor);

  // The running sum as a curve: each bin a step from its start, up to `fim`.
  void acumula_em(CurvaDeMassa& curva, std::int64_t fim) const;

  std::int64_t largura() const { return largura_; }

 private:
  std::int64_t inicio_, largura_;
  std::vector<double> somas_;
};

// A storm's hyetograph: the depth of each step as a bar, at most `maximo` bars;
// a longer storm shows in each bar its largest step, so the peak is never lost.
// The cumulative depth at each bar's end follows the bars.
class Hietograma {
 public:
  Hietograma(std::int64_t inicio, std::int64_t fim, std::int64_t passo, int maximo);

  void acrescenta(std::int64_t instante, double chuva, double acumulado);

  const Colunas& colunas() const { return colunas_; }
  // True when every bar is one step.
  bool um_passo_por_barra() const { return um_passo_; }
  const std::vector<double>& barras() const { return barras_; }
  const std::vector<double>& acumulados() const { return acumulados_; }
  std::int64_t passo() const { return passo_; }

 private:
  Colunas colunas_;
  std::int64_t passo_;
  bool um_passo_;
  std::vector<double> barras_;
  std::vector<double> acumulados_;
};

}  // namespace rain::desenha
