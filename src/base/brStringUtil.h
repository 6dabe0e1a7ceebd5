// Small text helpers: searching from a position, replacing every occurrence of a pattern, ASCII
// case and hexadecimal digits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The 1-based position of the first occurrence of pattern in text at or after position start
// (case-sensitive), or 0. A start below 1 counts as 1; a start beyond the text's end, or an
// empty pattern, gives 0.
int PosFrom(const std::string& pattern, const std::string& text, int start);
// Every occurrence replaced, left to right; the search resumes after each inserted replacement,
// so a replacement containing the pattern is not replaced again. An empty pattern changes
// nothing.
std::string ReplaceAll(const std::string& text, const std::string& pattern, const std::string& replacement);

// Hexadecimal digits only (either case), at most 16 of them.
std::optional<uint64_t> TryHexToUInt64(const std::string& text);

std::string LowerCaseAscii(std::string text);
std::string UpperCaseAscii(std::string text);
bool SameTextAscii(const std::string& a, const std::string& b);
