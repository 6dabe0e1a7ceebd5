#include "store/brXMLUtil.h"

#include <array>
#include <string_view>

namespace {
// Which bytes may stand in a node name and in an attribute name, looked up per character.
enum : unsigned char { inAttributeName = 1, inNodeName = 2 };
constexpr std::array<unsigned char, 256> nameChars = [] {
  std::array<unsigned char, 256> t{};
  for (int c = 0; c < 256; ++c) {
    const bool common =
        (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    if (common) t[static_cast<size_t>(c)] = inAttributeName | inNodeName;
  }
  t[':'] = inNodeName;
  return t;
}();

bool allOf(const std::string& s, unsigned char kind) {
  if (s.empty()) return false;
  for (const char c : s)
    if (!(nameChars[static_cast<unsigned char>(c)] & kind)) return false;
  return true;
}

struct Entity {
  std::string_view text;
  char character;
};
constexpr std::array<Entity, 5> entities{{
    {"&amp;", '&'},
    {"&lt;", '<'},
    {"&gt;", '>'},
    {"&apos;", '\''},
    {"&quot;", '"'},
}};

// Replaces every occurrence of one entity, rescanning from the start after each replacement
// as a plain search-and-replace loop would, but in one pass: no earlier occurrence can appear,
// and the only new one possible starts at the character just produced ("&amp;" gives "&").
std::string replaceEntity(const std::string& s, const Entity& e) {
  if (s.find(e.text) == std::string::npos) return s;
  std::string out;
  out.reserve(s.size());
  std::string work = s;
  size_t i = 0;
  while (i < work.size()) {
    if (work.compare(i, e.text.size(), e.text) == 0) {
      if (e.character == '&') {
        // Leave the produced "&" in place of the entity's last character and look again.
        i += e.text.size() - 1;
        work[i] = '&';
        continue;
      }
      out += e.character;
      i += e.text.size();
    } else {
      out += work[i];
      ++i;
    }
  }
  return out;
}
}  // namespace

bool IsValidNodeName(const std::string& s) {
  return allOf(s, inNodeName);
}

bool IsValidAttributeName(const std::string& s) {
  return allOf(s, inAttributeName);
}

bool IsQuoted(const std::string& s) {
  return s.size() >= 2 && s.front() == '"' && s.back() == '"';
}

std::string Unquote(const std::string& s) {
  return IsQuoted(s) ? s.substr(1, s.size() - 2) : s;
}

std::string XMLUnescape(const std::string& s) {
  std::string result = s;
  for (const auto& e : entities) result = replaceEntity(result, e);
  return result;
}

std::string FormatAttribute(const std::string& name, const std::string& value) {
  std::string out;
  out.reserve(name.size() + value.size() + 4);
  out += name;
  out += "=\"";
  out += value;
  out += "\" ";
  return out;
}

std::string FormatAttribute(const std::string& name, int32_t value) {
  return FormatAttribute(name, std::to_string(value));
}

std::string FormatAttribute(const std::string& name, bool value) {
  return FormatAttribute(name, value ? "-1" : "0");
}
