// The stamp format language, with a Japanese locale.
#include "settings/date_time_format.h"

#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "platform/utf8.h"

using settings::DateTimeFormatter;
using platform::Moment;

namespace {

platform::LocaleData Japanese() {
  platform::LocaleData l;
  l.dateSeparator = "/", l.timeSeparator = ":";
  l.shortDate = "yyyy/mm/dd", l.longDate = "yyyy'年'm'月'd'日'";
  l.shortTime = "h:nn", l.longTime = "h:nn:ss";
  l.am = "午前", l.pm = "午後";
  for (int i = 1; i <= 12; ++i) l.shortMonths.push_back(std::to_string(i) + "月");
  l.longMonths = l.shortMonths;
  l.shortDays = {"日", "月", "火", "水", "木", "金", "土"};
  for (const auto& d : l.shortDays) l.longDays.push_back(d + "曜日");
  l.eras = {{"明治", 1868, 9, 8}, {"大正", 1912, 7, 30}, {"昭和", 1926, 12, 25}, {"平成", 1989, 1, 8}, {"令和", 2019, 5, 1}};
  l.eraStyle = platform::EraStyle::Japanese;
  return l;
}

Moment At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { return {y, mo, d, h, mi, s, 0}; }

std::string F(std::string_view format, const Moment& m = At(2003, 7, 9, 8, 5, 3)) {
  return DateTimeFormatter(format, m, Japanese());
}

std::string Repeat(std::string_view s, int n) {
  std::string out;
  while (n-- > 0) out += s;
  return out;
}

TEST(DateTimeFormat, NumbersNamesAndLocaleFormats) {
  EXPECT_EQ(F("yyyy/mm/dd hh:nn:ss"), "2003/07/09 08:05:03");
  EXPECT_EQ(F("yy yyy y"), "03 2003 03");
  EXPECT_EQ(F("m mmm mmmm d ddd dddd aaa aaaa"), "7 7月 7月 9 水 水曜日 水 水曜日");
  EXPECT_EQ(F(""), "2003/07/09 8:05:03");
  EXPECT_EQ(F("", At(2003, 7, 9)), "2003/07/09");
  EXPECT_EQ(F("ddddd|dddddd|t|tt"), "2003/07/09|2003年7月9日|8:05|8:05:03");
  EXPECT_EQ(F("z zz zzzz", {2003, 7, 9, 0, 0, 0, 7}), "7 07 007");
  EXPECT_EQ(F("x b a aa 'yy' \"m\" 年"), "x b a aa yy m 年");
  // Past four, a run of a is no weekday: every letter is written as it is.
  EXPECT_EQ(F("aaaaa|AAAAAA|aaaaA"), "aaaaa|AAAAAA|水曜日A");
}

TEST(DateTimeFormat, MinutesAfterHours) {
  EXPECT_EQ(F("hh:mm"), "08:05");
  EXPECT_EQ(F("mm/dd hh"), "07/09 08");
  EXPECT_EQ(F("hh時mm分"), "08時07分");
  EXPECT_EQ(F("hh\"時\"mm\"分\""), "08時05分");
  EXPECT_EQ(F("hxm"), "8x7");  // any letter breaks the link
}

TEST(DateTimeFormat, TwelveHourClock) {
  EXPECT_EQ(F("h:nn", At(2003, 7, 9, 0, 7)), "0:07");
  EXPECT_EQ(F("hh:nn am/pm", At(2003, 7, 9, 13, 7)), "01:07 pm");
  EXPECT_EQ(F("hh:nn AM/PM", At(2003, 7, 9, 9)), "09:00 AM");
  EXPECT_EQ(F("h AMPM", At(2003, 7, 9, 15)), "3 午後");
  EXPECT_EQ(F("h a/p", At(2003, 7, 9, 0, 30)), "12 a");
  EXPECT_EQ(F("h Am/pM", At(2003, 7, 9, 15)), "3 pM");
  // The first 'a' after the hour decides, and the scan stops at the next h.
  EXPECT_EQ(F("h aa am/pm", At(2003, 7, 9, 15)), "15 aa pm");
  EXPECT_EQ(F("h h am/pm", At(2003, 7, 9, 15)), "15 3 pm");
  EXPECT_EQ(F("h '<a/p>' a/p", At(2003, 7, 9, 15)), "3 <a/p> p");
  // Once written, am/pm puts the later hours of its own format on 12 hours;
  // an inserted locale format is a format of its own.
  EXPECT_EQ(F("a/p h t tt", At(2003, 7, 9, 23, 59)), "p 11 23:59 23:59:00");
  auto l = Japanese();
  l.longTime = "ampm h:nn:ss";
  l.shortTime = "h:nn a/p";
  EXPECT_EQ(DateTimeFormatter("tt h t h", At(2003, 7, 9, 23, 59), l), "午後 11:59:00 23 11:59 p 23");
  EXPECT_EQ(DateTimeFormatter("c h", At(2003, 7, 9, 23, 59), l), "2003/07/09 午後 11:59:00 23");
}

TEST(DateTimeFormat, Eras) {
  const std::string f = "gggee\"年\"m\"月\"d\"日\"";
  EXPECT_EQ(F(f, At(2019, 4, 30)), "平成31年4月30日");
  EXPECT_EQ(F(f, At(2019, 5, 1)), "令和01年5月1日");
  EXPECT_EQ(F("ge", At(1989, 1, 7)), "昭64");
  EXPECT_EQ(F("ge eee", At(1989, 1, 8)), "平1 1");
  EXPECT_EQ(F("[g][gg]e ee", At(1800, 1, 1)), "[][]1800 1800");

  auto chinese = Japanese();
  chinese.eraStyle = platform::EraStyle::TraditionalChinese;
  chinese.eras = {{"中華民國", 1912, 1, 1}};
  EXPECT_EQ(DateTimeFormatter("g|gg|e", At(2003, 7, 9), chinese), "民國|中華民國|92");
  chinese.eras = {{"民國", 1912, 1, 1}};
  EXPECT_EQ(DateTimeFormatter("g", At(2003, 7, 9), chinese), "民國");
}

TEST(DateTimeFormat, LocaleFormatsDoNotNest) {
  auto l = Japanese();
  l.shortDate = "ddddd yyyy c tt";
  l.dateSeparator = "";
  EXPECT_EQ(DateTimeFormatter("ddddd", At(2003, 7, 9), l), " 2003  ");
  EXPECT_EQ(DateTimeFormatter("y/m", At(2003, 7, 9), l), "037");
}

TEST(DateTimeFormat, CutAtTheLimitOnACharacterBoundary) {
  EXPECT_EQ(F(std::string(300, 'x')), std::string(256, 'x'));
  EXPECT_EQ(F(Repeat("年", 200)), Repeat("年", 128));
  EXPECT_EQ(F("x" + Repeat("年", 129)), "x" + Repeat("年", 127));
  // 36 whole seven-byte pieces, then as much of the next as fits whole.
  EXPECT_EQ(F("x" + Repeat("dddd-", 100)), "x" + Repeat("水曜日-", 36) + "水");
}

TEST(DateTimeFormat, BadInputNeitherCrashesNorOverflows) {
  const auto l = Japanese();
  std::vector<std::string> formats = {std::string(100000, 'h'), Repeat("hq", 50000), Repeat("'", 100000),
                                      "abc'unclosed", "\"年", "x\x94", "'\x94'", "h\x94"};
  for (int b = 0; b < 256; ++b) {
    formats.push_back(std::string(1, static_cast<char>(b)));
    formats.push_back(std::string(300, static_cast<char>(b)));
  }
  const Moment moments[] = {At(1, 1, 1), At(9999, 12, 31, 23, 59, 59), At(2003, 0, 0, 25, 61, 61),
                            At(2003, 13, 32, -1, -5), {-2147483647 - 1, -1, 99, 2147483647, 0, 0, -3}};
  for (const Moment& m : moments)
    for (const auto& f : formats) {
      const std::string s = DateTimeFormatter(f, m, l);
      ASSERT_LE(cp932::Encode(cp932::Fitting(s))->size(), settings::kStampLimit);
      for (size_t at = 0; at < s.size();) ASSERT_TRUE(utf8::Next(s, at)) << "torn character";
    }
  // A byte that is no UTF-8 is dropped, in a literal too.
  EXPECT_EQ(F("q'unc\x94'lo"), "qunclo");
  EXPECT_EQ(F("x\x94") + F("mmm mmmm dddd", At(2003, 13, 32)), "x  ");
  EXPECT_EQ(F("y yyyy h", At(1, 2, 3, 25)), "01 0001 25");
  platform::LocaleData empty;
  EXPECT_EQ(DateTimeFormatter("C mmmm dddd ampm / : g e", At(2003, 7, 9, 8), empty), "        2003");
}

}  // namespace
