#include "formatter/discretiza.h"

#include <memory>
#include <optional>
#include <string_view>

#include "common/created_file.h"
#include "common/failure.h"
#include "common/line_io.h"
#include "common/series_record.h"
#include "formatter/discretiza_em_fluxo.h"
#include "formatter/work_files.h"

namespace rain::formatter {
namespace {

using Motivo = ParadaDaEtapa::Motivo;

std::unique_ptr<LineReader> abre_serie(Env& env, const std::string& entrada) {
  std::unique_ptr<LineReader> serie = open_lines(env, entrada);
  if (!serie) throw Failure("Erro: Nao foi possivel abrir o arquivo de entrada.", 1);
  return serie;
}

void confere_leitura(const LineReader& serie) {
  if (serie.failed()) throw Failure("Erro: Nao foi possivel ler o arquivo de entrada.", 1);
}

// Every record of the series is one the resampling takes, in order: the first
// and the last are known before any cache is made.
RegistrosEmOrdem confere_registros(Env& env, const std::string& entrada) {
  std::unique_ptr<LineReader> serie = abre_serie(env, entrada);
  std::string_view linha;
  serie->read_view(linha);  // the header
  RegistrosEmOrdem registros;
  std::string copia;
  while (serie->read_view(linha)) {
    if (const std::optional<FixedRecord> registro = le_linha_da_serie(linha, copia)) registros.toma(*registro);
  }
  confere_leitura(*serie);
  registros.confere_algum();
  return registros;
}

// The slots also go to their own file, time and date, as the resampling
// through the work files has always laid them out.
class VagasEmArquivo : public DestinoDaSerie {
 public:
  VagasEmArquivo(DestinoDaSerie& serie, LineWriter& vagas) : serie_(serie), vagas_(vagas) {}
  void recebe(std::string_view linha) override {
    if (tem_cabecalho_) vagas_.write_line(linha.substr(0, 17));
    tem_cabecalho_ = true;
    serie_.recebe(linha);
  }
  void termina() override { serie_.termina(); }

 private:
  DestinoDaSerie& serie_;
  LineWriter& vagas_;
  bool tem_cabecalho_ = false;
};

std::string linha_da_parada(const ParadaDaEtapa& parada) {
  switch (parada.motivo) {
    case Motivo::kSemRegistros:
      return "Erro: O arquivo de entrada nao tem registros.";
    case Motivo::kDataInvalida:
      return "Erro: Data invalida no arquivo de entrada: " + parada.texto + ".";
    case Motivo::kHoraInvalida:
      return "Erro: Hora invalida no arquivo de entrada: " + parada.texto + ".";
    default:
      return "Erro: Registro anterior ao registro precedente no arquivo de entrada: " + parada.texto + ".";
  }
}

void discretiza(Env& env, const std::string& entrada, const std::string& saida, const Passo& intervalo,
                const std::string& vagas) {
  const RegistrosEmOrdem registros = confere_registros(env, entrada);
  prepare_day_list(env, registros.primeira_data(), registros.ultima_data());
  prepare_grid(env, intervalo);

  // The slot file lives only during one call; a failed call removes it only
  // when this run made it.
  CreatedFile arquivo_de_vagas(env, vagas);
  std::unique_ptr<LineWriter> linhas_de_vagas = create_lines(env, vagas);
  if (!linhas_de_vagas) throw Failure("Erro: Nao foi possivel gerar o arquivo " + vagas + ".", 1);
  std::unique_ptr<LineReader> serie = abre_serie(env, entrada);
  std::unique_ptr<LineWriter> out = create_lines(env, saida);
  if (!out) throw Failure("Erro: Nao foi possivel gerar o arquivo de saida.", 1);
  ArquivoDaSerie arquivo(*out);
  VagasEmArquivo com_vagas(arquivo, *linhas_de_vagas);
  DiscretizacaoEmFluxo discretizacao(com_vagas, intervalo);
  entrega_linhas(*serie, discretizacao);
  confere_leitura(*serie);
  if (!linhas_de_vagas->close()) throw Failure("Erro: Nao foi possivel gravar o arquivo " + vagas + ".", 1);
  if (!out->close()) throw Failure("Erro: Nao foi possivel gravar o arquivo de saida.", 1);
  arquivo_de_vagas.finished_with();
}

}  // namespace

void DISCRETIZA_NO_TEMPO(Env& env, const std::string& entrada, const std::string& saida, const Passo& intervalo,
                         const std::string& vagas) {
  try {
    discretiza(env, entrada, saida, intervalo, vagas);
  } catch (const ParadaDaEtapa& parada) {
    throw Failure(linha_da_parada(parada), 1);
  }
}

}  // namespace rain::formatter
