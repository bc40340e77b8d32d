// The settings value: what it reads from system.ini, and how its changes
// reach the file.
#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/headless/file_system.h"
#include "settings/settings.h"

namespace {

constexpr const char* kIni = "C:\\mirufo\\system.ini";

class SettingsValue : public ::testing::Test {
 protected:
  headless::FileSystem files;
};

}  // namespace

TEST_F(SettingsValue, ReadsEachKeyAsItsRowSays) {
  files.AddFile(kIni, "[kao]\r\nSTAYONTOP=0\r\nfontsize=\"x\"\r\nwname=\" memo \"\r\nline1=\r\n");
  const settings::Settings s = settings::Settings::Read(files);
  EXPECT_FALSE(s.Boolean(settings::kStayOnTop));               // any letter case
  EXPECT_EQ(s.Integer(settings::kFontSize), 12);                // not a number: the default
  EXPECT_EQ(s.Text(settings::kWindowName), " memo ");           // quotes keep the blanks
  EXPECT_EQ(s.Integer(settings::kLineFrom), 0);                 // empty, and so is its default
  EXPECT_TRUE(s.Boolean(settings::kHints));                     // absent: the default
  EXPECT_EQ(s.Text(settings::kFaceFolder, "C:\\kao"), "C:\\kao");  // absent: the fallback given
  EXPECT_EQ(settings::Settings().Text(settings::kEditColour), "$00BBD7A8");
  EXPECT_EQ(settings::FilePath(files), kIni);
}

TEST_F(SettingsValue, ChangesAreSeenAtOnceAndWrittenOnceInTheOrderMade) {
  files.AddFile(kIni, "[kao]\r\nvtop=1\r\n");
  settings::Settings s = settings::Settings::Read(files);
  s.SetBoolean(settings::kEdgeTop, false);
  s.Set(settings::kWindowName, "memo");
  s.SetBare(settings::kDefaultClass, "A");
  s.SetInteger(settings::kLeft, -5);
  EXPECT_FALSE(s.Boolean(settings::kEdgeTop));
  EXPECT_EQ(s.Text(settings::kWindowName), "memo");
  EXPECT_EQ(files.Content(kIni), "[kao]\r\nvtop=1\r\n");  // nothing written yet

  const int writes = files.WriteCount(kIni);
  s.Save(files);
  EXPECT_EQ(files.WriteCount(kIni), writes + 1);
  EXPECT_EQ(files.Content(kIni), "[kao]\r\nvtop=0\r\nwname=\"memo\"\r\ndefaultclass=A\r\nleft=-5\r\n");

  // Written changes stay visible and are not written again.
  EXPECT_EQ(s.Integer(settings::kLeft), -5);
  s.SetInteger(settings::kTop, 7);
  platform::ProfileFile file(files, kIni);
  s.WriteChanges(file);
  EXPECT_EQ(files.WriteCount(kIni), writes + 2);
  EXPECT_EQ(files.Content(kIni), "[kao]\r\nvtop=0\r\nwname=\"memo\"\r\ndefaultclass=A\r\nleft=-5\r\ntop=7\r\n");
}

TEST_F(SettingsValue, ASaveThatFailsWritesNothing) {
  files.AddFile(kIni, "[kao]\r\nleft=1\r\n");
  settings::Settings s = settings::Settings::Read(files);
  s.SetInteger(settings::kLeft, 2);
  s.SetInteger(settings::kTop, 3);
  files.FailWrites(kIni, platform::error::kDiskFull);
  EXPECT_THROW(s.Save(files), platform::ProfileWriteError);
  EXPECT_EQ(files.Content(kIni), "[kao]\r\nleft=1\r\n");
}
