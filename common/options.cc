#include "common/options.h"

#include <algorithm>

#include "common/failure.h"

namespace rain {
namespace {

bool is_option(const std::string &arg) { return arg.size() > 2 && arg.compare(0, 2, "--") == 0; }

const OptionSpec *find_spec(OptionList known, std::string_view name) {
  for (const OptionSpec &spec : known) {
    if (spec.name == name) return &spec;
  }
  return nullptr;
}

}  // namespace

Options Options::take_leading(std::vector<std::string> &args, OptionList known) {
  Options options;
  std::size_t next = 0;
  while (next < args.size() && is_option(args[next])) {
    const std::string &name = args[next];
    const OptionSpec *spec = find_spec(known, name);
    if (!spec) throw Failure("Erro: opcao desconhecida: " + name + ".", 1);
    if (options.given(name)) throw Failure("Erro: a opcao " + name + " foi dada mais de uma vez.", 1);
    std::string value;
    if (spec->takes_value) {
      if (next + 1 >= args.size()) throw Failure("Erro: a opcao " + name + " pede um valor.", 1);
      value = args[next + 1];
      ++next;
    }
    options.given_.emplace_back(name, std::move(value));
    ++next;
  }
  if (next < args.size() && args[next] == "--") ++next;
  args.erase(args.begin(), args.begin() + static_cast<std::ptrdiff_t>(next));
  return options;
}

std::optional<std::string> Options::value(std::string_view name) const {
  auto found = std::find_if(given_.begin(), given_.end(), [&](const auto &option) { return option.first == name; });
  if (found == given_.end()) return std::nullopt;
  return found->second;
}

}  // namespace rain
