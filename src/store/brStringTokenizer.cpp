#include "store/brStringTokenizer.h"

#include <array>
#include <utility>

TStringTokenizer::TStringTokenizer(std::string source, std::string delimiters, std::string quoteChars,
                                   bool returnDelimiters, bool keepQuotes)
    : source_(std::move(source)),
      delimiters_(std::move(delimiters)),
      quoteChars_(std::move(quoteChars)),
      returnDelimiters_(returnDelimiters),
      keepQuotes_(keepQuotes) {
  Tokenize();
}

std::string TStringTokenizer::Token(int index) const {
  if (index < 0 || index >= Count()) return std::string();
  return tokens_[static_cast<size_t>(index)];
}

void TStringTokenizer::Tokenize() {
  // Byte classes looked up in a table, so a long tag costs one pass and no searching.
  enum : unsigned char { plain = 0, delimiter = 1, quote = 2 };
  std::array<unsigned char, 256> kind{};
  for (const char c : delimiters_) kind[static_cast<unsigned char>(c)] = delimiter;
  for (const char c : quoteChars_) kind[static_cast<unsigned char>(c)] = quote;

  tokens_.clear();
  std::string current;
  bool quoteOpen = false;
  char openQuote = 0;
  for (const char c : source_) {
    const unsigned char k = kind[static_cast<unsigned char>(c)];
    if (k == quote && (!quoteOpen || c == openQuote)) {
      quoteOpen = !quoteOpen;
      openQuote = c;
      if (keepQuotes_) current += c;
    } else if (k == delimiter && !quoteOpen) {
      if (!current.empty()) tokens_.push_back(std::move(current));
      current.clear();
      if (returnDelimiters_) tokens_.emplace_back(1, c);
    } else {
      // A different quote character inside an open quoted stretch is plain content.
      current += c;
    }
  }
  if (!current.empty()) tokens_.push_back(std::move(current));
}
