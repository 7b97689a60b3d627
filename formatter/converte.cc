#include "formatter/converte.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "common/calendar.h"
#include "common/failure.h"
#include "common/fixed.h"
#include "common/numbers.h"
#include "common/series_record.h"
#include "common/text.h"
#include "formatter/confere_registros.h"
#include "formatter/ultimo_lido.h"

namespace rain::formatter {
namespace {

const DelimiterSet& date_mask_separators() {
  static const DelimiterSet set("-./");
  return set;
}

std::string cabecalho_fixo(const Plano& plano) {
  return plano.basculas_por_intervalo ? "Hora Data Acumulo Basculacoes" : "Hora Data Acumulo";
}

// The titles of the time, date and depth columns (and of the tip column when
// the tips are copied) out of the raw header line.
std::string cabecalho_do_arquivo(std::string linha, const Plano& plano, const ParametrosDoAjuste& p) {
  if (!plano.separador.titulos_por_brancos) replace_char(linha, ' ', '_');
  replace_char(linha, '\t', ' ');
  const DelimiterSet& del = plano.separador.del;
  std::string titulos = word(linha, p.COLUNA_HORA, del);
  titulos += ' ';
  titulos += word_view(linha, p.COLUNA_DATA, del);
  titulos += ' ';
  titulos += word_view(linha, p.COLUNA_ACUMULO, del);
  if (plano.basculas_por_intervalo) {
    titulos += ' ';
    titulos += word_view(linha, p.COLUNA_BASCULA, del);
  }
  return titulos;
}

bool so_brancos(std::string_view linha) { return linha.find_first_not_of(' ') == std::string_view::npos; }

// A rain or tip field that must be a number; an unreadable one ends the run
// without a message on standard output, saying on standard error where.
double numero_do_campo(std::string_view campo, int coluna, const Origem& origem) {
  DecimalText d = parse_decimal(campo);
  if (!d.ok()) {
    throw Failure::silent(1, "Erro: " + origem.descreve() + ", campo " + std::to_string(coluna) + ": \"" +
                                 std::string(campo) + "\" nao e um numero: " + trecho(origem.linha));
  }
  return d.value;
}

void acrescenta_data(std::string& linha, std::string_view data, const MascaraDeData& mascara) {
  std::string_view curta = short_view(data);
  if (!mascara.completa()) {
    linha += curta;
    return;
  }
  // The first three parts, found in one pass; a missing part is empty.
  const DelimiterSet& del = date_mask_separators();
  std::string_view partes[3];
  std::size_t i = 0;
  for (std::string_view& parte : partes) {
    while (i < curta.size() && del.has(curta[i])) ++i;
    const std::size_t inicio = i;
    while (i < curta.size() && !del.has(curta[i])) ++i;
    parte = curta.substr(inicio, i - inicio);
  }
  linha += partes[mascara.dia - 1];
  linha += '/';
  linha += partes[mascara.mes - 1];
  linha += '/';
  linha += partes[mascara.ano - 1];
}

// The date of a record as the mask rewrites it. The readings of a day share
// their date, which is rewritten once.
class DataDoRegistro {
 public:
  explicit DataDoRegistro(const MascaraDeData& mascara) : mascara_(mascara) {}

  void acrescenta(std::string& linha, std::string_view data) {
    if (!tem_ || !same_text(data, bruta_)) {
      bruta_.assign(data);
      reescrita_.clear();
      acrescenta_data(reescrita_, data, mascara_);
      tem_ = true;
    }
    linha += reescrita_;
  }

 private:
  const MascaraDeData& mascara_;
  bool tem_ = false;
  std::string bruta_;
  std::string reescrita_;
};

// The fields of one raw data line, found in one pass and held as views into
// it; the views are reused from line to line, so a record costs no allocation.
class CamposDaLinha {
 public:
  CamposDaLinha(char separador, const ParametrosDoAjuste& p) : separador_(separador) {
    ultimo_ = std::max({1, int{p.COLUNA_HORA}, int{p.COLUNA_DATA}, int{p.COLUNA_ACUMULO}, int{p.COLUNA_BASCULA}});
    campos_.reserve(static_cast<std::size_t>(std::min(ultimo_, 16)));
  }

  // Only the fields up to the last one the run picks are looked for.
  void separa(std::string_view linha) {
    campos_.clear();
    const char* p = linha.data();
    const char* const fim = p + linha.size();
    while (static_cast<int>(campos_.size()) < ultimo_) {
      while (p < fim && *p == separador_) ++p;
      if (p == fim) break;
      const char* proximo = find_char(p, fim, separador_);
      campos_.emplace_back(p, static_cast<std::size_t>(proximo - p));
      p = proximo;
    }
  }
  // Field `n` (1-based); empty for 0, a negative number or one past the last.
  std::string_view campo(int n) const {
    return n >= 1 && n <= static_cast<int>(campos_.size()) ? campos_[static_cast<std::size_t>(n - 1)]
                                                           : std::string_view();
  }

 private:
  char separador_;
  int ultimo_ = 1;
  std::vector<std::string_view> campos_;
};

// The text of a running total: a dry reading repeats the one before, which
// is then not written out again.
class TextoDoAcumulo {
 public:
  void escreve(std::string& texto, double valor) {
    if (!tem_ || std::memcmp(&valor, &valor_, sizeof valor) != 0) {
      texto_.clear();
      append_fixed_compact(texto_, valor, 2);
      valor_ = valor;
      tem_ = true;
    }
    texto += texto_;
  }

 private:
  bool tem_ = false;
  double valor_ = 0;
  std::string texto_;
};

// A running total read as a number, a decimal comma as a point; nothing for
// a text that is not one, which is copied as it stands.
std::optional<double> total_lido(std::string_view campo) {
  return campo.find(',') == std::string_view::npos ? decimal(campo) : decimal(with_char_replaced(campo, ',', '.'));
}

// A tip count copied from the export as written, unless it is below zero: a
// record never has negative tips.
bool contagem_negativa(std::string_view campo) {
  std::size_t inicio = 0;
  while (inicio < campo.size() && (campo[inicio] == ' ' || campo[inicio] == '\t')) ++inicio;
  if (inicio == campo.size() || campo[inicio] != '-') return false;
  const std::optional<double> valor = decimal(campo);
  return valor && *valor < 0;
}

// The data line before, to tell a line the logger wrote twice. It is mostly
// still in the reader's buffer as the line before, where it is compared in
// place; only a line whose tabs were turned into blanks, or one that a blank
// line follows, is copied.
class LinhaAnterior {
 public:
  explicit LinhaAnterior(const LineReader& leitor) : leitor_(leitor) {}

  bool igual(std::string_view linha) const {
    switch (onde_) {
      case Onde::kNenhuma:
        return false;
      case Onde::kNoLeitor:
        return same_text(linha, leitor_.line_before());
      case Onde::kCopia:
        return same_text(linha, copia_);
    }
    return false;
  }
  // The data line just read; `reescrita` when it is not the reader's own
  // view but a copy with its tabs turned into blanks.
  void guarda(std::string_view linha, bool reescrita) {
    if (reescrita) {
      copia_.assign(linha);
      onde_ = Onde::kCopia;
    } else {
      onde_ = Onde::kNoLeitor;
    }
  }
  // A blank line was read: the data line before is no longer the reader's
  // line before.
  void depois_de_linha_em_branco() {
    if (onde_ != Onde::kNoLeitor) return;
    copia_.assign(leitor_.line_before());
    onde_ = Onde::kCopia;
  }

 private:
  enum class Onde { kNenhuma, kNoLeitor, kCopia };
  const LineReader& leitor_;
  Onde onde_ = Onde::kNenhuma;
  std::string copia_;
};

void conta(Ocorrencia& ocorrencia, const Origem& origem) {
  if (ocorrencia.vezes++ == 0) {
    ocorrencia.linha = origem.numero;
    ocorrencia.texto = trecho(origem.linha);
  }
}

// Builds the series record of each raw data line (tabs already blanks) and
// carries the accumulated depth from one record to the next. The depth never
// goes down: a running total that falls is a counter that started again, and
// the depth goes on from where it stood; rain or tips below zero add nothing.
class MontagemDoRegistro {
 public:
  MontagemDoRegistro(const Plano& plano, const ParametrosDoAjuste& p, ResumoDoAjuste& resumo)
      : plano_(plano), p_(p), resumo_(resumo), data_(plano.mascara) {}

  // Builds into `nova` the record of the line split in `campos`.
  void monta(std::string& nova, const CamposDaLinha& campos, const Origem& origem) {
    negativo_na_linha_ = false;
    nova.assign(campos.campo(p_.COLUNA_HORA));
    nova += ' ';
    data_.acrescenta(nova, campos.campo(p_.COLUNA_DATA));
    nova += ' ';
    inicio_do_acumulo_ = nova.size();
    if (p_.COLUNA_ACUMULO != 0) {
      std::string_view acumulo = campos.campo(p_.COLUNA_ACUMULO);
      if (plano_.acumulo_total) {
        const std::optional<double>& total = total_.de(acumulo, total_lido);
        if (total) segue_total(*total, origem);
        if (!total || !reiniciou_) {
          nova += acumulo;  // already a running total
        } else {
          texto_do_acumulo_.escreve(nova, acum_);
        }
        tem_acumulo_ = total.has_value();
      } else {
        const double chuva = chuva_.de(acumulo, [&](std::string_view campo) {
          return numero_do_campo(campo, p_.COLUNA_ACUMULO, origem);
        });
        if (chuva < 0) [[unlikely]] {
          negativo(origem);
        } else {
          acum_ += chuva;
        }
        texto_do_acumulo_.escreve(nova, acum_);
        tem_acumulo_ = true;
      }
      fim_do_acumulo_ = nova.size();
      if (plano_.basculas_por_intervalo) acrescenta_basculas(nova, campos.campo(p_.COLUNA_BASCULA), origem);
      inicial();
      return;
    }
    std::string_view bascula = campos.campo(p_.COLUNA_BASCULA);
    const double basculas = basculas_.de(bascula, [&](std::string_view campo) {
      return numero_do_campo(campo, p_.COLUNA_BASCULA, origem);
    });
    if (plano_.basculas_por_intervalo) {
      if (basculas > 0) acum_ += p_.CAPACIDADE_BASCULA * basculas;
    } else {
      segue_total(basculas, origem);  // tips counted since the start
    }
    texto_do_acumulo_.escreve(nova, acum_);
    tem_acumulo_ = true;
    fim_do_acumulo_ = nova.size();
    if (plano_.basculas_por_intervalo) acrescenta_basculas(nova, bascula, origem);
    inicial();
  }

  // The depth text of the record `nova` holds.
  std::string_view acumulo_de(const std::string& nova) const {
    return std::string_view(nova).substr(inicio_do_acumulo_, fim_do_acumulo_ - inicio_do_acumulo_);
  }
  // The depth of the record last built, unless it is a running total that is
  // not a number.
  bool tem_acumulo() const { return tem_acumulo_; }
  double acumulo() const { return acum_; }

 private:
  // The next value of a running total (of depth, or of tips with no rain
  // column). A fall starts a new counter, whose rises go on from the depth
  // before it. A counter that started again from zero already holds the rain
  // since it did, which is added; a fall that leaves more than it took away
  // is a value read low, and adds nothing.
  void segue_total(double total, const Origem& origem) {
    const double escala = p_.COLUNA_ACUMULO != 0 ? 1.0 : p_.CAPACIDADE_BASCULA;
    if (tem_total_ && total < total_anterior_) [[unlikely]] {
      const bool desde_zero = total >= 0 && total <= total_anterior_ - total;
      deslocamento_ = desde_zero ? acum_ : acum_ - escala * total;
      reiniciou_ = true;
      conta(resumo_.reinicios, origem);
    }
    acum_ = deslocamento_ + escala * total;
    total_anterior_ = total;
    tem_total_ = true;
  }

  void negativo(const Origem& origem) {
    if (!negativo_na_linha_) conta(resumo_.negativos, origem);
    negativo_na_linha_ = true;
  }

  void acrescenta_basculas(std::string& nova, std::string_view bascula, const Origem& origem) {
    nova += ' ';
    if (contagem_negativa(bascula)) [[unlikely]] {
      negativo(origem);
      nova += '0';
    } else {
      nova += bascula;
    }
  }

  // The depth before the first reading: the first running total, or nothing
  // for rain given reading by reading.
  void inicial() {
    if (tem_inicial_) return;
    tem_inicial_ = true;
    const bool total = p_.COLUNA_ACUMULO != 0 ? plano_.acumulo_total : !plano_.basculas_por_intervalo;
    resumo_.acumulo_inicial = !total ? std::optional<double>(0.0)
                                     : tem_acumulo_ ? std::optional<double>(acum_) : std::nullopt;
  }

  const Plano& plano_;
  const ParametrosDoAjuste& p_;
  ResumoDoAjuste& resumo_;
  double acum_ = 0;
  bool tem_acumulo_ = false;
  bool tem_total_ = false;
  double total_anterior_ = 0;
  double deslocamento_ = 0;
  bool reiniciou_ = false;
  bool negativo_na_linha_ = false;
  bool tem_inicial_ = false;
  DataDoRegistro data_;
  TextoDoAcumulo texto_do_acumulo_;
  // A field that repeats the one before is not read again.
  UltimoLido<double> chuva_;
  UltimoLido<double> basculas_;
  UltimoLido<std::optional<double>> total_;
  std::size_t inicio_do_acumulo_ = 0;
  std::size_t fim_do_acumulo_ = 0;
};

Separador escolhe_separador(const std::string& tipo) {
  Separador s;
  // Tabs are turned into blanks before a line is split, so "tab" (or a tab
  // typed as the separator itself) splits on blanks. An empty answer of the
  // dialogue is taken as the blank.
  if (equals_upper(tipo, "TAB") || tipo == "\t") {
    s.caractere = ' ';
  } else if (tipo.empty() || equals_upper(tipo, "SPACE") || tipo[0] == ' ') {
    s.caractere = ' ';
    s.titulos_por_brancos = true;
  } else {
    s.caractere = tipo[0];
  }
  s.del = DelimiterSet(std::string_view(&s.caractere, 1));
  return s;
}

}  // namespace

void converte_registros(LineReader& entrada, DestinoDaSerie& saida, const Plano& plano, const ParametrosDoAjuste& p,
                        LacunasDasLeituras& lacunas, ResumoDoAjuste& resumo) {
  std::string linha;
  for (int i = 1; i < p.LINHA_PRIMEIRO_DADO; ++i) {
    entrada.read_line(linha);  // past the end this is an empty line
    if (i == p.LINHA_CABECALHO) saida.recebe(cabecalho_do_arquivo(linha, plano, p));
  }
  Origem origem{std::max<long>(p.LINHA_PRIMEIRO_DADO - 1, 0), {}};
  const bool com_cabecalho =
      p.LINHA_CABECALHO == 0 || (p.LINHA_CABECALHO >= 1 && p.LINHA_CABECALHO < p.LINHA_PRIMEIRO_DADO);
  if (p.LINHA_CABECALHO == 0) saida.recebe(cabecalho_fixo(plano));

  ConfereRegistros conferencia(plano.discretiza, resumo);
  // Without a header line the later stages take the first record for one.
  bool confere = com_cabecalho;
  MontagemDoRegistro montagem(plano, p, resumo);
  std::string nova;
  CamposDaLinha campos(plano.separador.caractere, p);
  std::string_view bruta;
  LinhaAnterior anterior(entrada);
  while (!entrada.at_end()) {
    entrada.read_view(bruta);
    ++origem.numero;
    const bool com_tab = std::memchr(bruta.data(), '\t', bruta.size()) != nullptr;
    if (com_tab) {
      linha.assign(bruta);
      replace_char(linha, '\t', ' ');
      bruta = linha;
    }
    origem.linha = bruta;
    if (so_brancos(bruta)) {
      anterior.depois_de_linha_em_branco();
      continue;
    }
    const bool repetida = anterior.igual(bruta);
    // A repeated line is the line before as well, blanks and tabs aside.
    anterior.guarda(bruta, com_tab);
    if (repetida) [[unlikely]] {
      conta(resumo.repetidas, origem);
      continue;
    }
    campos.separa(bruta);
    montagem.monta(nova, campos, origem);
    const FixedRecord* lido = nullptr;
    if (confere) {
      lido = conferencia.confere(nova, origem);
      lacunas.leitura(conferencia.tem_instante(), conferencia.instante(), montagem.tem_acumulo(),
                      montagem.acumulo());
    }
    confere = true;
    if (lido && nova.size() <= kMaxShortText) {
      saida.recebe_lido(nova, *lido);
    } else {
      saida.recebe(nova);
    }
    ++resumo.leituras;
  }
  if (resumo.leituras > 0) resumo.acumulo = montagem.acumulo_de(nova);
}

Plano faz_plano(const ParametrosDoAjuste& p) {
  Plano plano;
  plano.separador = escolhe_separador(p.TIPO_SEPARADOR);
  plano.mascara = le_mascara(p.MASCARA);
  plano.basculas_por_intervalo = p.COLUNA_BASCULA != 0 && equals_upper(p.TIPO_BASCULA, "INTERVALO");
  plano.acumulo_total = equals_upper(p.TIPO_ACUMULO, "TOTAL");
  plano.discretiza = equals_upper(p.DISCRETIZADO, "N");
  // A resampled series has no tips of its own: they are derived from its
  // depth whatever the export gave.
  plano.deriva_basculas = !plano.basculas_por_intervalo || plano.discretiza;
  return plano;
}

MascaraDeData le_mascara(std::string_view formato) {
  MascaraDeData m;
  std::string_view curto = short_view(formato);
  for (int i = 1; i <= 3; ++i) {
    std::string_view parte = word_view(curto, i, date_mask_separators());
    if (parte.empty()) continue;  // a mask of fewer parts names nothing there
    char letra = to_upper(parte.substr(0, 1))[0];
    if (letra == 'A' || letra == 'Y') {
      m.ano = i;
    } else if (letra == 'M') {
      m.mes = i;
    } else if (letra == 'D') {
      m.dia = i;
    }
  }
  return m;
}

std::string CONVERTE_FORMATO_DATA(std::string_view data, const MascaraDeData& mascara) {
  std::string out;
  acrescenta_data(out, data, mascara);
  return out;
}

std::string CONVERTE_FORMATO_DATA(std::string_view data, std::string_view formato) {
  return CONVERTE_FORMATO_DATA(data, le_mascara(formato));
}

}  // namespace rain::formatter
