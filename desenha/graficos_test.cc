#include "desenha/graficos.h"

#include <gtest/gtest.h>

namespace rain::desenha {
namespace {

// Four five-minute steps drawn on four columns of the 900-unit plot (225 each,
// from x = 80): tips 1, 0, -, 2 at 0.5 mm with the third step missing. The y
// axis runs 0 to 1.5 mm from y = 295 up to y = 15.
TEST(CurvaDeMassaSvg, CoordinatesOfASmallSeries) {
  CurvaDeMassa curva(0, 1200, 4, 300);
  curva.acrescenta(0, 0, 0.5);
  curva.acrescenta(300, 0.5, 0.5);
  curva.acrescenta(900, 0.5, 1.5);
  const std::string svg = svg_curva_de_massa(curva);
  EXPECT_NE(svg.find("<path d=\"M192.5 295V201.7H867.5V15\" class=\"curva\"/>"), std::string::npos) << svg;
  EXPECT_NE(svg.find("<rect x=\"530\" y=\"15\" width=\"225\" height=\"280\" class=\"falha\"/>"), std::string::npos);
  EXPECT_NE(svg.find(">Chuva acumulada (mm)</text>"), std::string::npos);
  EXPECT_NE(svg.find(">1.5</text>"), std::string::npos);
}

TEST(HietogramaSvg, BarsCumulativeLineAndTheI30Window) {
  // Six five-minute steps over the plot x 62..438: 62.667 units a step.
  Hietograma h(0, 1800, 300, 200);
  const double chuvas[] = {0.2, 0.6, 0, 1.0, 0.2, 0};
  double acumulado = 0;
  for (int i = 0; i < 6; ++i) h.acrescenta(i * 300, chuvas[i], acumulado += chuvas[i]);
  const std::string svg = svg_hietograma(h, DesenhoDoEvento{0, 1800, 300, 4.0});
  // The I30 window from 00:05 to 00:35 runs from x = 124.7 and is cut at the plot's end.
  EXPECT_NE(svg.find("<rect x=\"124.7\" y=\"24\" width=\"313.3\" height=\"176\" class=\"i30\"/>"), std::string::npos) << svg;
  EXPECT_NE(svg.find(">I30 = 4 mm/h</text>"), std::string::npos);
  // Bars up to 1.0 mm on a 0..1 axis (y 200 to 24); the fourth bar reaches the top.
  EXPECT_NE(svg.find("M256.3 200V24H306.4V200Z"), std::string::npos) << svg;
  EXPECT_NE(svg.find("class=\"acumulada\""), std::string::npos);
}

// Curves whose right ends lie closer than a line of text are named a line
// apart, in their order, and no lower than the plot's base.
TEST(MaximasAnuaisSvg, CurveNamesAtTheirRightEndsDoNotOverlap) {
  const std::vector<MaximasDoAno> anos{{2001, true, {{60, 10}, {1440, 1}}}, {2002, false, {{60, 20}, {1440, 1}}}};
  const std::vector<CurvaIdf> curvas{{2, {{60, 12}, {1440, 1}}}, {5, {{60, 15}, {1440, 1.02}}}};
  const std::string svg = svg_maximas_anuais(anos, curvas);
  // Intensities 1 to 100 over y 300 to 15; both curves end near y = 300.
  EXPECT_NE(svg.find("<text x=\"856\" y=\"291\" class=\"rotulo-idf\" text-anchor=\"start\">5 anos</text>"),
            std::string::npos)
      << svg;
  EXPECT_NE(svg.find("<text x=\"856\" y=\"304\" class=\"rotulo-idf\" text-anchor=\"start\">2 anos</text>"),
            std::string::npos);
  EXPECT_NE(svg.find(" class=\"vazado s1\"/>"), std::string::npos);
  EXPECT_NE(svg.find(">2002 (incompleto)</text>"), std::string::npos);
  EXPECT_NE(svg.find("class=\"ano s0 leve\""), std::string::npos);
}

}  // namespace
}  // namespace rain::desenha
