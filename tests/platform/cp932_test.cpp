// Code page 932 as a file format: every byte string comes back whole, and
// the text it decodes to is the one a user expects to see.
#include <gtest/gtest.h>

#include <random>

#include "platform/cp932.h"

namespace {

void ExpectRoundTrip(const std::string& bytes) {
  const Text text = cp932::Decode(bytes);
  ASSERT_EQ(cp932::Encode(text), bytes);
  EXPECT_EQ(cp932::Decode(*cp932::Encode(text)), text);
}

}  // namespace

TEST(Cp932, EveryByteAndEveryPairOfBytesComesBackWhole) {
  for (int a = 0; a < 256; ++a) {
    ExpectRoundTrip(std::string(1, static_cast<char>(a)));
    for (int b = 0; b < 256; ++b) {
      const std::string pair{static_cast<char>(a), static_cast<char>(b)};
      ExpectRoundTrip(pair);
      ExpectRoundTrip(pair + "\x81");  // a lead byte left at the end
    }
  }
  std::mt19937 random(7);
  for (int n = 0; n < 2000; ++n) {
    std::string bytes(random() % 40, '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    ExpectRoundTrip(bytes);
  }
}

TEST(Cp932, DecodesAsWindowsDoes) {
  EXPECT_EQ(cp932::Decode("(^\x81\x5B^)\\"), "(^ー^)\\");
  EXPECT_EQ(cp932::Decode("\x8A\xE7\x95\xB6\x8E\x9A"), "顔文字");
  EXPECT_EQ(cp932::Decode("\xB1\xDF"), "\uFF71\uFF9F");      // half-width katakana
  EXPECT_EQ(cp932::Decode("\x81\x5F\x81\x60"), "\uFF3C\uFF5E");  // the full-width backslash and tilde
  EXPECT_EQ(cp932::Decode("\x87\x40\x87\x54"), "①Ⅰ");          // NEC's row 13, the codes Windows writes
  EXPECT_EQ(cp932::Decode("\xF0\x40"), "\uE000");               // the user-defined area
  EXPECT_EQ(cp932::Decode("\x80\xA0\xFD"), "\u0080\U000F00A0\U000F00FD");  // no character for A0, FD to FF
  EXPECT_EQ(cp932::Encode("顔文字ー①Ⅰ\uFF5E"), "\x8A\xE7\x95\xB6\x8E\x9A\x81\x5B\x87\x40\x87\x54\x81\x60");
}

TEST(Cp932, SecondCodesAndBytesOfNoCharacterAreKeptAndShownAsTheUserSeesThem) {
  struct Case {
    const char* bytes;
    std::string_view decoded, shown;
  };
  const Case cases[] = {
      {"\xED\x40", "纊\U000FED40", "纊"},                // NEC's selection; Windows writes FA5C
      {"\xFA\x5C", "纊", "纊"},
      {"\x87\x90", "≒\U000F8790", "≒"},                 // row 13's copy of 81E0
      {"\xFA\x4A", "Ⅰ\U000FFA4A", "Ⅰ"},                 // IBM's copy of 8754
      {"\xEE\xF9\xFA\x54\x81\xCA", "￢\U000FEEF9￢\U000FFA54￢", "￢￢￢"},  // three codes of one sign
      {"\x81", "\U000F0081", "\uFFFD"},                    // a lead byte at the end
      {"\x81\x20", "\U000F0081 ", "\uFFFD "},              // before a byte that is no trail
      {"\x85\x40", "\U000F0085@", "\uFFFD@"},              // an undefined code
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(cp932::Decode(c.bytes), c.decoded);
    EXPECT_EQ(cp932::Shown(cp932::Decode(c.bytes)), c.shown);
    EXPECT_EQ(cp932::Encode(c.decoded), c.bytes);
  }
}

// What an earlier version is given always encodes: "?" for a character
// without a code; a second code's escape kept only after its character.
TEST(Cp932, TheFittingFormAlwaysEncodes) {
  const std::string nec = cp932::Decode("\xED\x40");  // 纊 and the escape of its NEC code
  for (const std::string& text : std::vector<std::string>{"ʕ•ᴥ•ʔ", "a\U000FBA28", "a\U000FED40", nec, "x\xC3" + nec})
    EXPECT_TRUE(cp932::Encode(cp932::Fitting(text))) << text;
  EXPECT_EQ(cp932::Fitting("a\U000FED40b"), "ab");
  EXPECT_EQ(cp932::Fitting(nec), nec);
  EXPECT_EQ(cp932::Fitting("ʕ🍣"), "??");
}

TEST(Cp932, TextWithoutACodeIsRefused) {
  for (std::string_view text : {"Café", "ʕ•ᴥ•ʔ", "🍣", "\U000F8790", "a\U000FED41"})
    EXPECT_EQ(cp932::Encode(text), std::nullopt);
  EXPECT_EQ(cp932::Encode("\xC3"), std::nullopt);  // no UTF-8
  EXPECT_EQ(cp932::Encode(std::string("a\0b", 3)), std::string("a\0b", 3));
}
