#include "events/recorta.h"

#include <optional>
#include <vector>

#include "common/created_file.h"
#include "common/failure.h"
#include "common/line_io.h"
#include "common/numbers.h"
#include "common/run_files.h"
#include "common/series_input.h"
#include "common/series_record.h"
#include "common/text.h"
#include "events/deteccao.h"
#include "events/rotulo.h"

namespace rain::events {
namespace {

// A record as the detection sees it; the text is what the event file receives.
struct LinhaDoEvento {
  std::string texto;
  std::int16_t basculacoes = 0;
  std::int16_t basculacoes_na_busca = 0;
};

LinhaDoEvento linha_do_evento(const std::string& texto) {
  // Inside an event tabs count as blanks; while a start is looked for the
  // record is split at blanks only, as read. Only a tab makes the two differ.
  const std::int16_t no_evento = record_tips(texto, record_blanks_or_tabs());
  const bool tem_tab = texto.find('\t') != std::string::npos;
  return LinhaDoEvento{texto, no_evento, tem_tab ? record_tips(texto, record_blanks()) : no_evento};
}

// The work file where each event is written before it moves to its own name:
// this run's from the first event to the end, so that no other run in the
// folder writes its events through it meanwhile.
class ArquivoDeTrabalho {
 public:
  explicit ArquivoDeTrabalho(Env& env) : env_(env) { arquivo_.emplace(env_, kEventWorkFile); }

  // Writes the event under the work name, then moves it to its own name. The
  // move never replaces a file: when it fails the event stays in the work
  // file. A name that would lie in another folder is not moved there.
  void grava_evento(const std::string& cabecalho, const NomeDoEvento& nome, const std::vector<std::string>& corpo) {
    auto arquivo = create_lines(env_, kEventWorkFile);
    if (!arquivo) throw Failure("Erro: nao foi possivel criar o arquivo de saida.", 1);
    arquivo->write_line(cabecalho);
    for (const std::string& registro : corpo) arquivo->write_line(registro);
    // An incomplete event must not pass for a finished one: the failure
    // removes a work file this run made.
    if (!arquivo->close()) throw Failure("Erro: nao foi possivel gravar o arquivo de saida.", 1);
    arquivo_->keep();
    if (nome.fora_da_pasta || !env_.rename_no_replace(kEventWorkFile, nome.texto)) {
      throw Failure("Erro: nao foi possivel mover o evento para " + nome.texto + "; ele ficou em " +
                        kEventWorkFile + ".",
                    1);
    }
    // The name moved with the event: taken again for the next one.
    arquivo_.reset();
    arquivo_.emplace(env_, kEventWorkFile);
  }

 private:
  Env& env_;
  // Removed at the end when this run made it; a work file a killed run left
  // and no event has used stays as it was.
  std::optional<CreatedFile> arquivo_;
};

class Recorte {
 public:
  Recorte(Env& env, const ParametrosDoRecorte& p, LineReader& serie, ResumoDoRecorte& resumo)
      : p_(p), serie_(serie), resumo_(resumo), trabalho_(env), deteccao_(p.janela, *this) {}

  FimDoRecorte executa() {
    le_linha();
    cabecalho_ = cut_short(linha_);
    while (!fim_da_serie()) {
      if (!procura_inicio()) return FimDoRecorte::kEntradaAcabouNaBusca;
      recolhe_evento();
    }
    return FimDoRecorte::kRetornou;
  }

  // What the detection tells about each event.
  void inicio(const LinhaDoEvento& primeiro) {
    rotulo_inicio_ = MONTA_ROTULO(primeiro.texto);
    CORPO_.clear();
  }
  void corpo(LinhaDoEvento&& registro) { CORPO_.push_back(std::move(registro.texto)); }
  void fim(std::int64_t basculacoes, bool corpo_vazio) {
    // Negative tip counts can close an event before any record has left the
    // window: there is nothing to write and no end label, so no number is used.
    if (corpo_vazio) return;
    const double profundidade = static_cast<double>(basculacoes) * p_.precisao;
    if (!(p_.minimo < profundidade)) return;
    const NomeDoEvento nome =
        nome_do_evento_inteiro(p_.saida, numero_do_evento_, rotulo_inicio_, MONTA_ROTULO(CORPO_.back()));
    trabalho_.grava_evento(cabecalho_, nome, CORPO_);
    ++numero_do_evento_;
    ++resumo_.eventos;
    resumo_.basculacoes += basculacoes;
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

  // Reads up to the first record with tips, which opens an event; false when
  // the series ends first.
  bool procura_inicio() {
    do {
      if (fim_da_serie()) return false;
      le_linha();
      // A dry record while no event is open changes nothing.
      if (record_tips(linha_, record_blanks()) != 0) deteccao_.acrescenta(linha_do_evento(linha_));
    } while (!deteccao_.aberto());
    return true;
  }

  void recolhe_evento() {
    while (deteccao_.aberto()) {
      if (le_linha()) {
        deteccao_.acrescenta(linha_do_evento(linha_));
      } else {
        deteccao_.acrescenta_apos_fim();
      }
    }
  }

  const ParametrosDoRecorte& p_;
  LineReader& serie_;
  ResumoDoRecorte& resumo_;
  ArquivoDeTrabalho trabalho_;
  std::int64_t linhas_lidas_ = 0;
  DeteccaoDeEventos<LinhaDoEvento, Recorte> deteccao_;
  std::string cabecalho_;
  std::string linha_;
  std::string rotulo_inicio_;
  std::vector<std::string> CORPO_;
  std::int64_t numero_do_evento_ = 1;
};

}  // namespace

FimDoRecorte RECORTA_EVENTOS(Env& env, const ParametrosDoRecorte& p, ResumoDoRecorte* resumo) {
  // A window shorter than one record would never close an event as it should.
  if (p.janela < 1) throw Failure("Erro: periodo invalido para o intervalo utilizado.", 1);
  // The work file is emptied for every event: it must not be the series.
  const SeriesCopy copia = series_copy_in_current_folder();
  RunFiles files;
  files.reads(p.entrada, "o arquivo de entrada");
  files.given(p.saida, "o arquivo de saida");
  files.writes_derived(kEventWorkFile, std::string("o arquivo de trabalho ") + kEventWorkFile);
  name_series_copy(files, env, p.entrada, copia);
  files.check(env);
  SeriesRules regras;
  regras.step_s = p.passo_s;
  SeriesInput entrada(env, p.entrada, regras, copia);
  FimDoRecorte fim;
  {
    auto serie = entrada.reopen();
    if (!serie) throw Failure("Erro: nao foi possivel abrir o arquivo de entrada.", 1);
    ResumoDoRecorte ignorado;
    fim = Recorte(env, p, *serie, resumo ? *resumo : ignorado).executa();
  }
  entrada.finished();
  return fim;
}

}  // namespace rain::events
