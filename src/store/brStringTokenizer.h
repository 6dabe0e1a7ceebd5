// Splits a text into tokens at delimiter characters, keeping quoted stretches whole.
// The XML reader uses it to cut a tag into its name, attribute names and quoted values.
#pragma once

#include <string>
#include <vector>

class TStringTokenizer {
 public:
  // Tokenizes at once; the tokens never change afterwards.
  TStringTokenizer(std::string source, std::string delimiters, std::string quoteChars, bool returnDelimiters,
                   bool keepQuotes);

  int Count() const { return static_cast<int>(tokens_.size()); }
  // An empty string for an index outside 0 .. Count() - 1.
  std::string Token(int index) const;
  const std::vector<std::string>& Tokens() const { return tokens_; }

  const std::string& Source() const { return source_; }
  const std::string& Delimiters() const { return delimiters_; }
  const std::string& QuoteChars() const { return quoteChars_; }
  bool ReturnDelimiters() const { return returnDelimiters_; }
  bool KeepQuotes() const { return keepQuotes_; }

 private:
  void Tokenize();

  std::string source_;
  std::string delimiters_;
  std::string quoteChars_;
  bool returnDelimiters_;
  bool keepQuotes_;
  std::vector<std::string> tokens_;
};
