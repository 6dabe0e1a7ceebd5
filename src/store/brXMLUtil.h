// Text helpers of the XML reader: name checks, quoting, entity decoding and the attribute
// format the notes file is written with. Characters are single bytes; names are ASCII only.
#pragma once

#include <cstdint>
#include <string>

// The encoding the notes file declares in its descriptor.
inline constexpr const char* XMLEncoding = "ISO-8859-1";

// Not empty, and only digits, ":", ASCII letters and "_".
bool IsValidNodeName(const std::string& s);
// Not empty, and only digits, ASCII letters and "_" (no ":").
bool IsValidAttributeName(const std::string& s);
// At least two characters, the first and the last a double quote.
bool IsQuoted(const std::string& s);
// Without the enclosing double quotes when IsQuoted, else unchanged.
std::string Unquote(const std::string& s);
// Decodes &amp; &lt; &gt; &apos; &quot;, in that order, each pass until none is left; so an
// encoded ampersand can start a further entity ("&amp;lt;" gives "<"). Other "&" are kept.
std::string XMLUnescape(const std::string& s);

// name="value" followed by one blank. The string is written as given, not escaped; integers
// in decimal; booleans as -1 and 0.
std::string FormatAttribute(const std::string& name, const std::string& value);
std::string FormatAttribute(const std::string& name, int32_t value);
std::string FormatAttribute(const std::string& name, bool value);
// Without this a string literal would pick the boolean overload.
inline std::string FormatAttribute(const std::string& name, const char* value) {
  return FormatAttribute(name, std::string(value));
}
