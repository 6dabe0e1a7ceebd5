// Text to number conversions with the program's own rules, shared by every reader.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/brStringUtil.h"  // the ASCII case and hexadecimal helpers

// Decimal integer with an optional sign; nothing else (no blanks, no prefixes).
std::optional<int64_t> TryStrToInt64(const std::string& text);
// As above, and the value must fit in 32 signed bits.
std::optional<int32_t> TryStrToInt(const std::string& text);
// Raises "'<text>' is not a valid integer value".
int32_t StrToInt(const std::string& text);
// A number (non-zero is true) or the words true/false in any letter case.
std::optional<bool> TryStrToBool(const std::string& text);
// Raises "'<text>' is not a valid boolean value".
bool StrToBool(const std::string& text);
// Drops characters with codes up to 32 at both ends.
std::string TrimControl(const std::string& text);
