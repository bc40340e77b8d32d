// The drop format chooser: its card, its two answers and the keyboard.
#include "dialogs/format_chooser.h"

#include <gtest/gtest.h>

#include "platform/headless/toolkit.h"

namespace {

class FormatChooserTest : public ::testing::Test {
 protected:
  headless::Toolkit toolkit;
  std::unique_ptr<platform::Window> owner = toolkit.NewWindow({.caption = "owner"});
};

}  // namespace

TEST_F(FormatChooserTest, ABorderlessCentredCardOwnedByThePalette) {
  dialogs::TFDragDrop chooser(toolkit, *owner);
  auto& window = headless::As<headless::Window>(chooser.Window());
  EXPECT_EQ(window.Caption(), "形式の選択");
  EXPECT_EQ(window.Options().frame, platform::Frame::None);
  EXPECT_TRUE(window.Options().stayOnTop);
  EXPECT_TRUE(window.Options().centred);
  EXPECT_EQ(window.Options().owner, owner.get());
  EXPECT_EQ(window.ClientSize(), (platform::Size{151, 74}));
  EXPECT_EQ(window.Find<headless::Panel>("Panel2").Caption(), "形式を選択して下さい");
  EXPECT_EQ(window.Find<headless::Button>("SpeedButton1").Caption(), "ミルフォ形式");
  EXPECT_EQ(window.Find<headless::Button>("SpeedButton2").Bounds(), (platform::Rect{1, 49, 149, 24}));
}

TEST_F(FormatChooserTest, EachButtonGivesItsAnswerAndTheKeyboardNone) {
  const std::pair<const char*, int> answers[] = {{"SpeedButton1", 1}, {"SpeedButton2", 2}};
  for (const auto& [button, expected] : answers) {
    dialogs::TFDragDrop chooser(toolkit, *owner);
    chooser.Window().Show();
    headless::As<headless::Window>(chooser.Window()).Find<headless::Button>(button).UserClick();
    EXPECT_TRUE(chooser.Window().Closed());
    EXPECT_EQ(chooser.result, expected);
  }
  dialogs::TFDragDrop chooser(toolkit, *owner);
  chooser.Window().Show();
  headless::As<headless::Window>(chooser.Window()).UserKey(platform::key::kEscape);
  EXPECT_TRUE(chooser.Window().Closed());
  EXPECT_EQ(chooser.result, 0);
}
