#include "resume/resumo.h"

#include <cmath>
#include <deque>
#include <limits>
#include <vector>

#include "common/failure.h"
#include "common/numbers.h"
#include "common/text.h"
#include "events/basculacoes.h"
#include "events/deteccao.h"

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
  Instante inicio = 0;
  int ano = 0;
};

// Unit rainfall energy of the RUSLE2, MJ/(ha mm), at an intensity in mm/h.
double energia_unitaria(double intensidade_mm_h) { return 0.29 * (1 - 0.72 * std::exp(-0.082 * intensidade_mm_h)); }

// Records in a window of `minutos`, or 0 when that is not a whole number of steps.
std::int64_t registros_da_duracao(int minutos, std::int64_t passo_s) {
  const std::int64_t segundos = std::int64_t{minutos} * 60;
  return segundos % passo_s == 0 ? segundos / passo_s : 0;
}

// Hundredths as the tables show them, so that a flag agrees with its figure.
long long centesimos(double valor) { return std::llround(valor * 100); }

std::string linha_do_texto(std::int64_t numero_da_linha) { return std::to_string(numero_da_linha); }

// The first four words of a record split at blanks and tabs.
int quatro_palavras(std::string_view texto, std::string_view* palavras) {
  int n = 0;
  std::size_t i = 0;
  while (n < 4) {
    while (i < texto.size() && (texto[i] == ' ' || texto[i] == '\t')) ++i;
    if (i == texto.size()) break;
    const std::size_t inicio = i;
    while (i < texto.size() && texto[i] != ' ' && texto[i] != '\t') ++i;
    palavras[n++] = texto.substr(inicio, i - inicio);
  }
  return n;
}

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
  LinhaDeEvento linha;
  // Next window start to look at, per duration of kDuracoesDoEvento.
  std::array<std::int64_t, kDuracoesDoEvento.size()> proximo{};
  std::array<Melhor, kDuracoesDoEvento.size()> melhor{};
};

// A calendar year whose rows are not written yet.
struct AnoEmCurso {
  int ano = 0;
  std::int64_t registros = 0;
  std::int64_t ultimo = -1;  // its last record
  std::array<Melhor, kDuracoesAnuais.size()> melhor{};
};

}  // namespace

Registro le_registro(std::string_view texto, std::int64_t numero_da_linha) {
  std::string_view palavras[4];
  const int n = quatro_palavras(texto, palavras);
  const std::optional<Instante> inicio = n >= 2 ? instante_da_serie(palavras[0], palavras[1]) : std::nullopt;
  if (!inicio) {
    throw Failure("Erro: data ou hora invalida na linha " + linha_do_texto(numero_da_linha) +
                      " do arquivo de entrada.",
                  1);
  }
  Registro r;
  r.linha = numero_da_linha;
  r.inicio = *inicio;
  r.basculacoes = n == 4 ? whole_int16(palavras[3]).value_or(0) : 0;
  // Only a tab can make the reading of a start differ from that of an event.
  r.basculacoes_na_busca = texto.find('\t') == std::string_view::npos ? r.basculacoes : events::basculacoes_na_busca(texto);
  return r;
}

class Resumo::Estado {
 public:
  Estado(const ParametrosDoResumo& p, AoEvento ao_evento, AMaxima a_maxima)
      : p_(p),
        ao_evento_(std::move(ao_evento)),
        a_maxima_(std::move(a_maxima)),
        deteccao_(p.janela, events::RegraDeSeco{p.precisao, p.limite_seco}, *this) {
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
    // The records still looked at: the event's stretch of N, the longest
    // window, and the stretch looked at again after an event with a dry limit.
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
    const std::int64_t j = n_;
    acumulado_ += r.basculacoes;
    guarda(j, Recente{acumulado_, r.inicio, ano_do_instante(r.inicio)});
    ++n_;
    ultimo_instante_ = r.inicio;
    totais_.registros = n_;
    totais_.basculacoes = acumulado_;
    conta_no_ano(recente(j).ano, j);
    avalia_janelas_anuais_que_terminam_em(j);
    deteccao_.acrescenta(RegistroDetectado{j, r.basculacoes, r.basculacoes_na_busca});
    avanca_eventos(false);
    entrega_anos(false);
  }

  void termina() {
    deteccao_.termina();
    // Windows that run past the end count the records they hold.
    for (std::size_t k = 0; k < kDuracoesAnuais.size(); ++k) {
      const std::int64_t r = registros_anuais_[k];
      if (r == 0) continue;
      for (std::int64_t i = std::max<std::int64_t>(0, n_ - r + 1); i < n_; ++i) considera_anual(k, i);
    }
    avanca_eventos(true);
    entrega_anos(true);
  }

  const TotaisDoResumo& totais() const { return totais_; }

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
    if (registro.basculacoes == 0) return;
    const double chuva = registro.basculacoes * p_.precisao;
    e.linha.energia_mj_ha += energia_unitaria(chuva * 3600 / static_cast<double>(p_.passo_s)) * chuva;
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

  int ano_do_instante(Instante instante) {
    const std::int64_t dia = instante >= 0 ? instante / 86400 : (instante - 86399) / 86400;
    if (dia != dia_do_ano_guardado_) {
      dia_do_ano_guardado_ = dia;
      ano_guardado_ = ano_de(instante);
    }
    return ano_guardado_;
  }

  void conta_no_ano(int ano, std::int64_t j) {
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
    anos_.back().ultimo = j;
  }

  AnoEmCurso& ano_em_curso(int ano) {
    for (auto it = anos_.rbegin(); it != anos_.rend(); ++it) {
      if (it->ano == ano) return *it;
    }
    return anos_.back();  // not reached: a year leaves only after its windows
  }

  void considera_anual(std::size_t k, std::int64_t i) {
    const Recente& primeiro = recente(i);
    ano_em_curso(primeiro.ano).melhor[k].considera(soma(i, i + registros_anuais_[k] - 1), i, primeiro.inicio, false);
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
        m.maximo = maximo(a.melhor[k], a.registros > 0, kDuracoesAnuais[k], p_.precisao);
        if (a_maxima_) a_maxima_(m);
      }
      anos_.pop_front();
    }
  }

  // Looks at the windows of every unfinished event that have all their records
  // (or, at the end of the series, all that remain), then hands out the
  // events that have nothing left to wait for, in order.
  void avanca_eventos(bool fim_da_serie) {
    for (EventoEmCurso& e : em_curso_) {
      for (std::size_t k = 0; k < kDuracoesDoEvento.size(); ++k) {
        const std::int64_t r = registros_do_evento_[k];
        if (r == 0) continue;
        while (e.proximo[k] <= e.corpo_ate && (fim_da_serie || e.proximo[k] + r - 1 <= n_ - 1)) {
          const std::int64_t i = e.proximo[k]++;
          e.melhor[k].considera(soma(i, i + r - 1), i, recente(i).inicio, true);
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
    if (i30.calculavel) l.ei30_mj_mm_ha_h = l.energia_mj_ha * i30.intensidade_mm_h;
    l.erosiva = centesimos(l.chuva_mm) >= 1270 || (i15.calculavel && centesimos(i15.chuva_mm) >= 635);
    if (ao_evento_) ao_evento_(l);
  }

  ParametrosDoResumo p_;
  AoEvento ao_evento_;
  AMaxima a_maxima_;
  events::DeteccaoDeEventos<RegistroDetectado, Estado> deteccao_;
  std::array<std::int64_t, kDuracoesDoEvento.size()> registros_do_evento_{};
  std::array<std::int64_t, kDuracoesAnuais.size()> registros_anuais_{};
  std::int64_t maior_janela_anual_ = 1;
  std::vector<Recente> janela_;
  std::int64_t mascara_ = 0;
  std::int64_t n_ = 0;
  std::int64_t acumulado_ = 0;
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

}  // namespace rain::resume
