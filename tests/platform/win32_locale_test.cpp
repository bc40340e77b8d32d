// The user's regional settings as the Japanese prefix gives them.
#include <gtest/gtest.h>

#include "platform/win32/locale.h"

TEST(Win32Locale, JapaneseSettingsInTheStampsLanguage) {
  const platform::LocaleData d = platform::win32::Locale().Read();
  EXPECT_EQ(d.dateSeparator, "/");
  EXPECT_EQ(d.timeSeparator, ":");
  EXPECT_EQ(d.shortDate.rfind("yyyy\"/\"m", 0), 0u) << d.shortDate;  // Wine: yyyy/M/d
  EXPECT_EQ(d.longTime, "h\":\"nn\":\"ss");
  EXPECT_EQ(d.am, "午前");
  ASSERT_EQ(d.shortDays.size(), 7u);
  EXPECT_EQ(d.shortDays[0], "日");  // Sunday first
  EXPECT_EQ(d.shortDays[1], "月");
  ASSERT_EQ(d.longMonths.size(), 12u);
  EXPECT_EQ(d.longMonths[11], "12月");
  ASSERT_FALSE(d.eras.empty());
  EXPECT_EQ(d.eras.back().name, "令和");
  EXPECT_EQ(d.eras.back().firstYear, 2019);
  EXPECT_EQ(d.eraStyle, platform::EraStyle::Japanese);
  const platform::Moment now = platform::win32::Locale().Now();
  EXPECT_GE(now.year, 2024);
  EXPECT_LE(now.month, 12);
}
