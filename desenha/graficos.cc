#include "desenha/graficos.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

#include "desenha/escala.h"
#include "desenha/svg.h"
#include "desenha/tempo.h"

namespace rain::desenha {
namespace {

constexpr double kTick = 5;

// Vertical value axis on the left (or right) of a plot, with grid lines.
void eixo_de_valores(Svg& svg, const AreaDoGrafico& a, const std::vector<MarcaDeValor>& marcas, const Escala& y,
                     const std::string& titulo, bool direita = false, bool grade = true) {
  const double x = direita ? a.direita : a.esquerda;
  svg.linha(x, a.topo, x, a.base, "eixo");
  for (const MarcaDeValor& m : marcas) {
    const double yy = y(m.valor);
    if (grade) svg.linha(a.esquerda, yy, a.direita, yy, "grade");
    svg.linha(x, yy, direita ? x + kTick : x - kTick, yy, "eixo");
    svg.texto(direita ? x + kTick + 3 : x - kTick - 3, yy + 4, m.rotulo, "rotulo", direita ? "start" : "end");
  }
  const double xt = direita ? a.direita + 52 : a.esquerda - 52;
  svg.texto_vertical(xt, (a.topo + a.base) / 2, titulo, "titulo-eixo");
}

void eixo_de_tempo(Svg& svg, const AreaDoGrafico& a, std::int64_t inicio, std::int64_t fim, int maximo,
                   const std::string& titulo) {
  const Escala x{static_cast<double>(inicio), static_cast<double>(fim), a.esquerda, a.direita};
  svg.linha(a.esquerda, a.base, a.direita, a.base, "eixo");
  for (const MarcaDeTempo& m : marcas_de_tempo(inicio, fim, maximo)) {
    const double xx = x(static_cast<double>(m.instante));
    svg.linha(xx, a.topo, xx, a.base, "grade");
    svg.linha(xx, a.base, xx, a.base + kTick, "eixo");
    svg.texto(xx, a.base + 18, m.rotulo, "rotulo");
    if (!m.rotulo_abaixo.empty()) svg.texto(xx, a.base + 32, m.rotulo_abaixo, "rotulo");
  }
  svg.texto((a.esquerda + a.direita) / 2, a.base + 50, titulo, "titulo-eixo");
}

void junta(std::string& s, std::initializer_list<std::string_view> partes) {
  for (std::string_view parte : partes) s.append(parte);
}

// One bar of a bar chart as a closed piece of a path.
void barra(std::string& d, double x0, double x1, double base, double topo) {
  junta(d, {"M", coord(x0), " ", coord(base), "V", coord(topo), "H", coord(x1), "V", coord(base), "Z"});
}

// An SVG path through points, with H and V where a segment is level or upright.
class Traco {
 public:
  void ponto(double x, double y) {
    const std::string cx = coord(x), cy = coord(y);
    if (d_.empty()) {
      junta(d_, {"M", cx, " ", cy});
    } else if (cx == x_ && cy == y_) {
      return;
    } else if (cx == x_) {
      junta(d_, {"V", cy});
    } else if (cy == y_) {
      junta(d_, {"H", cx});
    } else {
      junta(d_, {"L", cx, " ", cy});
    }
    x_ = cx;
    y_ = cy;
  }
  const std::string& d() const { return d_; }

 private:
  std::string d_, x_, y_;
};

// A curve summed over the record, with bands behind it: the gaps of the
// series (from the curve's columns) and the given stretches.
std::string svg_curva_acumulada(const CurvaDeMassa& curva, std::string_view descricao,
                                const std::string& titulo_do_eixo, std::string_view classe, const Faixas& faixas) {
  const AreaDoGrafico a = area_da_curva_de_massa();
  Svg svg(kLarguraCheia, 355, descricao);
  const int n = curva.colunas().quantidade();
  const double largura = (a.direita - a.esquerda) / n;
  const Escala tempo{static_cast<double>(curva.colunas().inicio()), static_cast<double>(curva.colunas().fim()),
                     a.esquerda, a.direita};
  for (const auto& [inicio, fim] : faixas) {
    const double x0 = std::clamp(tempo(static_cast<double>(inicio)), a.esquerda, a.direita);
    const double x1 = std::clamp(tempo(static_cast<double>(fim)), a.esquerda, a.direita);
    // However short, an outage stays visible.
    if (x1 > a.esquerda && x0 < a.direita) {
      svg.retangulo(std::min(x0, a.direita - 1), a.topo, std::max(x1 - x0, 1.0), a.base - a.topo, "falha-lista");
    }
  }

  // Gaps first, under everything else.
  const auto& valores = curva.valores();
  for (int c = 0; c < n;) {
    if (!valores[c].falha) {
      ++c;
      continue;
    }
    int fim = c;
    while (fim < n && valores[fim].falha) ++fim;
    svg.retangulo(a.esquerda + c * largura, a.topo, (fim - c) * largura, a.base - a.topo, "falha");
    c = fim;
  }

  double maximo = 0;
  for (const auto& v : valores) {
    if (v.tem_registros) maximo = std::max(maximo, v.maximo);
  }
  const std::vector<MarcaDeValor> marcas = marcas_lineares(maximo);
  const Escala y{0, marcas.back().valor, a.base, a.topo};
  eixo_de_valores(svg, a, marcas, y, titulo_do_eixo);
  eixo_de_tempo(svg, a, curva.colunas().inicio(), curva.colunas().fim(), 10, "Data");

  Traco traco;
  for (const CurvaDeMassa::Ponto& p : curva.pontos()) traco.ponto(a.esquerda + (p.coluna + 0.5) * largura, y(p.valor));
  if (!traco.d().empty()) svg.caminho(traco.d(), classe);
  return svg.termina();
}

// The IDF curves over the years' points, each named at its right end; names
// that would overlap are moved apart, keeping their order.
void desenha_curvas_idf(Svg& svg, const std::vector<CurvaIdf>& curvas, const AreaDoGrafico& a,
                        const std::function<double(double)>& xx, const std::function<double(double)>& yy) {
  constexpr double kEntreNomes = 13;
  std::vector<std::pair<double, std::string>> nomes;
  for (const CurvaIdf& curva : curvas) {
    Traco traco;
    double fim_y = 0;
    for (const auto& [d, i] : curva.pontos) {
      if (!(i > 0)) continue;
      traco.ponto(xx(d), yy(i));
      fim_y = yy(i);
    }
    if (traco.d().empty()) continue;
    svg.caminho(traco.d(), "idf");
    nomes.emplace_back(fim_y, std::to_string(curva.periodo_anos) + " anos");
  }
  std::sort(nomes.begin(), nomes.end());
  for (std::size_t k = 1; k < nomes.size(); ++k) {
    nomes[k].first = std::max(nomes[k].first, nomes[k - 1].first + kEntreNomes);
  }
  const double excesso = nomes.empty() ? 0 : std::max(0.0, nomes.back().first - a.base);
  for (auto& [y, nome] : nomes) svg.texto(a.direita + 6, y - excesso + 4, nome, "rotulo-idf", "start");
}

}  // namespace

AreaDoGrafico area_da_curva_de_massa() { return {80, 80 + kColunasDaCurva, 15, 295}; }

std::string svg_curva_de_massa(const CurvaDeMassa& curva, const Faixas& falhas) {
  return svg_curva_acumulada(curva, "Curva de massa: chuva acumulada ao longo do registro", "Chuva acumulada (mm)",
                             "curva", falhas);
}

std::string svg_r_acumulado(const CurvaDeMassa& curva) {
  return svg_curva_acumulada(curva, "Erosividade acumulada ao longo do registro", "R acumulado (MJ mm/ha h)",
                             "curva curva-r", {});
}

std::string svg_r_mensal(const std::array<double, 12>& r) {
  const AreaDoGrafico a{80, 980, 20, 265};
  Svg svg(kLarguraCheia, 310, "Erosividade media de cada mes do ano");
  double maximo = 0;
  for (double v : r) maximo = std::max(maximo, v);
  const std::vector<MarcaDeValor> marcas = marcas_lineares(maximo);
  const Escala y{0, marcas.back().valor, a.base, a.topo};
  eixo_de_valores(svg, a, marcas, y, "R medio (MJ mm/ha h)");
  svg.linha(a.esquerda, a.base, a.direita, a.base, "eixo");
  const double banda = (a.direita - a.esquerda) / 12;
  std::string barras;
  for (std::size_t m = 0; m < r.size(); ++m) {
    const double x = a.esquerda + banda * static_cast<double>(m);
    if (r[m] > 0) barra(barras, x + banda * 0.15, x + banda * 0.85, a.base, y(r[m]));
    svg.texto(x + banda / 2, y(r[m]) - 4, numero_curto(std::round(r[m] * 10) / 10), "valor");
    svg.texto(x + banda / 2, a.base + 16, nome_do_mes(static_cast<int>(m) + 1), "rotulo");
  }
  if (!barras.empty()) svg.caminho(barras, "barra-r");
  svg.texto((a.esquerda + a.direita) / 2, a.base + 40, "Mes", "titulo-eixo");
  return svg.termina();
}

std::string svg_totais_mensais(const std::vector<TotalMensal>& meses) {
  const AreaDoGrafico a{80, 980, 20, 265};
  Svg svg(kLarguraCheia, 335, "Chuva total de cada mes do registro");
  double maximo = 0;
  for (const TotalMensal& m : meses) maximo = std::max(maximo, m.chuva);
  const std::vector<MarcaDeValor> marcas = marcas_lineares(maximo);
  const Escala y{0, marcas.back().valor, a.base, a.topo};
  eixo_de_valores(svg, a, marcas, y, "Chuva mensal (mm)");
  svg.linha(a.esquerda, a.base, a.direita, a.base, "eixo");

  const std::size_t n = std::max<std::size_t>(meses.size(), 1);
  // A short record keeps bars of a month's usual width instead of a few wide blocks.
  const double banda = std::min((a.direita - a.esquerda) / static_cast<double>(n), 60.0);
  const double inicio = (a.esquerda + a.direita - banda * static_cast<double>(n)) / 2;
  // Every month is named while there is room; otherwise only the years are, at
  // their Januaries, and past fifteen years every other one.
  const bool cada_mes = banda >= 24;
  const bool valores_nas_barras = banda >= 36;
  std::string barras;
  for (std::size_t i = 0; i < meses.size(); ++i) {
    const TotalMensal& m = meses[i];
    const double x = inicio + banda * static_cast<double>(i);
    const double topo = y(m.chuva);
    if (m.chuva > 0) barra(barras, x + banda * 0.12, x + banda * 0.88, a.base, topo);
    if (valores_nas_barras) svg.texto(x + banda / 2, topo - 4, numero_curto(std::round(m.chuva * 10) / 10), "valor");
    const bool ano_rotulado =
        cada_mes ? (i == 0 || m.mes == 1) : m.mes == 1 && (meses.size() <= 180 || m.ano % 2 == 0);
    if (cada_mes) svg.texto(x + banda / 2, a.base + 16, nome_do_mes(m.mes), "rotulo");
    if (ano_rotulado) {
      svg.linha(x, a.base, x, a.base + (cada_mes ? 34 : 8), "eixo");
      svg.texto(cada_mes ? x + 3 : x + 2, a.base + (cada_mes ? 32 : 20), std::to_string(m.ano), "rotulo", "start");
    }
    if (m.registros == 0) svg.texto(x + banda / 2, a.base - 4, "-", "rotulo");
  }
  if (!barras.empty()) svg.caminho(barras, "barra");
  svg.texto((a.esquerda + a.direita) / 2, a.base + 58, "Mes", "titulo-eixo");
  return svg.termina();
}

std::string svg_maximas_anuais(const std::vector<MaximasDoAno>& anos, const std::vector<CurvaIdf>& curvas) {
  // The legend of the years runs in rows under the plot, so a long record and
  // the names of incomplete years do not crowd the right side, where the
  // curves are named.
  constexpr double kLarguraDaLegenda = 140;
  const std::size_t por_linha = static_cast<std::size_t>((kLarguraCheia - 80) / kLarguraDaLegenda);
  const std::size_t linhas_da_legenda = (anos.size() + por_linha - 1) / por_linha;
  const AreaDoGrafico a{80, 850, 15, 300};
  const double legenda_y = a.base + 72;
  Svg svg(kLarguraCheia, legenda_y + static_cast<double>(linhas_da_legenda) * 16 + 4,
          curvas.empty() ? "Maximas anuais: intensidade contra duracao, uma linha por ano"
                         : "Maximas anuais: intensidade contra duracao, uma linha por ano, e as curvas IDF ajustadas");
  double imin = 0, imax = 0;
  int dmin = 0, dmax = 0;
  auto abrange = [&](const PontosPorDuracao& pontos) {
    for (const auto& [d, i] : pontos) {
      if (!(i > 0)) continue;
      imin = imin == 0 ? i : std::min(imin, i);
      imax = std::max(imax, i);
      dmin = dmin == 0 ? d : std::min(dmin, d);
      dmax = std::max(dmax, d);
    }
  };
  for (const MaximasDoAno& ano : anos) abrange(ano.pontos);
  for (const CurvaIdf& curva : curvas) abrange(curva.pontos);
  if (imax == 0) {
    svg.texto(kLarguraCheia / 2, 180, "Nenhuma chuva no registro: nao ha maximas a desenhar.", "rotulo");
    return svg.termina();
  }
  if (dmax == dmin) {
    dmin = std::max(1, dmin / 2);
    dmax *= 2;
  }
  const std::vector<MarcaDeValor> marcas_y = marcas_logaritmicas(imin, imax);
  const Escala y{std::log10(marcas_y.front().valor), std::log10(marcas_y.back().valor), a.base, a.topo};
  auto yy = [&](double i) { return y(std::log10(i)); };
  const Escala x{std::log10(dmin), std::log10(dmax), a.esquerda + 15, a.direita - 15};
  auto xx = [&](double d) { return x(std::log10(d)); };

  for (const MarcaDeValor& m : marcas_y) {
    svg.linha(a.esquerda, yy(m.valor), a.direita, yy(m.valor), "grade");
    svg.linha(a.esquerda, yy(m.valor), a.esquerda - kTick, yy(m.valor), "eixo");
    svg.texto(a.esquerda - kTick - 3, yy(m.valor) + 4, m.rotulo, "rotulo", "end");
  }
  svg.linha(a.esquerda, a.topo, a.esquerda, a.base, "eixo");
  svg.texto_vertical(a.esquerda - 52, (a.topo + a.base) / 2, "Intensidade maxima (mm/h)", "titulo-eixo");
  svg.linha(a.esquerda, a.base, a.direita, a.base, "eixo");
  for (int d : {5, 10, 15, 30, 60, 120, 180, 360, 720, 1440}) {
    if (d < dmin || d > dmax) continue;
    svg.linha(xx(d), a.topo, xx(d), a.base, "grade");
    svg.linha(xx(d), a.base, xx(d), a.base + kTick, "eixo");
    svg.texto(xx(d), a.base + 18, std::to_string(d), "rotulo");
  }
  svg.texto((a.esquerda + a.direita) / 2, a.base + 45, "Duracao (min, escala logaritmica)", "titulo-eixo");

  // One colour per year, repeating with a dash after ten years. Under the
  // curves the years' lines step back, and their points stay.
  for (std::size_t k = 0; k < anos.size(); ++k) {
    const MaximasDoAno& ano = anos[k];
    const std::string cor = std::to_string(k % 10);
    const std::string classe = "ano s" + cor + (k / 10 % 2 ? " tracejado" : "");
    Traco traco;
    for (const auto& [d, i] : ano.pontos) {
      if (i > 0) traco.ponto(xx(d), yy(i));
    }
    if (!traco.d().empty()) svg.caminho(traco.d(), classe + (curvas.empty() ? "" : " leve"));
    const std::string ponto = ano.completo ? "f" + cor : "vazado s" + cor;
    for (const auto& [d, i] : ano.pontos) {
      if (i > 0) svg.circulo(xx(d), yy(i), 2.5, ponto);
    }
    const double lx = a.esquerda + static_cast<double>(k % por_linha) * kLarguraDaLegenda;
    const double ly = legenda_y + static_cast<double>(k / por_linha) * 16;
    svg.linha(lx, ly - 4, lx + 18, ly - 4, classe);
    svg.circulo(lx + 9, ly - 4, 2.5, ponto);
    std::string nome = std::to_string(ano.ano);
    if (traco.d().empty() && ano.completo) nome += " (seco)";
    if (!ano.completo) nome += traco.d().empty() ? " (seco, incompleto)" : " (incompleto)";
    svg.texto(lx + 22, ly, nome, "rotulo", "start");
  }
  desenha_curvas_idf(svg, curvas, a, xx, yy);
  return svg.termina();
}

std::string svg_hietograma(const Hietograma& h, const DesenhoDoEvento& evento) {
  const AreaDoGrafico a{62, 438, 24, 200};
  Svg svg(kLarguraMeia, 262, "Hietograma do evento");
  const Colunas& colunas = h.colunas();
  const Escala x{static_cast<double>(colunas.inicio()), static_cast<double>(colunas.fim()), a.esquerda, a.direita};
  double maior_barra = 0, total = 0;
  for (double b : h.barras()) maior_barra = std::max(maior_barra, b);
  for (double v : h.acumulados()) total = std::max(total, v);

  if (evento.inicio_i30) {
    const double x0 = x(static_cast<double>(*evento.inicio_i30));
    // The window may run past the storm's last tip; the plot ends there.
    const double x1 = std::min(x(static_cast<double>(*evento.inicio_i30 + 1800)), a.direita);
    svg.retangulo(x0, a.topo, std::max(x1 - x0, 1.0), a.base - a.topo, "i30");
    // The label reads from the window towards the middle of the plot.
    const bool a_direita = x0 > (a.esquerda + a.direita) / 2;
    svg.texto(a_direita ? x1 - 2 : x0 + 2, a.topo - 6,
              "I30 = " + numero_curto(std::round(evento.i30 * 100) / 100) + " mm/h", "rotulo-i30",
              a_direita ? "end" : "start");
  }

  const std::vector<MarcaDeValor> marcas_barras = marcas_lineares(maior_barra);
  const Escala yb{0, marcas_barras.back().valor, a.base, a.topo};
  eixo_de_valores(svg, a, marcas_barras, yb, h.um_passo_por_barra() ? "Chuva no passo (mm)" : "Maior chuva num passo (mm)");
  const std::vector<MarcaDeValor> marcas_total = marcas_lineares(total);
  const Escala yt{0, marcas_total.back().valor, a.base, a.topo};
  eixo_de_valores(svg, a, marcas_total, yt, "Chuva acumulada (mm)", true, false);
  eixo_de_tempo(svg, a, colunas.inicio(), colunas.fim(), 6, "Hora");

  const int n = colunas.quantidade();
  const double largura = (a.direita - a.esquerda) / n;
  std::string barras;
  for (int c = 0; c < n; ++c) {
    const double b = h.barras()[c];
    if (!(b > 0)) continue;
    const double x0 = a.esquerda + c * largura;
    const double espaco = largura > 3 ? largura * 0.1 : 0;
    barra(barras, x0 + espaco, x0 + largura - espaco, a.base, yb(b));
  }
  if (!barras.empty()) svg.caminho(barras, "barra");

  Traco linha;
  linha.ponto(a.esquerda, yt(0));
  double acumulado = 0;
  for (int c = 0; c < n; ++c) {
    if (h.acumulados()[c] >= 0) acumulado = h.acumulados()[c];
    linha.ponto(a.esquerda + (c + 1) * largura, yt(acumulado));
  }
  svg.caminho(linha.d(), "acumulada");
  return svg.termina();
}

}  // namespace rain::desenha
