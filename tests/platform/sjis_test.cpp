#include "platform/sjis.h"

#include <gtest/gtest.h>

namespace {

TEST(Sjis, NextCharStepsOverDoubleByteCharactersAndStopsAtTheEnd) {
  const std::string s = "aソb";  // 61 83 5C 62
  ASSERT_EQ(s.size(), 4u);
  EXPECT_EQ(sjis::NextChar(s, 0), 1u);
  EXPECT_EQ(sjis::NextChar(s, 1), 3u);
  EXPECT_EQ(sjis::NextChar(s, 3), 4u);
  EXPECT_EQ(sjis::NextChar(s, 4), 4u);
  EXPECT_EQ(sjis::NextChar(s, 99), 4u);
  EXPECT_EQ(sjis::NextChar("\xEA\x40", 0), 2u);  // lead bytes of the second range
  EXPECT_EQ(sjis::NextChar("\xA0\x40", 0), 1u);  // 0xA0 and half-width kana are single
  EXPECT_EQ(sjis::NextChar("\xB1\x40", 0), 1u);
  // A lead byte cut off at the end is one character by itself.
  EXPECT_EQ(sjis::NextChar("a\x83", 1), 2u);
}

TEST(Sjis, UpperAsciiChangesAsciiLettersOnly) {
  // The trail bytes of ア (83 41), ヂ (83 61), ソ (83 5C) and ポ (83 7C)
  // look like 'A', 'a', '\' and '|'.
  EXPECT_EQ(sjis::UpperAscii("aアヂソポz"), "AアヂソポZ");
  EXPECT_EQ(sjis::UpperAscii("ｱabc{}@[`"), "ｱABC{}@[`");
  EXPECT_EQ(sjis::UpperAscii("ａ"), "ａ");
  EXPECT_EQ(sjis::UpperAscii("x\x83"), "X\x83");
  EXPECT_EQ(sjis::UpperAscii(""), "");
}

TEST(Sjis, EqualsIgnoreCaseFoldsLettersAsWindowsNamesDo) {
  EXPECT_TRUE(sjis::EqualsIgnoreCase("Read.TXT", "read.txt"));
  EXPECT_TRUE(sjis::EqualsIgnoreCase("顔文字a", "顔文字A"));
  EXPECT_TRUE(sjis::EqualsIgnoreCase("ａｂ", "ＡＢ"));
  EXPECT_TRUE(sjis::EqualsIgnoreCase("ω", "Ω"));
  EXPECT_TRUE(sjis::EqualsIgnoreCase("я", "Я"));
  EXPECT_TRUE(sjis::EqualsIgnoreCase("ё", "Ё"));  // the one Cyrillic pair outside the alphabet's run
  EXPECT_FALSE(sjis::EqualsIgnoreCase("ａ", "a"));  // full width is not half width
  EXPECT_FALSE(sjis::EqualsIgnoreCase("ぁ", "あ"));  // small kana have no case
  EXPECT_FALSE(sjis::EqualsIgnoreCase("ア", "ヂ"));
  EXPECT_FALSE(sjis::EqualsIgnoreCase("a", "ab"));
  EXPECT_FALSE(sjis::EqualsIgnoreCase("[", "{"));
  EXPECT_TRUE(sjis::EqualsIgnoreCase("", ""));
}

TEST(Sjis, FormatSubstitutesEachPercentSInOrder) {
  EXPECT_EQ(sjis::Format("ファイル \"%s\". %s は開けません", {"C:\\ソ\\a.txt", "理由"}),
            "ファイル \"C:\\ソ\\a.txt\". 理由 は開けません");
  // An argument's own "%s" is not substituted again; with no argument left
  // a "%s" stays as it is.
  EXPECT_EQ(sjis::Format("%s-%s", {"%s", "x"}), "%s-x");
  EXPECT_EQ(sjis::Format("%d %s %s", {"one"}), "%d one %s");
  EXPECT_EQ(sjis::Format("100%", {}), "100%");
}

}  // namespace

TEST(Sjis, CharCountCountsADoubleByteCharacterOnce) {
  EXPECT_EQ(sjis::CharCount(""), 0u);
  EXPECT_EQ(sjis::CharCount("ab顔ソｱ"), 5u);
  EXPECT_EQ(sjis::CharCount("a\x83"), 2u);  // a lone lead byte at the end is one
}
