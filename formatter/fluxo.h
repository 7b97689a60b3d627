// The series on its way from one stage of the formatter to the next: the
// lines a series file would hold, header first, handed over in memory.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/line_io.h"

namespace rain::formatter {

class DestinoDaSerie {
 public:
  virtual ~DestinoDaSerie() = default;
  // The next line: the header first, then the records.
  virtual void recebe(std::string_view linha) = 0;
  // A record of at most 255 characters, without a tab, whose third field is
  // `acumulo`: the stage before vouches for it, so it need not be looked for.
  virtual void recebe_registro(std::string_view linha, std::string_view acumulo) {
    static_cast<void>(acumulo);
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

// A stage in memory met a series it does not carry exactly as the stages that
// go through their work files would: the run starts again through them.
struct Desvio {};

}  // namespace rain::formatter
