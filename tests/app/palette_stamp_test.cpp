// The date and time stamp button.
#include "tests/support/palette_fixture.h"

namespace {

class StampTest : public OneFaceTest {
 protected:
  void Click() { palette->Get<platform::Button>("bDateTime").onClick(); }
  std::string History1() { return palette->Get<platform::Panel>("pHistory1").Caption(); }
};

}  // namespace

TEST_F(StampTest, PastesTheMomentInTheStampFormat) {
  const auto memo = windows.AddWindow("memo");
  Start("");
  ASSERT_TRUE(palette->Get<platform::Button>("bDateTime").Enabled());
  Click();
  EXPECT_EQ(clipboard.GetText(), "2003/07/09 08:05:03");
  ASSERT_EQ(windows.SentKeys().size(), 1u);
  EXPECT_EQ(windows.SentKeys()[0].target, memo);
  EXPECT_EQ(History1(), "2003/07/09 08:05:03");
  EXPECT_TRUE(Window().Visible());
}

TEST_F(StampTest, IgnoresLinkModeAndTheFixedWindow) {
  const auto fixed = windows.AddWindow("fixed");
  const auto memo = windows.AddWindow("memo");
  Start("linl1=1\r\nwindow=1\r\nwname=\"fixed\"\r\ntime1=\"gggee\"年\"m\"月\"d\"日\" aaaa\"\r\n");
  Click();
  EXPECT_EQ(clipboard.GetText(), "平成15年7月9日 水曜日");
  ASSERT_EQ(windows.SentKeys().size(), 1u);
  EXPECT_EQ(windows.SentKeys()[0].target, memo);
  EXPECT_NE(windows.SentKeys()[0].target, fixed);
  EXPECT_TRUE(shell.Opened().empty());
}

TEST_F(StampTest, ClipboardOnlyNeitherTypesNorPushesButStillHides) {
  windows.AddWindow("memo");
  Start("clip1=1\r\nafter=1\r\ntime1=\"hh:nn am/pm\"\r\n");
  locale.now = {2003, 7, 9, 13, 7, 0, 0};
  Click();
  EXPECT_EQ(clipboard.GetText(), "01:07 pm");
  EXPECT_TRUE(windows.SentKeys().empty());
  EXPECT_EQ(History1(), "");
  EXPECT_FALSE(Window().Visible());
}

TEST_F(StampTest, WithoutATargetTheStampStaysOnTheClipboardAndInTheHistory) {
  Start("time1=\"yyyy\"\r\n");
  Click();
  EXPECT_EQ(clipboard.GetText(), "2003");
  EXPECT_TRUE(windows.SentKeys().empty());
  EXPECT_EQ(History1(), "2003");
}

TEST_F(StampTest, AClipboardThatCannotBeOpenedStopsTheStamp) {
  windows.AddWindow("memo");
  Start("after=1\r\n");
  clipboard.FailNextOpen();
  Click();
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_EQ(toolkit.Messages()[0].text, "クリップボードを開くことができません.");
  EXPECT_TRUE(windows.SentKeys().empty());
  EXPECT_EQ(History1(), "");
  EXPECT_TRUE(Window().Visible());
}
