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
  tokens_.reserve(source_.size() / 8 + 1);  // a guess that saves most regrowing for tags
  // The characters a token keeps come in contiguous stretches of the source; each stretch is
  // copied once, when a dropped character or the end of the token closes it.
  constexpr size_t none = std::string::npos;
  std::string current;
  size_t run = none;
  auto closeRun = [&](size_t at) {
    if (run != none) current.append(source_.data() + run, at - run);
    run = none;
  };
  auto endToken = [&](size_t at) {
    if (current.empty() && run != none) {
      // The usual token: one stretch, made in place.
      tokens_.emplace_back(source_.data() + run, at - run);
      run = none;
      return;
    }
    closeRun(at);
    if (!current.empty()) tokens_.push_back(std::move(current));
    current.clear();
  };
  bool quoteOpen = false;
  char openQuote = 0;
  const size_t size = source_.size();
  for (size_t i = 0; i < size; ++i) {
    const char c = source_[i];
    const unsigned char k = kind[static_cast<unsigned char>(c)];
    if (k == plain) {
      if (run == none) run = i;
      while (i + 1 < size && kind[static_cast<unsigned char>(source_[i + 1])] == plain) ++i;
      continue;
    }
    bool kept = true;
    if (k == quote && (!quoteOpen || c == openQuote)) {
      quoteOpen = !quoteOpen;
      openQuote = c;
      kept = keepQuotes_;
    } else if (k == delimiter && !quoteOpen) {
      endToken(i);
      if (returnDelimiters_) tokens_.emplace_back(1, c);
      continue;
    }
    // Anything else is content, a different quote character inside an open quoted stretch too.
    if (!kept)
      closeRun(i);
    else if (run == none)
      run = i;
  }
  endToken(size);
}
