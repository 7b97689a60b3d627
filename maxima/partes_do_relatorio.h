// The report's part for each value column while one walk finds the periods of
// all the columns at once. The report lists the columns one after another:
// the first column's part goes straight into it, and every later column's
// part waits, in memory up to its share and beyond that in pieces appended to
// the end of the work file, until the walk is over and the parts are joined
// in order. Memory depends on the number of columns, never on the length of
// the series, and every byte is written and read back once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/env.h"
#include "common/line_io.h"

namespace rain::maxima {

class PartesDoRelatorio {
 public:
  // Columns 4 to `ultima_coluna`; the work file `trabalho` holds
  // `fim_do_trabalho` bytes that are not touched. `memoria` bytes are shared
  // by the parts that wait.
  PartesDoRelatorio(Env& env, LineWriter& relatorio, std::string trabalho, std::uint64_t fim_do_trabalho,
                    int ultima_coluna, std::size_t memoria = std::size_t{8} << 20);

  // A line of column `coluna`'s part.
  void linha(int coluna, std::string_view texto);
  // Writes the parts that waited into the report, in column order. False when
  // the work file could not be written or read back.
  bool junta();
  // The pieces went to the work file as they should.
  bool ok() const { return ok_; }

 private:
  struct Pedaco {
    std::uint64_t inicio;
    std::size_t tamanho;
  };
  struct Parte {
    std::string texto;
    std::vector<Pedaco> pedacos;
  };

  void descarrega(Parte& parte);

  Env& env_;
  LineWriter& relatorio_;
  std::string trabalho_;
  std::uint64_t fim_;
  std::size_t limite_;
  std::vector<Parte> partes_;  // columns 5 on
  std::unique_ptr<WritableFile> pedacos_;
  bool ok_ = true;
};

}  // namespace rain::maxima
