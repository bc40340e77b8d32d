// The system's date and time patterns in the stamp's format language.
#include <gtest/gtest.h>

#include "platform/locale_data.h"

TEST(LocalePattern, SystemPatternsBecomeStampFormats) {
  using platform::TranslateSystemPattern;
  EXPECT_EQ(TranslateSystemPattern("yyyy/MM/dd"), "yyyy\"/\"mm\"/\"dd");
  EXPECT_EQ(TranslateSystemPattern("H:mm:ss"), "h\":\"nn\":\"ss");
  EXPECT_EQ(TranslateSystemPattern("hh:mm tt"), "hh\":\"nn ampm");
  EXPECT_EQ(TranslateSystemPattern("yyyy'年'M'月'd'日'"), "yyyy\"年\"m\"月\"d\"日\"");
  EXPECT_EQ(TranslateSystemPattern("yyyy年M月d日dddd"), "yyyy年m月d日dddd");
  EXPECT_EQ(TranslateSystemPattern("ggy'x''y'"), "ggy\"x'y\"");  // a quote inside a literal
  EXPECT_EQ(TranslateSystemPattern("d. MMMM yyyy 'um' H"), "d. mmmm yyyy \"um\" h");
  EXPECT_EQ(TranslateSystemPattern("'open"), "\"open\"");
  EXPECT_EQ(TranslateSystemPattern("dd-MM-yy ca"), "dd-mm-yy \"c\"\"a\"");
  EXPECT_EQ(TranslateSystemPattern("ソ表"), "ソ表");  // trail bytes are no pattern letters
}
