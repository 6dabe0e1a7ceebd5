#include "base/brStringUtil.h"

int PosFrom(const std::string& pattern, const std::string& text, int start) {
  if (pattern.empty()) return 0;
  if (start < 1) start = 1;
  if (static_cast<size_t>(start) > text.size()) return 0;
  const size_t found = text.find(pattern, static_cast<size_t>(start) - 1);
  return found == std::string::npos ? 0 : static_cast<int>(found) + 1;
}

std::string ReplaceAll(const std::string& text, const std::string& pattern, const std::string& replacement) {
  std::string result = text;
  int position = 0;
  while ((position = PosFrom(pattern, result, position)) != 0) {
    result.replace(static_cast<size_t>(position) - 1, pattern.size(), replacement);
    position += static_cast<int>(replacement.size());
  }
  return result;
}

std::optional<uint64_t> TryHexToUInt64(const std::string& text) {
  if (text.empty() || text.size() > 16) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return std::nullopt;
    value = value * 16 + static_cast<uint64_t>(digit);
  }
  return value;
}

std::string LowerCaseAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::string UpperCaseAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

bool SameTextAscii(const std::string& a, const std::string& b) {
  return a.size() == b.size() && LowerCaseAscii(a) == LowerCaseAscii(b);
}
