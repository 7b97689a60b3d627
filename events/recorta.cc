#include "events/recorta.h"

#include <deque>
#include <vector>

#include "common/created_file.h"
#include "common/failure.h"
#include "common/line_io.h"
#include "common/numbers.h"
#include "common/run_files.h"
#include "common/text.h"
#include "events/rotulo.h"

namespace rain::events {
namespace {

// The tip count is word 4 of a record; a missing word or one that is not a
// 16-bit whole number counts as a dry record.
std::int16_t basculacoes(std::string_view registro, const DelimiterSet& delimitadores) {
  return whole_int16(word_view(registro, 4, delimitadores)).value_or(0);
}

// While a start is looked for, the record is split at blanks only, as read.
std::int16_t basculacoes_na_busca(std::string_view registro) {
  static const DelimiterSet espaco(" ");
  return basculacoes(registro, espaco);
}

// Inside an event tabs count as blanks.
std::int16_t basculacoes_no_evento(std::string_view registro) {
  static const DelimiterSet espaco_ou_tab(" \t");
  return basculacoes(registro, espaco_ou_tab);
}

struct Registro {
  std::string texto;
  std::int16_t basculacoes = 0;
};

// The open event. JANELA holds its latest records, oldest first; a record that
// leaves JANELA joins the end of CORPO, which is what the event file receives.
// Both keep the sum of their tips, so the closing test costs the same whatever
// the window length.
class EventoAberto {
 public:
  EventoAberto(std::int64_t n, Registro inicial) : n_(n) { acrescenta(std::move(inicial)); }

  void acrescenta(Registro registro) {
    soma_janela_ += registro.basculacoes;
    JANELA_.push_back(std::move(registro));
    esvazia_excesso();
  }

  // An empty line read past the end of the series: dry. Such lines are only
  // counted, so that a long window does not fill memory with them; they can
  // never leave JANELA before the event closes, since N of them close it.
  void acrescenta_linha_apos_fim() {
    ++vazias_apos_fim_;
    esvazia_excesso();
  }

  bool fechado() const { return contagem_janela() == n_ && soma_janela_ == 0; }

  std::int64_t basculacoes_totais() const { return soma_corpo_ + soma_janela_; }
  const std::vector<std::string>& CORPO() const { return CORPO_; }

 private:
  std::int64_t contagem_janela() const { return static_cast<std::int64_t>(JANELA_.size()) + vazias_apos_fim_; }

  void esvazia_excesso() {
    while (contagem_janela() > n_ && !JANELA_.empty()) {
      Registro& mais_antigo = JANELA_.front();
      soma_janela_ -= mais_antigo.basculacoes;
      soma_corpo_ += mais_antigo.basculacoes;
      CORPO_.push_back(std::move(mais_antigo.texto));
      JANELA_.pop_front();
    }
  }

  std::int64_t n_;
  std::deque<Registro> JANELA_;
  std::int64_t vazias_apos_fim_ = 0;
  std::int64_t soma_janela_ = 0;
  std::vector<std::string> CORPO_;
  std::int64_t soma_corpo_ = 0;
};

// Writes the event under the work name, then moves it to its own name. The
// move never replaces a file: when it fails the event stays in the work file.
// A name whose folder part was cut at 255 characters would put the event in
// another folder: it is not moved there.
void grava_evento(Env& env, const std::string& cabecalho, const NomeDoEvento& nome,
                  const std::vector<std::string>& corpo) {
  // An incomplete event must not pass for a finished one; a work file that
  // was there before this event is never removed.
  CreatedFile trabalho(env, kArquivoDeTrabalho);
  auto arquivo = create_lines(env, kArquivoDeTrabalho);
  if (!arquivo) throw Failure("Erro: nao foi possivel criar o arquivo de saida.", 1);
  arquivo->write_line(cabecalho);
  for (const std::string& registro : corpo) arquivo->write_line(registro);
  if (!arquivo->close()) throw Failure("Erro: nao foi possivel gravar o arquivo de saida.", 1);
  trabalho.keep();
  if (nome.pasta_cortada || !env.rename_no_replace(kArquivoDeTrabalho, nome.texto)) {
    throw Failure("Erro: nao foi possivel mover o evento para " + nome.texto + "; ele ficou em " +
                      kArquivoDeTrabalho + ".",
                  1);
  }
}

class Recorte {
 public:
  Recorte(Env& env, const ParametrosDoRecorte& p, LineReader& serie, ResumoDoRecorte& resumo)
      : env_(env), p_(p), serie_(serie), resumo_(resumo) {}

  FimDoRecorte executa() {
    le_linha();
    cabecalho_ = cut_short(linha_);
    while (!fim_da_serie()) {
      if (!procura_inicio()) return FimDoRecorte::kEntradaAcabouNaBusca;
      recolhe_evento();
    }
    return FimDoRecorte::kRetornou;
  }

 private:
  // A 0x1A byte at the start of a line ends the series where its end is tested.
  bool fim_da_serie() {
    if (!serie_.at_end_or_eof_mark()) return false;
    if (serie_.failed()) throw Failure("Erro: falha na leitura do arquivo de entrada.", 1);
    return true;
  }

  // Past the end, a read yields an empty line.
  bool le_linha() {
    if (serie_.read_line(linha_)) {
      if (++linhas_lidas_ > 1) ++resumo_.registros;  // the header is no record
      return true;
    }
    if (serie_.failed()) throw Failure("Erro: falha na leitura do arquivo de entrada.", 1);
    return false;
  }

  // Leaves the first record with tips in linha_; false when the series ends first.
  bool procura_inicio() {
    do {
      if (fim_da_serie()) return false;
      le_linha();
    } while (basculacoes_na_busca(linha_) == 0);
    return true;
  }

  void recolhe_evento() {
    const std::string rotulo_inicio = MONTA_ROTULO(linha_);
    EventoAberto evento(p_.janela, Registro{linha_, basculacoes_no_evento(linha_)});
    while (!evento.fechado()) {
      if (le_linha()) {
        evento.acrescenta(Registro{linha_, basculacoes_no_evento(linha_)});
      } else {
        evento.acrescenta_linha_apos_fim();
      }
    }
    // Negative tip counts can close an event before any record has left the
    // window: there is nothing to write and no end label, so no number is used.
    if (evento.CORPO().empty()) return;
    const double profundidade = static_cast<double>(evento.basculacoes_totais()) * p_.precisao;
    if (!(p_.minimo < profundidade)) return;
    const NomeDoEvento nome =
        nome_do_evento_inteiro(p_.saida, numero_do_evento_, rotulo_inicio, MONTA_ROTULO(evento.CORPO().back()));
    grava_evento(env_, cabecalho_, nome, evento.CORPO());
    ++numero_do_evento_;
    ++resumo_.eventos;
    resumo_.basculacoes += evento.basculacoes_totais();
  }

  Env& env_;
  const ParametrosDoRecorte& p_;
  LineReader& serie_;
  ResumoDoRecorte& resumo_;
  std::int64_t linhas_lidas_ = 0;
  std::string cabecalho_;
  std::string linha_;
  std::int64_t numero_do_evento_ = 1;
};

}  // namespace

FimDoRecorte RECORTA_EVENTOS(Env& env, const ParametrosDoRecorte& p, ResumoDoRecorte* resumo) {
  // A window shorter than one record would never close an event as it should.
  if (p.janela < 1) throw Failure("Erro: periodo invalido para o intervalo utilizado.", 1);
  // The work file is emptied for every event: it must not be the series.
  RunFiles files;
  files.reads(p.entrada, "o arquivo de entrada");
  files.given(p.saida, "o arquivo de saida");
  files.writes_derived(kArquivoDeTrabalho, std::string("o arquivo de trabalho ") + kArquivoDeTrabalho);
  files.check(env);
  auto serie = open_lines(env, p.entrada);
  if (!serie) throw Failure("Erro: nao foi possivel abrir o arquivo de entrada.", 1);
  ResumoDoRecorte ignorado;
  return Recorte(env, p, *serie, resumo ? *resumo : ignorado).executa();
}

}  // namespace rain::events
