#include "formatter/ajusta_leituras.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "common/calendar.h"
#include "common/created_file.h"
#include "common/failure.h"
#include "common/fixed.h"
#include "common/line_io.h"
#include "common/numbers.h"
#include "common/run_files.h"
#include "common/series_record.h"
#include "common/text.h"
#include "formatter/conta_basculacoes.h"
#include "formatter/discretiza.h"
#include "formatter/discretiza_em_fluxo.h"
#include "formatter/conta_em_fluxo.h"
#include "formatter/fluxo.h"
#include "formatter/work_files.h"

namespace rain::formatter {
namespace {

const char* const kErroAbrirEntrada = "Erro: nao foi possivel abrir o arquivo de entrada.";
const char* const kErroGerarSaida = "Erro: nao foi possivel gerar o arquivo de saida.";
const char* const kErroLerEntrada = "Erro: nao foi possivel ler o arquivo de entrada.";
const char* const kErroGravarSaida = "Erro: nao foi possivel gravar o arquivo de saida.";
const char* const kErroMesmoArquivo = "Erro: o arquivo de saida nao pode ser o proprio arquivo de entrada.";
const char* const kErroCapacidadeZero = "A capacidade da bascula deve ser diferente de zero.";
const char* const kErroCapacidadeNegativa = "A capacidade da bascula deve ser maior que zero.";

const DelimiterSet& date_mask_separators() {
  static const DelimiterSet set("-./");
  return set;
}

// The raw file's field separator.
struct Separador {
  char caractere = ' ';
  DelimiterSet del;
  // Titles of a blank-separated header are its words; with any other
  // separator a title of several words is kept together by "_".
  bool titulos_por_brancos = false;
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

// What the run does with its columns, decided once from the parameters.
struct Plano {
  Separador separador;
  MascaraDeData mascara;
  // The logger gave the tips of each record: they are copied, not derived.
  bool basculas_por_intervalo = false;
  bool acumulo_total = false;
  bool discretiza = false;
};

Plano faz_plano(const ParametrosDoAjuste& p) {
  Plano plano;
  plano.separador = escolhe_separador(p.TIPO_SEPARADOR);
  plano.mascara = le_mascara(p.MASCARA);
  plano.basculas_por_intervalo = p.COLUNA_BASCULA != 0 && equals_upper(p.TIPO_BASCULA, "INTERVALO");
  plano.acumulo_total = equals_upper(p.TIPO_ACUMULO, "TOTAL");
  plano.discretiza = equals_upper(p.DISCRETIZADO, "N");
  return plano;
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

// A raw line as a message shows it.
std::string trecho(std::string_view linha) { return cut_short(linha); }

// Where in the raw file a record stands, for the messages that name it.
struct Origem {
  long numero = 0;
  std::string_view linha;

  std::string descreve() const { return "linha " + std::to_string(numero) + " do arquivo de entrada"; }
};

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

// The value of a rain or tip field: a field that repeats the one before (a
// dry reading, most of the time) is not read again.
class LeituraDoCampo {
 public:
  double le(std::string_view campo, int coluna, const Origem& origem) {
    if (!tem_ || campo != texto_) {
      valor_ = numero_do_campo(campo, coluna, origem);
      texto_.assign(campo);
      tem_ = true;
    }
    return valor_;
  }

 private:
  bool tem_ = false;
  std::string texto_;
  double valor_ = 0;
};

// The records of a series to be resampled must be calendar dates and clock
// times in time order; years count on from the first record's year, so
// 31/12/99 is followed by 01/01/00. A series kept as it is only has its
// impossible dates counted.
class ConfereRegistros {
 public:
  ConfereRegistros(bool discretiza, ResumoDoAjuste& resumo) : discretiza_(discretiza), resumo_(resumo) {}

  // The record's fields when it has the usual form, read in place; nothing
  // when they had to be found the long way.
  const FixedRecord* confere(const std::string& registro, const Origem& origem) {
    lido_ = fixed_record(registro);
    const std::optional<FixedRecord>& fixo = lido_;
    std::optional<CalendarDate> data = fixo ? fixo->date : fixed_calendar_date(data_do_registro(registro));
    if (!discretiza_) {
      if (!data && resumo_.datas_impossiveis++ == 0) {
        resumo_.primeira_linha_impossivel = origem.numero;
        resumo_.primeiro_texto_impossivel = trecho(origem.linha);
      }
      return fixo ? &*fixo : nullptr;
    }
    if (!data) recusa("data invalida", origem);
    std::optional<ClockTime> hora = fixo ? fixo->time : fixed_clock_time(hora_do_registro(registro));
    if (!hora) recusa("hora invalida", origem);
    if (!tem_anterior_) primeiro_ano_ = data->ano;
    const Momento momento{(data->ano - primeiro_ano_ + 100) % 100, data->mes, data->dia, *hora};
    if (tem_anterior_ && momento < anterior_) recusa("registro anterior ao registro precedente", origem);
    anterior_ = momento;
    tem_anterior_ = true;
    return fixo ? &*fixo : nullptr;
  }

 private:
  std::optional<FixedRecord> lido_;
  // OBTEMDATA and OBTEMHORA of the record, the usual forms read in place:
  // a date "dd/mm/yy" is its own fixed form, "dd/mm/yyyy" drops the century,
  // a time "hh:mm:ss" is its own; any other text takes the long way.
  std::string_view data_do_registro(const std::string& registro) {
    std::string_view data = palavra_curta(registro, 2);
    if (data.size() == 8 && so_digitos_e_barras(data)) return data;
    if (data.size() == 10 && so_digitos_e_barras(data)) {
      data_curta_.assign(data.substr(0, 6)).append(data.substr(8));
      return data_curta_;
    }
    data_longa_ = OBTEMDATA(registro);
    return data_longa_;
  }
  std::string_view hora_do_registro(const std::string& registro) {
    std::string_view hora = palavra_curta(registro, 1);
    if (hora.size() == 8 && hora[2] == ':' && hora[5] == ':' && digito(hora[0]) && digito(hora[1]) &&
        digito(hora[3]) && digito(hora[4]) && digito(hora[6]) && digito(hora[7])) {
      return hora;
    }
    hora_longa_ = OBTEMHORA(registro);
    return hora_longa_;
  }
  // Word `n` of the record's first 255 characters (records hold no tabs).
  static std::string_view palavra_curta(const std::string& registro, int n) {
    static const DelimiterSet branco(" ");
    std::string_view curto(registro.data(), std::min(registro.size(), kMaxShortText));
    return word_view(curto, n, branco);
  }
  static bool digito(char c) { return c >= '0' && c <= '9'; }
  // "dd/dd/dd" or "dd/dd/dddd".
  static bool so_digitos_e_barras(std::string_view data) {
    for (std::size_t i = 0; i < data.size(); ++i) {
      if (i == 2 || i == 5 ? data[i] != '/' : !digito(data[i])) return false;
    }
    return true;
  }

  std::string data_curta_;
  std::string data_longa_;
  std::string hora_longa_;

  struct Momento {
    int anos_desde_o_primeiro = 0;
    int mes = 0;
    int dia = 0;
    ClockTime hora;
    auto operator<=>(const Momento&) const = default;
  };

  [[noreturn]] static void recusa(const char* motivo, const Origem& origem) {
    throw Failure("Erro: " + std::string(motivo) + " na " + origem.descreve() + ": " + trecho(origem.linha), 1);
  }

  bool discretiza_;
  int primeiro_ano_ = 0;
  bool tem_anterior_ = false;
  Momento anterior_;
  ResumoDoAjuste& resumo_;
};

// Parts of a date of two, two and two or four characters, each separated by
// one separator: false for any other date.
bool partes_de_data_usual(std::string_view data, const DelimiterSet& del, std::string_view (&partes)[3]) {
  if ((data.size() != 8 && data.size() != 10) || !del.has(data[2]) || !del.has(data[5])) return false;
  for (std::size_t i : {0, 1, 3, 4, 6, 7}) {
    if (del.has(data[i])) return false;
  }
  if (data.size() == 10 && (del.has(data[8]) || del.has(data[9]))) return false;
  partes[0] = data.substr(0, 2);
  partes[1] = data.substr(3, 2);
  partes[2] = data.substr(6);
  return true;
}

void acrescenta_data(std::string& linha, std::string_view data, const MascaraDeData& mascara) {
  std::string_view curta = short_view(data);
  if (!mascara.completa()) {
    linha += curta;
    return;
  }
  // The first three parts, found in one pass; a missing part is empty. Most
  // dates are "dd/mm/yyyy" or "dd/mm/yy", whose parts stand where they always do.
  const DelimiterSet& del = date_mask_separators();
  std::string_view partes[3];
  if (partes_de_data_usual(curta, del, partes)) {
    // At most ten characters, put together before they are appended at once.
    char data_nova[10];
    std::size_t n = 0;
    for (int parte : {mascara.dia, mascara.mes, mascara.ano}) {
      if (n > 0) data_nova[n++] = '/';
      const std::string_view texto = partes[parte - 1];
      texto.copy(data_nova + n, texto.size());
      n += texto.size();
    }
    linha.append(data_nova, n);
    return;
  }
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
      const char* proximo = p;
      while (proximo < fim && *proximo != separador_) ++proximo;
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

// Builds the series record of each raw data line (tabs already blanks) and
// carries the accumulated depth from one record to the next.
class MontagemDoRegistro {
 public:
  MontagemDoRegistro(const Plano& plano, const ParametrosDoAjuste& p) : plano_(plano), p_(p) {}

  // The record of the line split in `campos`; `acumulo_escrito` keeps the
  // depth text of the record.
  void monta(std::string& nova, const CamposDaLinha& campos, std::string& acumulo_escrito, const Origem& origem) {
    nova.assign(campos.campo(p_.COLUNA_HORA));
    nova += ' ';
    acrescenta_data(nova, campos.campo(p_.COLUNA_DATA), plano_.mascara);
    nova += ' ';
    acumulo_escrito.clear();
    if (p_.COLUNA_ACUMULO != 0) {
      std::string_view acumulo = campos.campo(p_.COLUNA_ACUMULO);
      if (plano_.acumulo_total) {
        acumulo_escrito.assign(acumulo);  // already a running total
      } else {
        acum_ += chuva_.le(acumulo, p_.COLUNA_ACUMULO, origem);
        texto_do_acumulo_.escreve(acumulo_escrito, acum_);
      }
      nova += acumulo_escrito;
      if (plano_.basculas_por_intervalo) {
        nova += ' ';
        nova += campos.campo(p_.COLUNA_BASCULA);
      }
      return;
    }
    std::string_view bascula = campos.campo(p_.COLUNA_BASCULA);
    const double basculas = basculas_.le(bascula, p_.COLUNA_BASCULA, origem);
    if (plano_.basculas_por_intervalo) {
      acum_ += p_.CAPACIDADE_BASCULA * basculas;
      texto_do_acumulo_.escreve(acumulo_escrito, acum_);
      nova += acumulo_escrito;
      nova += ' ';
      nova += bascula;
    } else {
      acum_ = p_.CAPACIDADE_BASCULA * basculas;  // tips counted since the start
      texto_do_acumulo_.escreve(acumulo_escrito, acum_);
      nova += acumulo_escrito;
    }
  }

 private:
  const Plano& plano_;
  const ParametrosDoAjuste& p_;
  double acum_ = 0;
  TextoDoAcumulo texto_do_acumulo_;
  LeituraDoCampo chuva_;
  LeituraDoCampo basculas_;
};

// The first version of the series: header, then one record per data line.
void converte_registros(LineReader& entrada, DestinoDaSerie& saida, const Plano& plano, const ParametrosDoAjuste& p,
                        ResumoDoAjuste& resumo) {
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
  MontagemDoRegistro montagem(plano, p);
  std::string nova;
  CamposDaLinha campos(plano.separador.caractere, p);
  std::string_view bruta;
  while (!entrada.at_end()) {
    entrada.read_view(bruta);
    ++origem.numero;
    if (std::memchr(bruta.data(), '\t', bruta.size())) {
      linha.assign(bruta);
      replace_char(linha, '\t', ' ');
      bruta = linha;
    }
    origem.linha = bruta;
    if (so_brancos(bruta)) continue;
    campos.separa(bruta);
    montagem.monta(nova, campos, resumo.acumulo, origem);
    const FixedRecord* lido = confere ? conferencia.confere(nova, origem) : nullptr;
    confere = true;
    if (lido && nova.size() <= kMaxShortText) {
      saida.recebe_lido(nova, *lido);
    } else {
      saida.recebe(nova);
    }
    ++resumo.leituras;
  }
}

// Every name the run may write, by the stages the plan runs, against the raw
// file and each other: a clash would have the run destroy its own input or
// one of its files.
RunFiles arquivos_da_execucao(const ParametrosDoAjuste& p, const Plano& plano) {
  RunFiles files;
  if (!p.entrada_dada.empty()) files.given(p.entrada_dada, "o arquivo de entrada");
  if (!p.saida_dada.empty()) files.given(p.saida_dada, "o arquivo de saida");
  files.reads(p.ENDERECO_ENTRADA, "o arquivo de entrada");
  files.writes(p.ENDERECO_SAIDA, "o arquivo de saida");
  files.clash_line(p.ENDERECO_SAIDA, p.ENDERECO_ENTRADA, kErroMesmoArquivo);
  auto trabalho = [&files](const std::string& nome) { files.writes_derived(nome, "o arquivo de trabalho " + nome); };
  if (plano.discretiza || !plano.basculas_por_intervalo) trabalho(nome_de_trabalho(p.ENDERECO_SAIDA));
  if (plano.discretiza) {
    trabalho(p.ENDERECO_SAIDA + "~");
    for (const char* cache : {kGridFile, kDayListFile}) {
      trabalho(cache);
      trabalho(temporary_name(cache));
    }
  }
  return files;
}

// Records of the finished series: its lines but the header.
std::int64_t conta_registros(Env& env, const std::string& serie) {
  std::unique_ptr<LineReader> arquivo = open_lines(env, serie);
  if (!arquivo) return 0;
  std::int64_t linhas = 0;
  std::string linha;
  while (arquivo->read_line(linha)) ++linhas;
  return linhas > 0 ? linhas - 1 : 0;
}

// Moves the series to its work file. A work file left by an earlier run is
// never replaced: the run stops with both files as they are.
void move_para_trabalho(Env& env, const std::string& saida, const std::string& trabalho) {
  if (env.rename_no_replace(saida, trabalho)) return;
  if (env.exists(trabalho)) {
    throw Failure("Erro: o arquivo de trabalho " + trabalho +
                      " ja existe (sobra de uma execucao anterior); apague-o e execute novamente.",
                  1);
  }
  throw Failure("Erro: nao foi possivel renomear o arquivo de saida para " + trabalho + ".", 1);
}

std::unique_ptr<LineReader> abre_entrada(Env& env, const ParametrosDoAjuste& p) {
  std::unique_ptr<LineReader> entrada = open_lines(env, p.ENDERECO_ENTRADA);
  if (!entrada) throw Failure(kErroAbrirEntrada, 1);
  return entrada;
}

// The first version of the series goes to the output file, and each later
// stage moves it to the work file, reads it there and writes the output anew.
void ajusta_em_etapas(Env& env, LineReader& entrada, const ParametrosDoAjuste& p, const Plano& plano,
                      const std::optional<Passo>& passo, ResumoDoAjuste& resumo) {
  std::unique_ptr<LineWriter> saida = create_lines(env, p.ENDERECO_SAIDA);
  if (!saida) throw Failure(kErroGerarSaida, 1);
  ArquivoDaSerie arquivo(*saida);
  converte_registros(entrada, arquivo, plano, p, resumo);
  if (entrada.failed()) throw Failure(kErroLerEntrada, 1);
  if (!saida->close()) throw Failure(kErroGravarSaida, 1);
  saida.reset();

  const std::string trabalho = nome_de_trabalho(p.ENDERECO_SAIDA);
  if (plano.discretiza) {
    move_para_trabalho(env, p.ENDERECO_SAIDA, trabalho);
    DISCRETIZA_NO_TEMPO(env, trabalho, p.ENDERECO_SAIDA, *passo);
    env.remove(trabalho);
  }
  if (!plano.basculas_por_intervalo) {
    move_para_trabalho(env, p.ENDERECO_SAIDA, trabalho);
    CONTA_BASCULACOES(env, trabalho, p.ENDERECO_SAIDA, p.CAPACIDADE_BASCULA);
    env.remove(trabalho);
  }
  // The resampling's cached grid and day list live only as long as one run;
  // a run that did not resample leaves files of those names alone.
  if (plano.discretiza) {
    env.remove(kGridFile);
    env.remove(kDayListFile);
  }
  resumo.registros = conta_registros(env, p.ENDERECO_SAIDA);
}

// The later stages can run in memory, straight into the output, when nothing
// the work files would meet is there: the input is a plain file that can be
// read again, the output a plain file or none, and no work file or cache of
// an earlier run lies where the stages would look for it.
bool pode_seguir_em_memoria(Env& env, const ParametrosDoAjuste& p, const Plano& plano) {
  if (!plano.discretiza && plano.basculas_por_intervalo) return false;  // the conversion is the only stage
  if (env.entry_kind(p.ENDERECO_ENTRADA) != EntryKind::kRegularFile) return false;
  if (env.entry_kind(p.ENDERECO_SAIDA) == EntryKind::kOther) return false;
  std::vector<std::string> trabalho = {nome_de_trabalho(p.ENDERECO_SAIDA)};
  if (plano.discretiza) {
    trabalho.push_back(p.ENDERECO_SAIDA + "~");
    for (const char* cache : {kGridFile, kDayListFile}) {
      trabalho.emplace_back(cache);
      trabalho.push_back(temporary_name(cache));
    }
  }
  for (const std::string& nome : trabalho) {
    if (env.entry_kind(nome) != EntryKind::kNone) return false;
  }
  return true;
}

// One pass: conversion, resampling and tip counting hand each line on in
// memory, and only the finished series is written.
void ajusta_em_memoria(Env& env, LineReader& entrada, const ParametrosDoAjuste& p, const Plano& plano,
                       const std::optional<Passo>& passo, ResumoDoAjuste& resumo) {
  std::unique_ptr<LineWriter> saida = create_lines(env, p.ENDERECO_SAIDA);
  if (!saida) throw Failure(kErroGerarSaida, 1);
  ArquivoDaSerie arquivo(*saida);
  DestinoDaSerie* destino = &arquivo;
  std::optional<ContagemEmFluxo> contagem;
  if (!plano.basculas_por_intervalo) destino = &contagem.emplace(*destino, p.CAPACIDADE_BASCULA);
  std::optional<DiscretizacaoEmFluxo> discretizacao;
  if (plano.discretiza) destino = &discretizacao.emplace(*destino, *passo);
  converte_registros(entrada, *destino, plano, p, resumo);
  if (entrada.failed()) throw Failure(kErroLerEntrada, 1);
  destino->termina();
  if (!saida->close()) throw Failure(kErroGravarSaida, 1);
  resumo.registros = std::max<std::int64_t>(arquivo.linhas() - 1, 0);
}

}  // namespace

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

std::string nome_de_trabalho(const std::string& saida) { return cut_short(saida + ".pvx"); }

ResumoDoAjuste AJUSTA_LEITURAS(Env& env, const ParametrosDoAjuste& p) {
  const Plano plano = faz_plano(p);

  arquivos_da_execucao(p, plano).check(env);
  std::unique_ptr<LineReader> entrada = abre_entrada(env, p);
  // The capacity divides depths into tips when they are derived, and
  // multiplies tips into depths when there is no rain column.
  const bool usa_capacidade = !plano.basculas_por_intervalo || p.COLUNA_ACUMULO == 0;
  if (usa_capacidade && !(p.CAPACIDADE_BASCULA > 0)) {
    throw Failure(p.CAPACIDADE_BASCULA == 0 ? kErroCapacidadeZero : kErroCapacidadeNegativa, 1);
  }
  // A step the resampling would refuse is refused before anything is made.
  std::optional<Passo> passo;
  if (plano.discretiza) passo = Passo::le(p.INTERVALO);

  if (pode_seguir_em_memoria(env, p, plano)) {
    ResumoDoAjuste resumo;
    try {
      ajusta_em_memoria(env, *entrada, p, plano, passo, resumo);
      return resumo;
    } catch (const Desvio&) {
    } catch (const Failure&) {
    }
    // Whatever stopped the stages in memory, the stages through their work
    // files meet it again and leave every file as they always have.
    entrada = abre_entrada(env, p);
  }
  ResumoDoAjuste resumo;
  ajusta_em_etapas(env, *entrada, p, plano, passo, resumo);
  return resumo;
}

}  // namespace rain::formatter
