// Writing inline SVG and HTML text: escaped text, short coordinates.
#pragma once

#include <string>
#include <string_view>

namespace rain::desenha {

// Text safe inside HTML and SVG elements and quoted attributes.
std::string escapa(std::string_view texto);

// A coordinate with at most one decimal: 12, 12.5, -3.2.
std::string coord(double valor);

// A growing SVG element.
class Svg {
 public:
  Svg(double largura, double altura, std::string_view descricao);

  void linha(double x1, double y1, double x2, double y2, std::string_view classe);
  void retangulo(double x, double y, double largura, double altura, std::string_view classe);
  void caminho(std::string_view d, std::string_view classe);
  void circulo(double x, double y, double raio, std::string_view classe);
  // `ancora`: start, middle or end.
  void texto(double x, double y, std::string_view texto, std::string_view classe, std::string_view ancora = "middle");
  // A title turned to read upwards, as the y axes have.
  void texto_vertical(double x, double y, std::string_view texto, std::string_view classe);
  void bruto(std::string_view marcacao) { conteudo_ += marcacao; }

  // The whole element, closed.
  std::string termina() const;

 private:
  std::string conteudo_;
};

}  // namespace rain::desenha
