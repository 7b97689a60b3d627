#include "common/device_names.h"

#include <array>

#include "common/failure.h"
#include "common/platform.h"

namespace rain {
namespace {

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view last_component(std::string_view path) {
  std::size_t cut = path.find_last_of("/\\:");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

}  // namespace

bool names_windows_device(std::string_view path) {
  std::string_view name = last_component(path);
  name = name.substr(0, name.find('.'));
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  std::string key;
  for (char c : name) key.push_back(upper(c));
  static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
  for (std::string_view device : kPlain) {
    if (key == device) return true;
  }
  return key.size() == 4 && (key.starts_with("COM") || key.starts_with("LPT")) && key[3] >= '1' && key[3] <= '9';
}

void refuse_device_as_output(const std::string& path) {
  if (platform::is_reserved_device_name(path)) {
    throw Failure("Erro: \"" + path + "\" e um nome reservado do Windows para dispositivos, nao para arquivos.", 1);
  }
}

}  // namespace rain
