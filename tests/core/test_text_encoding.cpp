// Note texts are read as UTF-8 when they are, else as Windows-1252, and written back in the
// encoding they were read in while every character fits: a text from Windows survives an edit.
#include <gtest/gtest.h>

#include <string>

#include "store/UFileUtil.h"
#include "store/UTextEncoding.h"
#include "support/TempDir.h"

namespace {
constexpr auto Utf8 = TTextEncoding::Utf8;
constexpr auto Cp1252 = TTextEncoding::Windows1252;
}  // namespace

TEST(TextEncoding, ReadsUtf8WhenValidElseWindows1252) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string text;  // UTF-8
    TTextEncoding encoding;
  };
  const Case cases[] = {
      {"ascii", "plain", "plain", Utf8},
      {"utf-8", "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80", "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80",
       Utf8},
      {"windows-1252", "caf\xe9 na\xefve", "caf\xc3\xa9 na\xc3\xafve", Cp1252},
      // One stray byte makes the whole file Windows-1252, its UTF-8 pairs included.
      {"mixed", "\xc3\xa9 \xe9", "\xc3\x83\xc2\xa9 \xc3\xa9", Cp1252},
      {"0x80..0x9f", "\x80\x85\x8a\x91\x92\x93\x99\x9f",
       "\xe2\x82\xac\xe2\x80\xa6\xc5\xa0\xe2\x80\x98\xe2\x80\x99"
       "\xe2\x80\x9c\xe2\x84\xa2\xc5\xb8",
       Cp1252},
      {"undefined five", "\x81\x8d\x8f\x90\x9d", "\xc2\x81\xc2\x8d\xc2\x8f\xc2\x90\xc2\x9d", Cp1252},
      {"overlong", "\xc0\xaf", "\xc3\x80\xc2\xaf", Cp1252},
      {"surrogate", "\xed\xa0\x80", "\xc3\xad\xc2\xa0\xe2\x82\xac", Cp1252},
      {"above U+10FFFF", "\xf4\x90\x80\x80", "\xc3\xb4\xc2\x90\xe2\x82\xac\xe2\x82\xac", Cp1252},
      {"cut sequence", "ab\xe2\x82", "ab\xc3\xa2\xe2\x80\x9a", Cp1252},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TDecodedText decoded = DecodeText(c.bytes);
    EXPECT_EQ(decoded.Text, c.text);
    EXPECT_EQ(decoded.Encoding, c.encoding);
    // Unchanged, it writes back byte for byte.
    TTextEncoding encoding = decoded.Encoding;
    EXPECT_EQ(EncodeText(decoded.Text, encoding), c.bytes);
    EXPECT_EQ(encoding, c.encoding);
  }
}

TEST(TextEncoding, EveryWindows1252ByteComesBackAndWhatDoesNotFitGoesUtf8) {
  std::string all;
  for (int b = 0x80; b < 0x100; ++b) all += static_cast<char>(b);
  TTextEncoding encoding = DecodeText(all).Encoding;
  EXPECT_EQ(EncodeText(DecodeText(all).Text, encoding), all);
  EXPECT_EQ(encoding, Cp1252);

  struct Case {
    const char* name;
    std::string text;  // UTF-8, as edited
    std::string bytes;
    TTextEncoding written;
  };
  const Case cases[] = {
      {"fits", "caf\xc3\xa9 \xe2\x82\xac!", "caf\xe9 \x80!", Cp1252},
      {"a character 1252 lacks", "caf\xc3\xa9 \xe2\x86\x92", "caf\xc3\xa9 \xe2\x86\x92", Utf8},
      // U+0080 has no byte there: 0x80 is the euro sign.
      {"a C1 control 1252 lacks", "\xc2\x80", "\xc2\x80", Utf8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTextEncoding e = Cp1252;
    EXPECT_EQ(EncodeText(c.text, e), c.bytes);
    EXPECT_EQ(e, c.written);
  }
}

TEST(TextEncoding, AWindows1252FileEditedAtItsEndKeepsItsBytes) {
  TempDir dir;
  const std::string path = dir.path() + "quibnote0001.txt";
  WriteFileAtomic(path,
                  "Gr\xfc\xdf"
                  "e \x93quoted\x94\r\n\x81\x8d\x8f\x90\x9d \x80 5\r\n");
  TTextFile file = ReadEncodedTextFile(path);
  ASSERT_EQ(file.Encoding, Cp1252);
  file.Lines.back() += "!";
  EXPECT_EQ(WriteEncodedTextFile(path, file.Lines, file.Encoding), Cp1252);
  EXPECT_EQ(ReadFileBytes(path),
            "Gr\xfc\xdf"
            "e \x93quoted\x94\r\n\x81\x8d\x8f\x90\x9d \x80 5!\r\n");
}
