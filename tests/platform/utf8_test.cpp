// UTF-8 one code point at a time, lengths as the system counts them and
// letter case as the system folds names.
#include <gtest/gtest.h>

#include "platform/utf8.h"

TEST(Utf8, OnlyShortestFormsOfScalarValuesAreRead) {
  const std::string bad[] = {"\x80", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80",
                             "\xE3\x81", "\xC3("};
  for (const std::string& s : bad) {
    size_t at = 0;
    EXPECT_EQ(utf8::Next(s, at), std::nullopt);
    EXPECT_EQ(at, 0u);
  }
  const std::string good = "a\u00E9\u3042\U0001F363\U0010FFFD";
  size_t at = 0;
  for (char32_t want : {U'a', U'\u00E9', U'\u3042', U'\U0001F363', U'\U0010FFFD'}) EXPECT_EQ(utf8::Next(good, at), want);
  EXPECT_EQ(at, good.size());
}

TEST(Utf8, LengthsAndLetterCaseAsTheSystemHasThem) {
  EXPECT_EQ(utf8::Utf16Length("ab\u3042\U0001F363"), 5u);
  EXPECT_EQ(utf8::Utf16Length("a\xFF"), 2u);
  const std::string lower = "abz\u00E9\u03C9\u044F\uFF41\u01C6\u0101", upper = "ABZ\u00C9\u03A9\u042F\uFF21\u01C4\u0100";
  EXPECT_EQ(utf8::FoldCase(lower), upper);
  EXPECT_TRUE(utf8::EqualsIgnoreCase(lower, upper));
  const std::string caseless = "\u3042\u6F22\U0001F363\u00DF1_";  // kana, kanji, emoji, sharp s, digits
  EXPECT_EQ(utf8::FoldCase(caseless), caseless);
  EXPECT_EQ(utf8::FoldCase("a\xFF" "b"), "A\xFF" "B");
  EXPECT_FALSE(utf8::EqualsIgnoreCase("a", "\uFF41"));  // full width is another name
}
