// The encoding of note texts and of the text files imported and dropped: bytes that are valid
// UTF-8 are read as UTF-8, anything else as Windows-1252 (text files written on Windows). A text
// is written back in the encoding it was read in when every character fits, else in UTF-8. In
// the program the text is UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TTextEncoding : uint8_t { Utf8, Windows1252 };

struct TDecodedText {
  std::string Text;  // UTF-8
  TTextEncoding Encoding = TTextEncoding::Utf8;
};

// Strict: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);
// The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1
// controls of the same number, so that they come back as the same bytes.
TDecodedText DecodeText(std::string_view bytes);
// The UTF-8 text in encoding when every character has a byte there; otherwise in UTF-8, and
// encoding becomes Utf8.
std::string EncodeText(std::string_view text, TTextEncoding& encoding);

// A text file as lines (CR, LF and CR LF end a line) in the encoding it was read in. Raises
// EQuibError when it cannot be read.
struct TTextFile {
  std::vector<std::string> Lines;
  TTextEncoding Encoding = TTextEncoding::Utf8;
};
TTextFile ReadEncodedTextFile(const std::string& path);
// Writes the lines, each ended by CR LF, crash-safe (WriteFileAtomic), in encoding as
// EncodeText decides; returns the encoding written.
TTextEncoding WriteEncodedTextFile(const std::string& path, const std::vector<std::string>& lines,
                                   TTextEncoding encoding);
