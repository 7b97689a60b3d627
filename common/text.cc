#include "common/text.h"

#include <algorithm>

namespace rain {

DelimiterSet::DelimiterSet(std::string_view chars) {
  for (char c : chars) add(c);
}

DelimiterSet& DelimiterSet::add(char c) {
  bits_.set(static_cast<unsigned char>(c));
  return *this;
}

DelimiterSet& DelimiterSet::add_range(char first, char last) {
  for (int c = static_cast<unsigned char>(first); c <= static_cast<unsigned char>(last); ++c) {
    bits_.set(static_cast<std::size_t>(c));
  }
  return *this;
}

std::string_view word_view(std::string_view text, int n, const DelimiterSet& delims) {
  std::size_t at = 0;
  for (int current = 1; current <= n; ++current) {
    const std::string_view found = next_word(text, at, delims);
    if (found.empty() || current == n) return found;
  }
  return {};
}

std::string word(std::string_view text, int n, const DelimiterSet& delims) {
  return std::string(word_view(text, n, delims));
}

int count_words(std::string_view text, const DelimiterSet& delims) {
  int count = 0;
  bool inside = false;
  for (char c : text) {
    if (delims.has(c)) {
      inside = false;
    } else if (!inside) {
      inside = true;
      ++count;
    }
  }
  return count;
}

std::string_view short_view(std::string_view text) { return text.substr(0, std::min(text.size(), kMaxShortText)); }

void cut_short_in_place(std::string& text) {
  if (text.size() > kMaxShortText) text.resize(kMaxShortText);
}

std::string cut_short(std::string_view text) {
  return std::string(short_view(text));
}

std::string to_upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

bool equals_upper(std::string_view text, std::string_view upper_keyword) {
  return to_upper(text) == upper_keyword;
}

void replace_char(std::string& text, char from, char to) {
  // Most lines hold no `from` at all; find() passes over them at memchr speed.
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1)) text[at] = to;
}

std::string with_char_replaced(std::string_view text, char from, char to) {
  std::string out(text);
  replace_char(out, from, to);
  return out;
}

std::string without_char(std::string_view text, char c) {
  std::string out;
  out.reserve(text.size());
  for (char x : text) {
    if (x != c) out.push_back(x);
  }
  return out;
}

}  // namespace rain
