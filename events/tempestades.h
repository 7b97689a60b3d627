// Storms as erosivity studies cut them: a storm goes on while rain follows
// within N records, and ends only where the N records after its rain hold
// less than a dry limit in millimetres (1.27 mm in six hours, the erosivity
// rule). The rain of that thin stretch is the storm's tail, not a storm of its
// own, unless it is itself followed by the limit: then it opens the next
// storm.
//
// In full, for a limit L above 0 and the records numbered in order: a storm
// starts at a record with tips and goes on through each record with tips r
// while the N records after r hold at least L. At the first r whose N
// following records hold less, those N records are the dividing period. Each
// record with tips in it joins the storm, unless the N records after it hold
// at least L: then it starts the next storm, and this one ends at its record
// with tips before it. When nothing in the period starts new rain, the storm
// ends at its last record with tips there, and the next storm starts at the
// first record with tips after the period.
//
// The records are pushed one by one; a record is decided once the N records
// after the records it depends on are in, so at most 2N + 1 records wait.
// The Ouvinte hears the same calls as that of DeteccaoDeEventos
// (events/deteccao.h): inicio, corpo for each record from the storm's first to
// its last record with tips, and fim.
#pragma once

#include <cstdint>
#include <deque>
#include <utility>

namespace rain::events {

// Whether the tips of a stretch hold at least the dry limit.
struct LimiteSeco {
  double precisao = 0;  // mm per bucket tip
  double limite = 0;    // mm, above 0

  bool alcancado(std::int64_t basculacoes) const {
    // A depth equal to the limit, such as 5 tips of 0.254 mm against 1.27 mm,
    // must not count as less because of the last bit of a product; a stretch
    // without rain never reaches a limit, however small.
    return basculacoes > 0 && !(static_cast<double>(basculacoes) * precisao < limite - 1e-9);
  }
};

template <typename Registro, typename Ouvinte>
class DeteccaoDeTempestades {
 public:
  DeteccaoDeTempestades(std::int64_t n, LimiteSeco limite, Ouvinte& ouvinte)
      : n_(n), limite_(limite), ouvinte_(ouvinte) {}

  // The next record of the series.
  void acrescenta(Registro registro) {
    acumulado_ += registro.basculacoes;
    fila_.push_back(Guardado{std::move(registro), acumulado_});
    ++recebidos_;
    decide();
  }

  // The end of the series: the records after it count as dry, so every
  // record left can be decided.
  void termina() {
    fim_da_serie_ = true;
    decide();
  }

 private:
  struct Guardado {
    Registro registro;
    std::int64_t acumulado;  // tips from the first record of the series up to this one
  };

  Guardado& em(std::int64_t posicao) { return fila_[static_cast<std::size_t>(posicao - base_)]; }
  bool com_chuva(std::int64_t posicao) { return em(posicao).registro.basculacoes != 0; }

  // Whether the N records after `posicao` are all in (or the series ended).
  bool seguintes_conhecidos(std::int64_t posicao) const { return fim_da_serie_ || posicao + n_ < recebidos_; }

  // Whether the N records after `posicao` hold at least the limit.
  bool seguida_de_chuva(std::int64_t posicao) {
    const std::int64_t ate = std::min(posicao + n_, recebidos_ - 1);
    return limite_.alcancado(em(ate).acumulado - em(posicao).acumulado);
  }

  void decide() {
    for (;;) {
      if (!aberta_) {
        while (cursor_ < recebidos_ && !com_chuva(cursor_)) ++cursor_;
        descarta_ate(cursor_);
        if (cursor_ >= recebidos_) return;
        abre(cursor_);
        continue;
      }
      if (fim_do_periodo_ < 0) {
        // The storm's latest rain: rain within the limit goes on with it.
        if (!seguintes_conhecidos(ultimo_)) return;
        if (seguida_de_chuva(ultimo_)) {
          std::int64_t proximo = ultimo_ + 1;
          while (!com_chuva(proximo)) ++proximo;
          junta_ate(proximo);
          continue;
        }
        fim_do_periodo_ = ultimo_ + n_;
        cursor_ = ultimo_ + 1;
      }
      // The dividing period: its rain is the storm's tail unless rain follows it.
      for (; cursor_ <= fim_do_periodo_ && cursor_ < recebidos_; ++cursor_) {
        if (!com_chuva(cursor_)) continue;
        if (!seguintes_conhecidos(cursor_)) return;
        if (seguida_de_chuva(cursor_)) break;
        junta_ate(cursor_);
      }
      if (cursor_ <= fim_do_periodo_ && cursor_ < recebidos_) {
        fecha();
        abre(cursor_);
        continue;
      }
      if (cursor_ <= fim_do_periodo_ && !fim_da_serie_) return;
      fecha();
      cursor_ = fim_do_periodo_ + 1;
    }
  }

  void abre(std::int64_t posicao) {
    aberta_ = true;
    fim_do_periodo_ = -1;
    ultimo_ = posicao;
    basculacoes_ = 0;
    ouvinte_.inicio(em(posicao).registro);
    entrega(posicao);
    descarta_ate(posicao);
  }

  // The records after the storm's last record with tips up to `posicao` join it.
  void junta_ate(std::int64_t posicao) {
    for (std::int64_t p = ultimo_ + 1; p <= posicao; ++p) entrega(p);
    ultimo_ = posicao;
    descarta_ate(posicao);
  }

  void entrega(std::int64_t posicao) {
    basculacoes_ += em(posicao).registro.basculacoes;
    ouvinte_.corpo(std::move(em(posicao).registro));
  }

  void fecha() {
    aberta_ = false;
    ouvinte_.fim(basculacoes_, false);
  }

  // Records before `posicao` are no longer looked at: the storm's last record
  // with tips is kept for the sums that start after it.
  void descarta_ate(std::int64_t posicao) {
    while (base_ < posicao && !fila_.empty()) {
      fila_.pop_front();
      ++base_;
    }
  }

  std::int64_t n_;
  LimiteSeco limite_;
  Ouvinte& ouvinte_;
  std::deque<Guardado> fila_;
  std::int64_t base_ = 0;       // position of fila_.front() in the series
  std::int64_t recebidos_ = 0;  // records pushed so far
  std::int64_t acumulado_ = 0;
  bool fim_da_serie_ = false;
  bool aberta_ = false;
  std::int64_t ultimo_ = 0;           // the open storm's last record with tips
  std::int64_t fim_do_periodo_ = -1;  // last record of its dividing period, -1 before it has one
  std::int64_t cursor_ = 0;           // next record to look at
  std::int64_t basculacoes_ = 0;      // tips of the open storm
};

}  // namespace rain::events
