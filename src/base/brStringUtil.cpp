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
