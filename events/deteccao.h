// Event detection over a stream of records, shared by Fatia_Chuvadas (which
// writes each event's records to a file) and Resume_Chuvadas (which sums them
// up). The caller pushes records; an Ouvinte hears where each event starts,
// each record that joins the event's body, and where the event closes.
//
// An event starts at a record with tips. JANELA holds its latest N records,
// oldest first; a record that leaves JANELA joins the body (CORPO). The event
// closes when JANELA holds N records and that stretch is dry, and its body is
// then the records from the first to the last with tips. Both sums are kept as
// records move, so the closing test costs the same whatever N is.
#pragma once

#include <cstdint>
#include <deque>
#include <iterator>
#include <utility>

namespace rain::events {

// When a stretch of N records counts as dry: when it holds no tip, or when its
// depth is less than the dry limit. A limit of 0 leaves only the first rule.
struct RegraDeSeco {
  double precisao = 0;     // mm per bucket tip
  double limite_seco = 0;  // mm

  bool com_limite() const { return limite_seco > 0; }
  bool seco(std::int64_t basculacoes) const {
    if (basculacoes == 0) return true;
    // A depth equal to the limit, such as 5 tips of 0.254 mm against 1.27 mm,
    // must not count as less because of the last bit of a product.
    return com_limite() && static_cast<double>(basculacoes) * precisao < limite_seco - 1e-9;
  }
};

// Ouvinte: any type with
//   void inicio(const Registro&);      the event's first record (it has tips)
//   void corpo(Registro&&);            a record joins the body, in order
//   void fim(std::int64_t basculacoes, bool corpo_vazio);  the event closed
// Registro: any type with whole members `basculacoes` (read inside an event)
// and `basculacoes_na_busca` (read while a start is looked for).
template <typename Registro, typename Ouvinte>
class DeteccaoDeEventos {
 public:
  DeteccaoDeEventos(std::int64_t n, RegraDeSeco regra, Ouvinte& ouvinte) : n_(n), regra_(regra), ouvinte_(ouvinte) {}

  bool aberto() const { return aberto_; }

  // The next record of the series.
  void acrescenta(Registro registro) {
    processa(std::move(registro));
    rever();
  }

  // A dry record past the end of the series; only counted, so that a long
  // window does not fill memory with them. It can never leave JANELA before
  // the event closes, since N of them close it.
  void acrescenta_apos_fim() {
    if (!aberto_) return;
    ++vazios_apos_fim_;
    esvazia_excesso();
    testa_fechamento();
    rever();
  }

  // The end of the series: the open event closes as if dry records followed.
  void termina() {
    while (aberto_) acrescenta_apos_fim();
  }

 private:
  // With a dry limit the stretch that closed an event may hold tips: they
  // belong to the next event, so its records are looked at again, in order.
  void rever() {
    while (!a_rever_.empty()) {
      Registro proximo = std::move(a_rever_.front());
      a_rever_.pop_front();
      processa(std::move(proximo));
    }
  }

  void processa(Registro registro) {
    if (!aberto_) {
      if (registro.basculacoes_na_busca == 0) return;
      abre(std::move(registro));
      return;
    }
    soma_janela_ += registro.basculacoes;
    JANELA_.push_back(std::move(registro));
    esvazia_excesso();
    testa_fechamento();
  }

  void abre(Registro registro) {
    aberto_ = true;
    ouvinte_.inicio(registro);
    soma_janela_ = registro.basculacoes;
    JANELA_.push_back(std::move(registro));
    testa_fechamento();
  }

  std::int64_t contagem_janela() const { return static_cast<std::int64_t>(JANELA_.size()) + vazios_apos_fim_; }

  void esvazia_excesso() {
    while (contagem_janela() > n_ && !JANELA_.empty()) {
      Registro& mais_antigo = JANELA_.front();
      soma_janela_ -= mais_antigo.basculacoes;
      soma_corpo_ += mais_antigo.basculacoes;
      ultimo_do_corpo_com_basculacoes_ = mais_antigo.basculacoes != 0;
      corpo_vazio_ = false;
      ouvinte_.corpo(std::move(mais_antigo));
      JANELA_.pop_front();
    }
  }

  bool fechado() const {
    if (contagem_janela() != n_ || !regra_.seco(soma_janela_)) return false;
    // With a dry limit an event ends at a record with tips only: a dry stretch
    // that follows a record without tips is looked at again one record later.
    return !regra_.com_limite() || ultimo_do_corpo_com_basculacoes_;
  }

  void testa_fechamento() {
    if (!fechado()) return;
    ouvinte_.fim(soma_corpo_, corpo_vazio_);
    // The stretch came before whatever is still waiting to be looked at again.
    if (regra_.com_limite()) {
      a_rever_.insert(a_rever_.begin(), std::make_move_iterator(JANELA_.begin()), std::make_move_iterator(JANELA_.end()));
    }
    JANELA_.clear();
    aberto_ = false;
    vazios_apos_fim_ = 0;
    soma_janela_ = 0;
    soma_corpo_ = 0;
    corpo_vazio_ = true;
    ultimo_do_corpo_com_basculacoes_ = false;
  }

  std::int64_t n_;
  RegraDeSeco regra_;
  Ouvinte& ouvinte_;
  bool aberto_ = false;
  std::deque<Registro> JANELA_;
  std::int64_t vazios_apos_fim_ = 0;
  std::int64_t soma_janela_ = 0;
  std::int64_t soma_corpo_ = 0;
  bool corpo_vazio_ = true;
  bool ultimo_do_corpo_com_basculacoes_ = false;
  std::deque<Registro> a_rever_;
};

}  // namespace rain::events
