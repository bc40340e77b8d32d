// Text files by their byte order mark: what each decodes to, and the same
// bytes back whatever a file holds.
#include <gtest/gtest.h>

#include <random>

#include "platform/text_file.h"

namespace {

using textfile::Encoding;

void ExpectSameBytes(const std::string& bytes) {
  const textfile::Decoded file = textfile::Decode(bytes);
  EXPECT_EQ(textfile::Encode(file.text, file.encoding), bytes);
}

}  // namespace

TEST(TextFile, TheMarkSaysTheEncoding) {
  struct Case {
    std::string bytes;
    Encoding encoding;
    std::string_view text;
  };
  const Case cases[] = {
      {"(^\x81\x5B^)\r\n", Encoding::ShiftJis, "(^ー^)\r\n"},
      {"\xEF\xBB\xBF" "\xCA\x95\xE2\x80\xA2\xE1\xB4\xA5\xE2\x80\xA2\xCA\x94", Encoding::Utf8, "ʕ•ᴥ•ʔ"},
      {std::string("\xFF\xFE\x61\x00\x3C\xD8\x63\xDF", 8), Encoding::Utf16Le, "a🍣"},
      {std::string("\xFE\xFF\x00\x61\xD8\x3C\xDF\x63", 8), Encoding::Utf16Be, "a🍣"},
      {"", Encoding::ShiftJis, ""},
  };
  for (const Case& c : cases) {
    const textfile::Decoded file = textfile::Decode(c.bytes);
    EXPECT_EQ(file.encoding, c.encoding);
    EXPECT_EQ(file.text, c.text);
    EXPECT_EQ(textfile::Encode(file.text, file.encoding), c.bytes);
  }
}

TEST(TextFile, OnlyAWholeMarkCounts) {
  EXPECT_EQ(textfile::EncodingOf("\xFF"), Encoding::ShiftJis);
  EXPECT_EQ(textfile::EncodingOf("\xEF\xBB!"), Encoding::ShiftJis);
  EXPECT_EQ(textfile::EncodingOf("!Microsoft IME"), Encoding::ShiftJis);
  EXPECT_EQ(textfile::EncodingOf("\xEF\xBB\xBF"), Encoding::Utf8);
  EXPECT_EQ(textfile::EncodingOf("\xFE\xFF"), Encoding::Utf16Be);
}

TEST(TextFile, WhatIsNoCharacterIsKeptByteForByte) {
  const std::string cases[] = {
      "\xEF\xBB\xBF" "a\x80\xC3(\xED\xA0\x80\xF0\x90",    // stray, cut and surrogate UTF-8
      "\xEF\xBB\xBF" "\xF3\xB0\x80\x81",                  // a character that is itself an escape
      std::string("\xFF\xFE\x00\xD8\x61\x00\x00\xDC\x41", 9),  // lone surrogates and an odd last byte
      std::string("\xFE\xFF\xDB\xC0\xDC\x81", 6),          // U+F0081 in UTF-16
      "\xED\x40\x81",                                    // Shift-JIS: a second code and a lone lead byte
      "\xEF\xBB",                                         // half a mark is Shift-JIS
  };
  for (const std::string& bytes : cases) ExpectSameBytes(bytes);
  std::mt19937 random(11);
  for (const std::string_view mark : {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
    for (int n = 0; n < 3000; ++n) {
      std::string bytes(mark);
      for (size_t i = random() % 24; i > 0; --i) bytes += static_cast<char>(random() % 4 ? random() : 0xD8 + random() % 8);
      ExpectSameBytes(bytes);
    }
  }
}

TEST(TextFile, AShiftJisFileThatTakesACharacterItLacksBecomesUtf8) {
  Encoding encoding = Encoding::ShiftJis;
  EXPECT_EQ(textfile::EncodeKeeping("顔\r\n", encoding), "\x8A\xE7\r\n");
  EXPECT_EQ(encoding, Encoding::ShiftJis);
  const std::string withSushi = "顔\r\n🍣\r\n";
  EXPECT_EQ(textfile::EncodeKeeping(withSushi, encoding), "\xEF\xBB\xBF" + withSushi);
  EXPECT_EQ(encoding, Encoding::Utf8);
  const std::string accented = "é";
  encoding = Encoding::Utf16Le;
  EXPECT_EQ(textfile::EncodeKeeping(accented, encoding), std::string("\xFF\xFE\xE9\x00", 4));
  EXPECT_EQ(encoding, Encoding::Utf16Le);
  EXPECT_EQ(textfile::Encode(accented, Encoding::ShiftJis), std::nullopt);
}
