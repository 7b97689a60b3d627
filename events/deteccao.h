// Event detection over a stream of records, shared by Fatia_Chuvadas (which
// writes each event's records to a file) and Resume_Chuvadas (which sums them
// up). The caller pushes records; an Ouvinte hears where each event starts,
// each record that joins the event's body, and where the event closes.
//
// An event starts at a record with tips. JANELA holds its latest N records,
// oldest first; a record that leaves JANELA joins the body (CORPO). The event
// closes when JANELA holds N records without tips, and its body is then the
// records from the first to the last with tips. Both sums are kept as records
// move, so the closing test costs the same whatever N is.
//
// Storms cut with a dry limit in millimetres follow another rule:
// events/tempestades.h.
#pragma once

#include <cstdint>
#include <deque>
#include <utility>

namespace rain::events {

// Ouvinte: any type with
//   void inicio(const Registro&);      the event's first record (it has tips)
//   void corpo(Registro&&);            a record joins the body, in order
//   void fim(std::int64_t basculacoes, bool corpo_vazio);  the event closed
// Registro: any type with whole members `basculacoes` (read inside an event)
// and `basculacoes_na_busca` (read while a start is looked for).
template <typename Registro, typename Ouvinte>
class DeteccaoDeEventos {
 public:
  DeteccaoDeEventos(std::int64_t n, Ouvinte& ouvinte) : n_(n), ouvinte_(ouvinte) {}

  bool aberto() const { return aberto_; }

  // The next record of the series.
  void acrescenta(Registro registro) {
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

  // A dry record past the end of the series; only counted, so that a long
  // window does not fill memory with them. It can never leave JANELA before
  // the event closes, since N of them close it.
  void acrescenta_apos_fim() {
    if (!aberto_) return;
    ++vazios_apos_fim_;
    esvazia_excesso();
    testa_fechamento();
  }

  // The end of the series: the open event closes as if dry records followed.
  void termina() {
    while (aberto_) acrescenta_apos_fim();
  }

 private:
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
      corpo_vazio_ = false;
      ouvinte_.corpo(std::move(mais_antigo));
      JANELA_.pop_front();
    }
  }

  void testa_fechamento() {
    if (contagem_janela() != n_ || soma_janela_ != 0) return;
    ouvinte_.fim(soma_corpo_, corpo_vazio_);
    JANELA_.clear();
    aberto_ = false;
    vazios_apos_fim_ = 0;
    soma_janela_ = 0;
    soma_corpo_ = 0;
    corpo_vazio_ = true;
  }

  std::int64_t n_;
  Ouvinte& ouvinte_;
  bool aberto_ = false;
  std::deque<Registro> JANELA_;
  std::int64_t vazios_apos_fim_ = 0;
  std::int64_t soma_janela_ = 0;
  std::int64_t soma_corpo_ = 0;
  bool corpo_vazio_ = true;
};

}  // namespace rain::events
