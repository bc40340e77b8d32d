// The keyboard beyond typing, for every backend: hotkeys of the whole
// system, the modifiers held with a key, and the field that records chords.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/platform/contract_backend.h"

namespace {

using platform::Chord;

class KeysContract : public ::testing::Test {
 protected:
  static constexpr int kCtrl = platform::modifier::kCtrl, kAlt = platform::modifier::kAlt,
                       kShift = platform::modifier::kShift, kWin = platform::modifier::kWin;
  static constexpr int kTab = 0x09, kBackspace = 0x08, kControl = 0x11, kDelete = 0x2E, kNum5 = 0x65;
  static constexpr int kF5 = 0x74, kF10 = 0x79, kF12 = 0x7B;
  // Chords no desktop takes for itself.
  static constexpr Chord kFirst{kCtrl | kAlt | kShift, 0x78}, kSecond{kCtrl | kAlt | kShift, 0x7A};

  void SetUp() override {
    window = backend->Toolkit().NewWindow({.size = {300, 200}});
    window->SetFont({"ＭＳ Ｐゴシック", 16, false});
    window->SetBounds({10, 20, 300, 200});
    window->Show();
  }
  // Counts the presses that reach the window.
  void Count(platform::Window& w, int& presses) {
    w.onHotKey = [&presses] { ++presses; };
  }
  void Press(const Chord& chord, const int& presses, int expected) {
    backend->PressHotKey(chord, [&] { return presses == expected; });
  }

  std::unique_ptr<ContractBackend> backend = MakeContractBackend();
  std::unique_ptr<platform::Window> window;
};

TEST_F(KeysContract, AWindowHoldsOneHotKeyAtATimeAndHearsItPressed) {
  int presses = 0;
  Count(*window, presses);
  EXPECT_TRUE(window->HotKey().Empty());
  ASSERT_TRUE(window->SetHotKey(kFirst));
  EXPECT_EQ(window->HotKey(), kFirst);
  Press(kFirst, presses, 1);
  EXPECT_EQ(presses, 1);

  // Another chord replaces it: the first is free for anyone again.
  ASSERT_TRUE(window->SetHotKey(kSecond));
  EXPECT_EQ(window->HotKey(), kSecond);
  Press(kSecond, presses, 2);
  EXPECT_EQ(presses, 2);
  EXPECT_TRUE(window->SetHotKey(kSecond));  // the one it holds, again
  EXPECT_TRUE(backend->HoldHotKeyElsewhere(kFirst));

  EXPECT_TRUE(window->SetHotKey({}));
  EXPECT_TRUE(window->HotKey().Empty());
  EXPECT_TRUE(backend->HoldHotKeyElsewhere(kSecond));
}

TEST_F(KeysContract, AHotKeyHeldElsewhereIsRefusedAndTheWindowHoldsNone) {
  ASSERT_TRUE(backend->HoldHotKeyElsewhere(kFirst));
  EXPECT_FALSE(window->SetHotKey(kFirst));
  EXPECT_TRUE(window->HotKey().Empty());

  // Refused in place of another: that one went all the same.
  ASSERT_TRUE(window->SetHotKey(kSecond));
  EXPECT_FALSE(window->SetHotKey(kFirst));
  EXPECT_TRUE(window->HotKey().Empty());
  ASSERT_TRUE(window->SetHotKey(kSecond));

  // What one window holds, no other takes, of ours or not.
  auto other = backend->Toolkit().NewWindow({.size = {100, 100}});
  EXPECT_FALSE(other->SetHotKey(kSecond));
  EXPECT_FALSE(backend->HoldHotKeyElsewhere(kSecond));
}

TEST_F(KeysContract, AWindowThatGoesLetsItsHotKeyGo) {
  auto closed = backend->Toolkit().NewWindow({.size = {100, 100}});
  auto destroyed = backend->Toolkit().NewWindow({.size = {100, 100}});
  ASSERT_TRUE(closed->SetHotKey(kFirst));
  ASSERT_TRUE(destroyed->SetHotKey(kSecond));
  closed->Close();
  destroyed.reset();
  EXPECT_TRUE(window->SetHotKey(kFirst));
  EXPECT_TRUE(backend->HoldHotKeyElsewhere(kSecond));
}

// Each key pressed into the field, seen first by the window's key preview
// with the modifiers held, and what the field shows after it.
TEST_F(KeysContract, AChordBoxRecordsChordsAndNothingElse) {
  auto box = window->NewChordBox(nullptr);
  box->SetBounds({10, 10, 190, 21});
  auto next = window->NewEntryBox(nullptr);
  next->SetBounds({10, 40, 190, 21});
  int changes = 0;
  box->onChange = [&] { ++changes; };
  std::vector<std::pair<int, int>> previewed;  // key, modifiers
  window->onKeyDown = [&](int key) {
    previewed.emplace_back(key, window->Modifiers());
    return false;
  };

  box->SetChord({kCtrl | kAlt, 'K'});
  EXPECT_EQ(box->GetChord(), (Chord{kCtrl | kAlt, 'K'}));
  EXPECT_EQ(backend->ShownText(*box), "Ctrl+Alt+K");
  EXPECT_EQ(changes, 0);

  struct Step {
    Chord pressed;
    const char* shown;
    int changes;
  };
  const Step steps[] = {
      {{0, 'A'}, "Ctrl+Alt+K", 0},  // keys alone, or with Shift, are no chord
      {{kShift, 'A'}, "Ctrl+Alt+K", 0},
      {{kCtrl, kControl}, "Ctrl+Alt+K", 0},  // a modifier on its own
      {{0, kTab}, "Ctrl+Alt+K", 0},
      {{kCtrl | kShift, 'V'}, "Ctrl+Shift+V", 1},
      {{kCtrl | kShift, 'V'}, "Ctrl+Shift+V", 1},  // the same again changes nothing
      {{kAlt, 'K'}, "Alt+K", 2},
      {{0, kF12}, "F12", 3},
      {{0, kF10}, "F10", 4},
      {{kShift, kF5}, "Shift+F5", 5},
      {{kWin | kShift, 'S'}, "Shift+Win+S", 6},
      {{kCtrl, kDelete}, "Ctrl+Delete", 7},
      {{0, kBackspace}, "", 8},
      {{0, kDelete}, "", 8},
      {{kCtrl | kAlt, kNum5}, "Ctrl+Alt+Num5", 9},
      {{0, kDelete}, "", 10},
  };
  std::vector<std::pair<int, int>> pressed;
  for (const Step& step : steps) {
    SCOPED_TRACE(platform::ChordText(step.pressed));
    backend->UserChord(*window, *box, step.pressed);
    pressed.emplace_back(step.pressed.key, step.pressed.modifiers);
    EXPECT_EQ(backend->ShownText(*box), step.shown);
    EXPECT_EQ(platform::ChordText(box->GetChord()), step.shown);
    EXPECT_EQ(changes, step.changes);
  }
  EXPECT_EQ(previewed, pressed);

  backend->UserType(*window, *box, "abc顔");
  EXPECT_EQ(backend->ShownText(*box), "");
  EXPECT_TRUE(box->GetChord().Empty());
  EXPECT_EQ(changes, 10);
}

}  // namespace
