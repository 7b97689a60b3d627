// Replays stored inputs through a fuzz target without the fuzzer, so that any
// compiler builds it and the corpus runs as an ordinary test: each argument is
// an input file or a folder of them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> inputs_in(const std::filesystem::path& given) {
  if (!std::filesystem::is_directory(given)) return {given};
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(given)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    for (const std::filesystem::path& path : inputs_in(argv[i])) {
      std::ifstream file(path, std::ios::binary);
      if (!file) {
        std::cerr << "cannot read " << path << "\n";
        return 1;
      }
      const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
      // The name first: a target that aborts leaves it as the last line.
      std::cerr << path.filename().string() << "\n";
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++replayed;
    }
  }
  std::cout << replayed << " inputs replayed\n";
  // A corpus that is missing would pass unseen.
  return replayed > 0 ? 0 : 1;
}
