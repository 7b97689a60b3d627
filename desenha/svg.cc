#include "desenha/svg.h"

#include <cmath>
#include <cstdio>

namespace rain::desenha {

std::string escapa(std::string_view texto) {
  std::string s;
  s.reserve(texto.size());
  for (char c : texto) {
    switch (c) {
      case '&': s += "&amp;"; break;
      case '<': s += "&lt;"; break;
      case '>': s += "&gt;"; break;
      case '"': s += "&quot;"; break;
      default: s += c;
    }
  }
  return s;
}

std::string coord(double valor) {
  const double arredondado = std::round(valor * 10) / 10;
  char texto[32];
  std::snprintf(texto, sizeof texto, "%.1f", arredondado == 0 ? 0.0 : arredondado);
  std::string s = texto;
  if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
  return s;
}

Svg::Svg(double largura, double altura, std::string_view descricao) {
  conteudo_ = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + coord(largura) + " " + coord(altura) +
              "\" role=\"img\" aria-label=\"" + escapa(descricao) + "\">\n";
}

void Svg::linha(double x1, double y1, double x2, double y2, std::string_view classe) {
  conteudo_ += "<line x1=\"" + coord(x1) + "\" y1=\"" + coord(y1) + "\" x2=\"" + coord(x2) + "\" y2=\"" + coord(y2) +
               "\" class=\"" + std::string(classe) + "\"/>\n";
}

void Svg::retangulo(double x, double y, double largura, double altura, std::string_view classe) {
  conteudo_ += "<rect x=\"" + coord(x) + "\" y=\"" + coord(y) + "\" width=\"" + coord(largura) + "\" height=\"" +
               coord(altura) + "\" class=\"" + std::string(classe) + "\"/>\n";
}

void Svg::caminho(std::string_view d, std::string_view classe) {
  conteudo_ += "<path d=\"" + std::string(d) + "\" class=\"" + std::string(classe) + "\"/>\n";
}

void Svg::circulo(double x, double y, double raio, std::string_view classe) {
  conteudo_ += "<circle cx=\"" + coord(x) + "\" cy=\"" + coord(y) + "\" r=\"" + coord(raio) + "\" class=\"" +
               std::string(classe) + "\"/>\n";
}

void Svg::texto(double x, double y, std::string_view texto, std::string_view classe, std::string_view ancora) {
  conteudo_ += "<text x=\"" + coord(x) + "\" y=\"" + coord(y) + "\" class=\"" + std::string(classe) +
               "\" text-anchor=\"" + std::string(ancora) + "\">" + escapa(texto) + "</text>\n";
}

void Svg::texto_vertical(double x, double y, std::string_view texto, std::string_view classe) {
  conteudo_ += "<text transform=\"translate(" + coord(x) + " " + coord(y) + ") rotate(-90)\" class=\"" +
               std::string(classe) + "\" text-anchor=\"middle\">" + escapa(texto) + "</text>\n";
}

std::string Svg::termina() const { return conteudo_ + "</svg>\n"; }

}  // namespace rain::desenha
