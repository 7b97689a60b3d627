#include "maxima/partes_do_relatorio.h"

#include <algorithm>

#include "common/series_record.h"

namespace rain::maxima {

PartesDoRelatorio::PartesDoRelatorio(Env& env, LineWriter& relatorio, std::string trabalho,
                                     std::uint64_t fim_do_trabalho, int ultima_coluna, std::size_t memoria)
    : env_(env),
      relatorio_(relatorio),
      trabalho_(std::move(trabalho)),
      fim_(fim_do_trabalho),
      partes_(ultima_coluna > kTipsField ? static_cast<std::size_t>(ultima_coluna - kTipsField) : 0) {
  // Pieces of at least a few KB keep the reading back to a few moves per MB.
  // The fuzz build (RAIN_SMALL_BUFFERS) lets the parts wait in a few bytes,
  // so that its short inputs take the road through the work file too.
#ifdef RAIN_SMALL_BUFFERS
  constexpr std::size_t kMinimo = 64;
  memoria = std::min<std::size_t>(memoria, 256);
#else
  constexpr std::size_t kMinimo = 4 << 10;
#endif
  limite_ = partes_.empty() ? memoria : std::max(kMinimo, memoria / partes_.size());
}

void PartesDoRelatorio::linha(int coluna, std::string_view texto) {
  if (coluna == kTipsField) {
    relatorio_.write_line(texto);
    return;
  }
  Parte& parte = partes_[static_cast<std::size_t>(coluna - kTipsField - 1)];
  parte.texto.append(texto).append("\r\n");
  if (parte.texto.size() >= limite_) descarrega(parte);
}

void PartesDoRelatorio::descarrega(Parte& parte) {
  if (!pedacos_) pedacos_ = env_.open_append(trabalho_);
  if (!pedacos_ || !pedacos_->append(parte.texto)) ok_ = false;
  parte.pedacos.push_back({fim_, parte.texto.size()});
  fim_ += parte.texto.size();
  parte.texto.clear();
}

bool PartesDoRelatorio::junta() {
  if (pedacos_ && !pedacos_->close()) ok_ = false;
  pedacos_.reset();
  if (!ok_) return false;
  std::unique_ptr<ReadableFile> trabalho;
  std::string pedaco;
  for (Parte& parte : partes_) {
    for (const Pedaco& p : parte.pedacos) {
      if (!trabalho) trabalho = env_.open_read(trabalho_);
      if (!trabalho || !trabalho->seek(p.inicio)) return false;
      pedaco.resize(p.tamanho);
      std::size_t lidos = 0;
      while (lidos < p.tamanho) {
        const std::size_t n = trabalho->read(pedaco.data() + lidos, p.tamanho - lidos);
        if (n == 0) return false;
        lidos += n;
      }
      relatorio_.write(pedaco);
    }
    relatorio_.write(parte.texto);
    parte = Parte();
  }
  return true;
}

}  // namespace rain::maxima
