#include "store/UTextEncoding.h"

#include "store/UFileUtil.h"

namespace {
// Windows-1252's 0x80..0x9F; the undefined five map to the C1 control of the same number.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The code point of the UTF-8 sequence at bytes[i], advancing i past it; false when the bytes
// there are no valid sequence.
bool nextCodePoint(std::string_view bytes, size_t& i, char32_t& c) {
  const auto byte = [&bytes](size_t k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) {
    c = lead;
    ++i;
    return true;
  }
  size_t length = 0;
  char32_t min = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, min = 0x80, c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, min = 0x800, c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, min = 0x10000, c = lead & 0x07;
  } else {
    return false;
  }
  if (bytes.size() - i < length) return false;
  for (size_t k = 1; k < length; ++k) {
    const unsigned char next = byte(i + k);
    if ((next & 0xC0) != 0x80) return false;
    c = (c << 6) | (next & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
  i += length;
  return true;
}

// The Windows-1252 byte of a code point; false when it has none.
bool windows1252Byte(char32_t c, unsigned char& b) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    b = static_cast<unsigned char>(c);
    return true;
  }
  for (unsigned k = 0; k < 32; ++k) {
    if (kHighControls[k] != c) continue;
    b = static_cast<unsigned char>(0x80 + k);
    return true;
  }
  return false;
}
}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  char32_t c = 0;
  for (size_t i = 0; i < bytes.size();)
    if (!nextCodePoint(bytes, i, c)) return false;
  return true;
}

TDecodedText DecodeText(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return {std::string(bytes), TTextEncoding::Utf8};
  TDecodedText decoded{std::string(), TTextEncoding::Windows1252};
  decoded.Text.reserve(bytes.size() + bytes.size() / 8);
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    appendUtf8(decoded.Text, b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char32_t{b});
  }
  return decoded;
}

std::string EncodeText(std::string_view text, TTextEncoding& encoding) {
  if (encoding == TTextEncoding::Windows1252) {
    std::string out;
    out.reserve(text.size());
    bool fits = true;
    char32_t c = 0;
    unsigned char b = 0;
    for (size_t i = 0; fits && i < text.size();) {
      fits = nextCodePoint(text, i, c) && windows1252Byte(c, b);
      out += static_cast<char>(b);
    }
    if (fits) return out;
    encoding = TTextEncoding::Utf8;
  }
  return std::string(text);
}

TTextFile ReadEncodedTextFile(const std::string& path) {
  TDecodedText decoded = DecodeText(ReadFileBytes(path));
  return {SplitTextLines(decoded.Text), decoded.Encoding};
}

TTextEncoding WriteEncodedTextFile(const std::string& path, const std::vector<std::string>& lines,
                                   TTextEncoding encoding) {
  WriteFileAtomic(path, EncodeText(JoinLinesCRLF(lines), encoding));
  return encoding;
}
