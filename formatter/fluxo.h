// The series on its way from one stage of the formatter to the next: the
// lines a series file would hold, header first, handed over in memory.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/line_io.h"
#include "common/series_record.h"

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

// A stage in memory met a series it does not carry exactly as the stages that
// go through their work files would: the run starts again through them.
struct Desvio {};

}  // namespace rain::formatter
