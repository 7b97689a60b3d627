#include "resume/resumo.h"

#include <cmath>
#include <deque>
#include <limits>
#include <variant>
#include <vector>

#include "common/failure.h"
#include "common/instante.h"
#include "common/numbers.h"
#include "common/series_record.h"
#include "common/text.h"
#include "events/deteccao.h"
#include "events/tempestades.h"
#include "resume/centesimos.h"
#include "resume/erosividade.h"

namespace rain::resume {
namespace {

// A record as the event detection sees it: its place in the series and tips.
struct RegistroDetectado {
  std::int64_t indice = 0;
  std::int32_t basculacoes = 0;
  std::int32_t basculacoes_na_busca = 0;
};

// What the sliding windows need to know of a recent record.
struct Recente {
  std::int64_t acumulado = 0;  // tips from the first record to this one, inclusive
  // Records from the first to this one, inclusive, whose step lies in an
  // outage or right after one.
  std::int64_t em_falhas = 0;
  Instante inicio = 0;
  std::int32_t basculacoes = 0;
  int ano = 0;
};

std::string linha_do_texto(std::int64_t numero_da_linha) { return std::to_string(numero_da_linha); }

// The deepest window of one duration so far.
struct Melhor {
  std::int64_t basculacoes = 0;
  std::int64_t registro_inicio = -1;
  Instante inicio = 0;

  void considera(std::int64_t soma, std::int64_t registro, Instante instante, bool mesmo_sem_chuva) {
    if (soma > basculacoes || (mesmo_sem_chuva && registro_inicio < 0)) {
      basculacoes = soma;
      registro_inicio = registro;
      inicio = instante;
    }
  }
};

MaximoDaJanela maximo(const Melhor& melhor, bool calculavel, int minutos, double precisao) {
  MaximoDaJanela m;
  m.calculavel = calculavel;
  if (!calculavel) return m;
  m.basculacoes = melhor.basculacoes;
  m.chuva_mm = static_cast<double>(melhor.basculacoes) * precisao;
  m.intensidade_mm_h = m.chuva_mm * 60 / minutos;
  if (melhor.basculacoes != 0) {
    m.registro_inicio = melhor.registro_inicio;
    m.inicio = melhor.inicio;
  }
  return m;
}

// An event whose row is not finished: it is still open, or some of its windows
// still wait for records.
struct EventoEmCurso {
  std::int64_t primeiro = 0;
  std::int64_t corpo_ate = -1;  // last record known to belong to it
  bool fechado = false;
  bool mantido = false;
  double energia = 0;
  LinhaDeEvento linha;
  // Next window start to look at, per duration of kDuracoesDoEvento.
  std::array<std::int64_t, kDuracoesDoEvento.size()> proximo{};
  std::array<Melhor, kDuracoesDoEvento.size()> melhor{};
};

// A calendar year whose rows are not written yet.
struct AnoEmCurso {
  int ano = 0;
  std::int64_t registros = 0;
  std::int64_t registros_validos = 0;  // outside every outage
  std::int64_t ultimo = -1;  // its last record
  std::array<Melhor, kDuracoesAnuais.size()> melhor{};
};

}  // namespace

std::int64_t registros_da_duracao(int minutos, std::int64_t passo_s) {
  const std::int64_t segundos = std::int64_t{minutos} * 60;
  return passo_s > 0 && segundos % passo_s == 0 ? segundos / passo_s : 0;
}

Registro le_registro(std::string_view texto, std::int64_t numero_da_linha) {
  // Split at blanks and tabs, as the event separation reads an event.
  const RecordFields campos = first_record_fields(texto, record_blanks_or_tabs());
  const std::optional<Instante> inicio =
      campos.count >= 2 ? instante_da_serie(campos.time, campos.date) : std::nullopt;
  if (!inicio) {
    throw Failure("Erro: data ou hora invalida na linha " + linha_do_texto(numero_da_linha) +
                      " do arquivo de entrada.",
                  1);
  }
  Registro r;
  r.linha = numero_da_linha;
  r.inicio = *inicio;
  r.basculacoes = whole_int16(campos.tips).value_or(0);
  // Only a tab can make the reading of a start differ from that of an event.
  r.basculacoes_na_busca =
      texto.find('\t') == std::string_view::npos ? r.basculacoes : record_tips(texto, record_blanks());
  return r;
}

class Resumo::Estado {
 public:
  Estado(const ParametrosDoResumo& p, AoEvento ao_evento, AMaxima a_maxima)
      : p_(p),
        ao_evento_(std::move(ao_evento)),
        a_maxima_(std::move(a_maxima)),
        erosividade_(p.precisao, p.passo_s, p.completude_minima),
        deteccao_(deteccao(p, *this)) {
    std::int64_t maior = 1;
    for (std::size_t k = 0; k < kDuracoesDoEvento.size(); ++k) {
      registros_do_evento_[k] = registros_da_duracao(kDuracoesDoEvento[k], p.passo_s);
      maior = std::max(maior, registros_do_evento_[k]);
    }
    for (std::size_t k = 0; k < kDuracoesAnuais.size(); ++k) {
      registros_anuais_[k] = registros_da_duracao(kDuracoesAnuais[k], p.passo_s);
      maior = std::max(maior, registros_anuais_[k]);
      if (registros_anuais_[k] > 0) maior_janela_anual_ = std::max(maior_janela_anual_, registros_anuais_[k]);
    }
    // The records still looked at: up to 2N after an event's last record
    // before the storm rule knows it is the last, and the longest window
    // before that record.
    std::int64_t capacidade = 64;
    while (capacidade < 2 * p.janela + maior + 8) capacidade *= 2;
    mascara_ = capacidade - 1;
  }

  void acrescenta(const Registro& r) {
    if (n_ > 0 && r.inicio < ultimo_instante_) {
      throw Failure("Erro: registro fora da ordem do tempo na linha " + linha_do_texto(r.linha) +
                        " do arquivo de entrada.",
                    1);
    }
    const StepInOutage passo =
        p_.falhas.empty() ? StepInOutage::kClear : p_.falhas.classify(r.inicio, p_.passo_s);
    const std::int64_t j = n_;
    acumulado_ += r.basculacoes;
    em_falhas_ += passo != StepInOutage::kClear;
    guarda(j, Recente{acumulado_, em_falhas_, r.inicio, r.basculacoes, ano_do_instante(r.inicio)});
    ++n_;
    ultimo_instante_ = r.inicio;
    totais_.registros = n_;
    totais_.basculacoes = acumulado_;
    const bool em_falha = passo == StepInOutage::kInOutage;
    conta_no_ano(recente(j).ano, j, em_falha);
    erosividade_.registro(r.inicio, r.basculacoes, em_falha);
    avalia_janelas_anuais_que_terminam_em(j);
    std::visit([&](auto& d) { d.acrescenta(RegistroDetectado{j, r.basculacoes, r.basculacoes_na_busca}); },
               deteccao_);
    avanca_eventos();
    entrega_anos(false);
  }

  void termina() {
    std::visit([](auto& d) { d.termina(); }, deteccao_);
    // Windows that run past the end count the records they hold.
    for (std::size_t k = 0; k < kDuracoesAnuais.size(); ++k) {
      const std::int64_t r = registros_anuais_[k];
      if (r == 0) continue;
      for (std::int64_t i = std::max<std::int64_t>(0, n_ - r + 1); i < n_; ++i) considera_anual(k, i);
    }
    avanca_eventos();
    entrega_anos(true);
  }

  const TotaisDoResumo& totais() const { return totais_; }
  const Erosividade& erosividade() const { return erosividade_; }

  // What the event detection tells.
  void inicio(const RegistroDetectado& primeiro) {
    EventoEmCurso e;
    e.primeiro = primeiro.indice;
    e.proximo.fill(primeiro.indice);
    e.linha.inicio = recente(primeiro.indice).inicio;
    e.linha.primeiro_registro = primeiro.indice;
    em_curso_.push_back(e);
  }

  void corpo(RegistroDetectado&& registro) {
    EventoEmCurso& e = em_curso_.back();
    e.corpo_ate = registro.indice;
    if (em_falha(registro.indice)) e.linha.falha = true;
    if (registro.basculacoes == 0) return;
    const double chuva = registro.basculacoes * p_.precisao;
    e.energia += energia_unitaria(p_.energia, chuva * 3600 / static_cast<double>(p_.passo_s)) * chuva;
  }

  void fim(std::int64_t basculacoes, bool corpo_vazio) {
    // Negative tip counts can close an event before it has a body: nothing to
    // tell, as Fatia_Chuvadas writes nothing for it.
    if (corpo_vazio) {
      em_curso_.pop_back();
      return;
    }
    EventoEmCurso& e = em_curso_.back();
    LinhaDeEvento& l = e.linha;
    e.fechado = true;
    l.ultimo_registro = e.corpo_ate;
    l.basculacoes = basculacoes;
    l.chuva_mm = static_cast<double>(basculacoes) * p_.precisao;
    l.fim = recente(e.corpo_ate).inicio + p_.passo_s;
    l.duracao_h = static_cast<double>(l.fim - l.inicio) / 3600;
    if (fim_anterior_) l.seco_antes_h = static_cast<double>(l.inicio - *fim_anterior_) / 3600;
    fim_anterior_ = l.fim;
    ++totais_.eventos_encontrados;
    // The same test as Fatia_Chuvadas, so both keep the same events.
    e.mantido = p_.minimo < l.chuva_mm;
    if (e.mantido) l.evento = ++totais_.eventos_mantidos;
  }

 private:
  using Eventos = events::DeteccaoDeEventos<RegistroDetectado, Estado>;
  using Tempestades = events::DeteccaoDeTempestades<RegistroDetectado, Estado>;
  using Deteccao = std::variant<Eventos, Tempestades>;

  static Deteccao deteccao(const ParametrosDoResumo& p, Estado& ouvinte) {
    if (p.limite_seco > 0) {
      return Deteccao(std::in_place_type<Tempestades>, p.janela, events::LimiteSeco{p.precisao, p.limite_seco}, ouvinte);
    }
    return Deteccao(std::in_place_type<Eventos>, p.janela, ouvinte);
  }

  Recente& recente(std::int64_t indice) { return janela_[static_cast<std::size_t>(indice & mascara_)]; }

  void guarda(std::int64_t indice, const Recente& r) {
    // The ring grows with the series up to its size, so a short series or a
    // long window costs only what is used.
    if (static_cast<std::int64_t>(janela_.size()) <= mascara_ && indice == static_cast<std::int64_t>(janela_.size())) {
      janela_.push_back(r);
    } else {
      recente(indice) = r;
    }
  }

  // Tips from record `de` to record `ate`, inclusive; `ate` is cut at the end of
  // the series.
  std::int64_t soma(std::int64_t de, std::int64_t ate) {
    ate = std::min(ate, n_ - 1);
    return recente(ate).acumulado - (de > 0 ? recente(de - 1).acumulado : 0);
  }

  // Whether a record from `de` to `ate` lies in an outage or right after one.
  bool toca_falha(std::int64_t de, std::int64_t ate) {
    ate = std::min(ate, n_ - 1);
    return recente(ate).em_falhas != (de > 0 ? recente(de - 1).em_falhas : 0);
  }
  bool em_falha(std::int64_t indice) { return toca_falha(indice, indice); }

  int ano_do_instante(Instante instante) {
    const std::int64_t dia = instante >= 0 ? instante / kSegundosDoDia : (instante - kSegundosDoDia + 1) / kSegundosDoDia;
    if (dia != dia_do_ano_guardado_) {
      dia_do_ano_guardado_ = dia;
      ano_guardado_ = ano_de(instante);
    }
    return ano_guardado_;
  }

  void conta_no_ano(int ano, std::int64_t j, bool em_falha) {
    if (anos_.empty() || anos_.back().ano < ano) {
      // A calendar year inside the record without any record of its own still
      // gets its rows, so the gap shows.
      for (int a = anos_.empty() ? ano : anos_.back().ano + 1; a < ano; ++a) {
        AnoEmCurso vazio;
        vazio.ano = a;
        vazio.ultimo = anos_.back().ultimo;
        anos_.push_back(vazio);
      }
      AnoEmCurso novo;
      novo.ano = ano;
      anos_.push_back(novo);
    }
    ++anos_.back().registros;
    if (!em_falha) ++anos_.back().registros_validos;
    anos_.back().ultimo = j;
  }

  AnoEmCurso& ano_em_curso(int ano) {
    for (auto it = anos_.rbegin(); it != anos_.rend(); ++it) {
      if (it->ano == ano) return *it;
    }
    return anos_.back();  // not reached: a year leaves only after its windows
  }

  // A window of a year's maxima starts at a record with tips and takes no
  // rain from an outage: a window starting dry is never deeper than the one
  // starting at its first tip, and one started in December by January's rain
  // would give that rain to the wrong year.
  void considera_anual(std::size_t k, std::int64_t i) {
    const Recente& primeiro = recente(i);
    if (primeiro.basculacoes == 0) return;
    const std::int64_t ate = i + registros_anuais_[k] - 1;
    if (em_falhas_ != 0 && toca_falha(i, ate)) return;
    ano_em_curso(primeiro.ano).melhor[k].considera(soma(i, ate), i, primeiro.inicio, false);
  }

  void avalia_janelas_anuais_que_terminam_em(std::int64_t j) {
    for (std::size_t k = 0; k < kDuracoesAnuais.size(); ++k) {
      const std::int64_t r = registros_anuais_[k];
      if (r == 0 || j - r + 1 < 0) continue;
      considera_anual(k, j - r + 1);
    }
  }

  // A year's rows go out once every window that starts in it has been looked
  // at: up to the longest window past its last record.
  void entrega_anos(bool fim_da_serie) {
    while (!anos_.empty()) {
      const AnoEmCurso& a = anos_.front();
      const bool completo = fim_da_serie || (anos_.size() > 1 && n_ - 1 >= a.ultimo + maior_janela_anual_ - 1);
      if (!completo) return;
      for (std::size_t k = 0; k < kDuracoesAnuais.size(); ++k) {
        if (registros_anuais_[k] == 0) continue;
        LinhaDeMaxima m;
        m.ano = a.ano;
        m.duracao_min = kDuracoesAnuais[k];
        m.registros = a.registros;
        m.registros_validos = a.registros_validos;
        m.completude_pct = completude_pct(a.registros_validos, passos_do_ano(a.ano, p_.passo_s));
        m.maximo = maximo(a.melhor[k], a.registros > 0, kDuracoesAnuais[k], p_.precisao);
        if (a_maxima_) a_maxima_(m);
      }
      anos_.pop_front();
    }
  }

  // Looks at the windows of every unfinished event that have all their
  // records, then hands out the events that have nothing left to wait for,
  // in order. A window holds the event's own records only, so once the event
  // has closed every window is whole.
  void avanca_eventos() {
    for (EventoEmCurso& e : em_curso_) {
      for (std::size_t k = 0; k < kDuracoesDoEvento.size(); ++k) {
        const std::int64_t r = registros_do_evento_[k];
        if (r == 0) continue;
        while (e.proximo[k] <= e.corpo_ate && (e.fechado || e.proximo[k] + r - 1 <= e.corpo_ate)) {
          const std::int64_t i = e.proximo[k]++;
          // The deepest window always has one that starts at its first tip.
          if (recente(i).basculacoes == 0) continue;
          e.melhor[k].considera(soma(i, std::min(i + r - 1, e.corpo_ate)), i, recente(i).inicio, true);
        }
      }
    }
    while (!em_curso_.empty() && termino(em_curso_.front())) {
      if (em_curso_.front().mantido) entrega(em_curso_.front());
      em_curso_.pop_front();
    }
  }

  bool termino(const EventoEmCurso& e) const {
    if (!e.fechado) return false;
    for (std::size_t k = 0; k < kDuracoesDoEvento.size(); ++k) {
      if (registros_do_evento_[k] != 0 && e.proximo[k] <= e.corpo_ate) return false;
    }
    return true;
  }

  void entrega(EventoEmCurso& e) {
    LinhaDeEvento& l = e.linha;
    if (l.falha) {
      // Rain of an outage lies in the event: no figure of a step holds.
      ++totais_.eventos_com_falha;
    } else {
      for (std::size_t k = 0; k < kDuracoesDoEvento.size(); ++k) {
        l.intensidades[k] = maximo(e.melhor[k], registros_do_evento_[k] != 0, kDuracoesDoEvento[k], p_.precisao);
        // An event's window starts inside it even when its depth is 0.
        if (l.intensidades[k].calculavel) {
          l.intensidades[k].registro_inicio = e.melhor[k].registro_inicio;
          l.intensidades[k].inicio = e.melhor[k].inicio;
        }
      }
      const MaximoDaJanela& i15 = l.intensidades[2];
      const MaximoDaJanela& i30 = l.intensidades[3];
      l.energia_mj_ha = e.energia;
      if (i30.calculavel) l.ei30_mj_mm_ha_h = e.energia * i30.intensidade_mm_h;
      l.erosiva = centesimos(l.chuva_mm) >= 1270 || (i15.calculavel && centesimos(i15.chuva_mm) >= 635);
    }
    erosividade_.evento(l);
    if (ao_evento_) ao_evento_(l);
  }

  ParametrosDoResumo p_;
  AoEvento ao_evento_;
  AMaxima a_maxima_;
  Erosividade erosividade_;
  Deteccao deteccao_;
  std::array<std::int64_t, kDuracoesDoEvento.size()> registros_do_evento_{};
  std::array<std::int64_t, kDuracoesAnuais.size()> registros_anuais_{};
  std::int64_t maior_janela_anual_ = 1;
  std::vector<Recente> janela_;
  std::int64_t mascara_ = 0;
  std::int64_t n_ = 0;
  std::int64_t acumulado_ = 0;
  std::int64_t em_falhas_ = 0;
  Instante ultimo_instante_ = 0;
  std::int64_t dia_do_ano_guardado_ = std::numeric_limits<std::int64_t>::min();
  int ano_guardado_ = 0;
  std::deque<EventoEmCurso> em_curso_;
  std::deque<AnoEmCurso> anos_;
  std::optional<Instante> fim_anterior_;
  TotaisDoResumo totais_;
};

Resumo::Resumo(const ParametrosDoResumo& parametros, AoEvento ao_evento, AMaxima a_maxima) {
  // A window below one record would never close an event as it should.
  if (parametros.janela < 1) throw Failure("Erro: periodo invalido para o intervalo utilizado.", 1);
  if (parametros.passo_s < 1) throw Failure("Erro: intervalo invalido.", 1);
  estado_ = std::make_unique<Estado>(parametros, std::move(ao_evento), std::move(a_maxima));
}

Resumo::~Resumo() = default;

void Resumo::acrescenta(const Registro& registro) { estado_->acrescenta(registro); }

void Resumo::termina() { estado_->termina(); }

const TotaisDoResumo& Resumo::totais() const { return estado_->totais(); }

const Erosividade& Resumo::erosividade() const { return estado_->erosividade(); }

}  // namespace rain::resume
