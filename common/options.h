// Options a program takes before its positional parameters
// ("--falhas falhas.csv serie.txt ..."): new features come as options, so
// every command line written without them keeps its meaning.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rain {

// An option a program knows: its name with the leading "--" and whether a
// value follows it as the next argument.
struct OptionSpec {
  std::string_view name;
  bool takes_value = true;
};

using OptionList = std::initializer_list<OptionSpec>;

// The options given on one command line.
class Options {
 public:
  // Takes the leading options off `args`: every argument from the first that
  // starts with "--" up to the first that does not, or up to a lone "--",
  // which is dropped. An unknown option, one given twice or one without its
  // value throws a Failure naming it (exit code 1).
  static Options take_leading(std::vector<std::string> &args, OptionList known);

  bool given(std::string_view name) const { return value(name).has_value(); }
  // The value of an option given with one; "" for one that takes none.
  std::optional<std::string> value(std::string_view name) const;

 private:
  std::vector<std::pair<std::string, std::string>> given_;
};

}  // namespace rain
