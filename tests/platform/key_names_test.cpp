// Key combinations written as a person reads them and read back. What a
// chord field records of a key is pinned through the field itself, on both
// backends (keys_contract.cpp).
#include <gtest/gtest.h>

#include "platform/key_names.h"

namespace {

using platform::Chord;
using platform::ChordText;
using platform::ParseChord;

class KeyNames : public ::testing::Test {
 protected:
  static constexpr int kCtrl = platform::modifier::kCtrl, kAlt = platform::modifier::kAlt,
                       kShift = platform::modifier::kShift, kWin = platform::modifier::kWin;
  static constexpr int kBackspace = 0x08, kTab = 0x09, kDelete = 0x2E, kInsert = 0x2D, kF5 = 0x74, kF12 = 0x7B,
                       kF24 = 0x87;
};

TEST_F(KeyNames, ChordsAreWrittenModifiersFirstInOneOrder) {
  EXPECT_EQ(ChordText({kAlt | kCtrl, 'K'}), "Ctrl+Alt+K");
  EXPECT_EQ(ChordText({kShift, kInsert}), "Shift+Insert");
  EXPECT_EQ(ChordText({kShift | kCtrl, 'V'}), "Ctrl+Shift+V");
  EXPECT_EQ(ChordText({kWin, kF12}), "Win+F12");
  EXPECT_EQ(ChordText({kWin | kShift | kAlt | kCtrl, '7'}), "Ctrl+Alt+Shift+Win+7");
  EXPECT_EQ(ChordText({0, kF24}), "F24");
  EXPECT_EQ(ChordText({kCtrl, 0x65}), "Ctrl+Num5");
  EXPECT_EQ(ChordText({kCtrl, 0xBA}), "Ctrl+:");  // as a Japanese keyboard prints it
  EXPECT_EQ(ChordText({kAlt, 0xE5}), "Alt+0xE5");  // no name: the code
  EXPECT_EQ(ChordText({}), "");
  EXPECT_EQ(ChordText({kCtrl, 0}), "");
}

// Every key, with every set of modifiers, reads back as it was written.
TEST_F(KeyNames, EveryWrittenChordReadsBack) {
  for (int key = 1; key <= 0xFE; ++key) {
    if (platform::IsModifierKey(key)) continue;
    for (int modifiers = 0; modifiers <= platform::modifier::kAll; ++modifiers) {
      const Chord chord{modifiers, key};
      const auto back = ParseChord(ChordText(chord));
      ASSERT_TRUE(back.has_value()) << ChordText(chord);
      EXPECT_EQ(*back, chord) << ChordText(chord);
    }
  }
}

TEST_F(KeyNames, ReadingIgnoresLetterCaseSpacesAndOrderAndTakesCommonSpellings) {
  const std::pair<const char*, Chord> read[] = {
      {" alt + CTRL+k ", {kCtrl | kAlt, 'K'}},  {"shift+insert", {kShift, kInsert}},
      {"Control+Esc", {kCtrl, 0x1B}},           {"win + f12", {kWin, kF12}},
      {"Ctrl+PgDn", {kCtrl, 0x22}},             {"ctrl+del", {kCtrl, kDelete}},
      {"Ctrl+-", {kCtrl, 0xBD}},                {"Ctrl+\\", {kCtrl, 0xDC}},
      {"Alt+0xe5", {kAlt, 0xE5}},               {"Alt+0x41", {kAlt, 'A'}},
      {"F5", {0, kF5}},                         {"Backspace", {0, kBackspace}},
      {"Shift+Tab", {kShift, kTab}},            {"Ctrl+NumAdd", {kCtrl, 0x6B}},
  };
  for (const auto& [text, chord] : read) {
    const auto got = ParseChord(text);
    ASSERT_TRUE(got.has_value()) << text;
    EXPECT_EQ(*got, chord) << text;
  }
}

TEST_F(KeyNames, TextThatNamesNoChordIsRefused) {
  for (const char* text : {"", " ", "Ctrl", "Ctrl+", "+K", "Ctrl++K", "Ctrl+Ctrl+K", "ctrl+Control+K", "K+Ctrl",
                           "Ctrl+A+B", "Ctrl+Foo", "F25", "F0", "Num10", "Ctrl+0x11", "0x5B", "0x0", "0xFF", "0x100",
                           "0xZ1", "Shift+Alt", "Ctrl+\tK", "Ｃｔｒｌ+K"}) {
    EXPECT_FALSE(ParseChord(text).has_value()) << text;
  }
}

}  // namespace
