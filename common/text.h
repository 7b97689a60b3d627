// Text helpers shared by the programs: delimiter sets, word splitting,
// the 255-character cut of short texts, and small character rewrites.
#pragma once

#include <bit>
#include <bitset>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace rain {

// Parameters, answers, file names and most lines are held as texts of at most
// this many characters; longer input is cut.
inline constexpr std::size_t kMaxShortText = 255;

// A set of delimiter characters. Word N of a text is the N-th maximal run of
// characters outside the set.
class DelimiterSet {
 public:
  DelimiterSet() = default;
  explicit DelimiterSet(std::string_view chars);
  bool has(char c) const { return bits_[static_cast<unsigned char>(c)]; }
  DelimiterSet& add(char c);
  DelimiterSet& add_range(char first, char last);

 private:
  std::bitset<256> bits_;
};

// Word `n` (1-based) of `text`. Runs of delimiters count as one and delimiters
// at either end are ignored, so no word is ever empty; a word number below 1 or
// beyond the last word gives the empty text. The view points into `text`.
std::string_view word_view(std::string_view text, int n, const DelimiterSet& delims);
// The first word of `text` from `at` on, `at` then standing just after it; the
// empty text when no word is left. Walks the words of a text one by one.
inline std::string_view next_word(std::string_view text, std::size_t& at, const DelimiterSet& delims) {
  while (at < text.size() && delims.has(text[at])) ++at;
  const std::size_t start = at;
  while (at < text.size() && !delims.has(text[at])) ++at;
  return text.substr(start, at - start);
}
std::string word(std::string_view text, int n, const DelimiterSet& delims);
int count_words(std::string_view text, const DelimiterSet& delims);

// The first 255 characters of `text`: the one short-text cut, as a view, a
// copy, or in place.
std::string_view short_view(std::string_view text);

// Two texts are the same. Most are a few characters long (a depth, a field,
// a raw line), where words compared in place cost less than a call: eight
// bytes at a time, the last word overlapping the one before.
inline bool same_text(std::string_view a, std::string_view b) {
  const std::size_t n = a.size();
  if (n != b.size()) return false;
  const char* x = a.data();
  const char* y = b.data();
  if (n >= 8) {
    for (std::size_t i = 0; i + 8 < n; i += 8) {
      if (std::memcmp(x + i, y + i, 8) != 0) return false;
    }
    return std::memcmp(x + n - 8, y + n - 8, 8) == 0;
  }
  if (n >= 4) return std::memcmp(x, y, 4) == 0 && std::memcmp(x + n - 4, y + n - 4, 4) == 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (x[i] != y[i]) return false;
  }
  return true;
}

// The first `c` in [begin, end), or `end`. Short fields are where most
// searches end, so eight bytes are looked at a time with no call.
inline const char* find_char(const char* begin, const char* end, char c) {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighs = 0x8080808080808080u;
    const std::uint64_t pattern = kOnes * static_cast<unsigned char>(c);
    while (end - begin >= 8) {
      std::uint64_t word;
      std::memcpy(&word, begin, 8);
      const std::uint64_t x = word ^ pattern;
      // The lowest byte flagged is the first zero byte of x; bytes above it
      // may be flagged falsely, never below.
      const std::uint64_t zeros = (x - kOnes) & ~x & kHighs;
      if (zeros) return begin + (std::countr_zero(zeros) >> 3);
      begin += 8;
    }
  }
  while (begin < end && *begin != c) ++begin;
  return begin;
}
std::string cut_short(std::string_view text);
void cut_short_in_place(std::string& text);

std::string to_upper(std::string_view text);
bool equals_upper(std::string_view text, std::string_view upper_keyword);

// Every `from` becomes `to`, in place.
void replace_char(std::string& text, char from, char to);
std::string with_char_replaced(std::string_view text, char from, char to);
// Every `c` removed.
std::string without_char(std::string_view text, char c);

}  // namespace rain
