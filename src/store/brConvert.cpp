#include "store/brConvert.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

#include "store/UQuibError.h"

std::optional<int64_t> TryStrToInt64(const std::string& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i >= text.size()) return std::nullopt;
  uint64_t value = 0;
  const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    const auto digit = static_cast<uint64_t>(c - '0');
    if (value > (limit - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  if (negative)
    return value == (uint64_t{1} << 63) ? std::numeric_limits<int64_t>::min() : -static_cast<int64_t>(value);
  return static_cast<int64_t>(value);
}

std::optional<int32_t> TryStrToInt(const std::string& text) {
  const auto v = TryStrToInt64(text);
  if (!v || *v < std::numeric_limits<int32_t>::min() || *v > std::numeric_limits<int32_t>::max())
    return std::nullopt;
  return static_cast<int32_t>(*v);
}

int32_t StrToInt(const std::string& text) {
  const auto v = TryStrToInt(text);
  if (!v) throw EQuibError("'" + text + "' is not a valid integer value");
  return *v;
}

namespace {
// A plain decimal number with an optional fraction and exponent, nothing around it.
std::optional<double> tryPlainFloat(const std::string& text) {
  if (text.empty()) return std::nullopt;
  for (char c : text) {
    const bool ok = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E';
    if (!ok) return std::nullopt;
  }
  errno = 0;
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size()) return std::nullopt;
  return v;
}
}  // namespace

std::optional<bool> TryStrToBool(const std::string& text) {
  if (const auto n = TryStrToInt64(text)) return *n != 0;
  if (const auto f = tryPlainFloat(text)) return *f != 0.0;
  if (SameTextAscii(text, "true")) return true;
  if (SameTextAscii(text, "false")) return false;
  return std::nullopt;
}

bool StrToBool(const std::string& text) {
  const auto v = TryStrToBool(text);
  if (!v) throw EQuibError("'" + text + "' is not a valid boolean value");
  return *v;
}

std::string TrimControl(const std::string& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= 32) ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
  return text.substr(first, last - first);
}
