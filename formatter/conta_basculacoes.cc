#include "formatter/conta_basculacoes.h"

#include <memory>

#include "common/failure.h"
#include "common/line_io.h"

namespace rain::formatter {

SomaDasBasculas CONTA_BASCULACOES(Env& env, const std::string& entrada, const std::string& saida,
                                  double tamanho_bascula, bool titulo_pronto) {
  std::unique_ptr<LineReader> origem = open_lines(env, entrada);
  if (!origem) throw Failure("Erro: nao foi possivel abrir o arquivo de trabalho " + entrada + ".", 1);
  std::unique_ptr<LineWriter> destino = create_lines(env, saida);
  if (!destino) throw Failure("Erro: nao foi possivel gerar o arquivo de saida.", 1);
  ArquivoDaSerie arquivo(*destino);
  ContagemEmFluxo contagem(arquivo, tamanho_bascula, titulo_pronto);
  try {
    entrega_linhas(*origem, contagem);
  } catch (const ParadaDaEtapa& parada) {
    throw Failure::silent(1, "Erro: linha " + std::to_string(parada.linha) + " do arquivo " + entrada +
                                 ", campo 3: \"" + parada.texto + "\" nao e um numero.");
  }
  if (origem->failed()) throw Failure("Erro: nao foi possivel ler o arquivo de trabalho " + entrada + ".", 1);
  if (!destino->close()) throw Failure("Erro: nao foi possivel gravar o arquivo de saida.", 1);
  return contagem.soma();
}

}  // namespace rain::formatter
