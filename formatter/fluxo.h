// The series on its way from one stage of the formatter to the next: the
// lines a series file would hold, header first, handed over in memory. A
// stage is a rule; the one pass hands it the lines of the stage before, the
// stages through the work files read them from their file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/line_io.h"
#include "common/series_record.h"
#include "common/text.h"

namespace rain::formatter {

class DestinoDaSerie {
 public:
  virtual ~DestinoDaSerie() = default;
  // The next line: the header first, then the records.
  virtual void recebe(std::string_view linha) = 0;
  // A record of at most 255 characters, without a tab, that the stage before
  // has read already: `lido` is what fixed_record gives for it.
  virtual void recebe_lido(std::string_view linha, const FixedRecord& lido) {
    static_cast<void>(lido);
    recebe(linha);
  }
  // Every line has been handed over.
  virtual void termina() {}
};

// The last stage: the lines go into a file, one after the other.
class ArquivoDaSerie : public DestinoDaSerie {
 public:
  explicit ArquivoDaSerie(LineWriter& arquivo) : arquivo_(arquivo) {}
  void recebe(std::string_view linha) override {
    arquivo_.write_line(linha);
    ++linhas_;
  }
  std::int64_t linhas() const { return linhas_; }

 private:
  LineWriter& arquivo_;
  std::int64_t linhas_ = 0;
};

// A record line as the resampling and the tip counting read it: cut to 255
// characters, its tabs turned into blanks in `copia` when it has any.
inline std::string_view registro_da_linha(std::string_view linha, std::string& copia) {
  const std::string_view registro = short_view(linha);
  if (registro.find('\t') == std::string_view::npos) return registro;
  copia.assign(registro);
  replace_char(copia, '\t', ' ');
  return copia;
}

// Hands `destino` every line of `arquivo`, then the end.
inline void entrega_linhas(LineReader& arquivo, DestinoDaSerie& destino) {
  std::string_view linha;
  while (arquivo.read_view(linha)) destino.recebe(linha);
  destino.termina();
}

// What stops a stage, with what its message needs. The stages through the
// work files turn it into the line they give; the one pass starts again
// through them, which meet it again and leave every file as they always have.
struct ParadaDaEtapa {
  enum class Motivo {
    kSemRegistros,      // a series to be resampled without any record
    kDataInvalida,      // `texto`: the date, no calendar date
    kHoraInvalida,      // `texto`: the time, no clock time
    kForaDeOrdem,       // `texto`: the time and date, earlier than the record before
    kAcumuloIlegivel,   // `texto`: the depth, no number, on line `linha`
  };
  Motivo motivo;
  std::string texto;
  std::int64_t linha = 0;  // line of the series handed over, the header being 1
};

}  // namespace rain::formatter
