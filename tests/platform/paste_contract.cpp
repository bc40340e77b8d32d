// The clipboard and other applications' windows, for every backend: what
// the paste road relies on.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/paste.h"
#include "tests/platform/contract_backend.h"

namespace {

class PasteContract : public ::testing::Test {
 protected:
  std::unique_ptr<ContractBackend> backend = MakeContractBackend();
  platform::Clipboard& clipboard = backend->Clipboard();
  platform::OtherWindows& windows = backend->Windows();

  const platform::TopWindow* Listed(platform::WindowId id) {
    listed_ = windows.TopLevelFrontToBack();
    auto found = std::find_if(listed_.begin(), listed_.end(), [&](const auto& w) { return w.id == id; });
    return found == listed_.end() ? nullptr : &*found;
  }
  // Position in the front-to-back order, -1 when not listed.
  int Rank(platform::WindowId id) {
    listed_ = windows.TopLevelFrontToBack();
    for (size_t i = 0; i < listed_.size(); ++i)
      if (listed_[i].id == id) return static_cast<int>(i);
    return -1;
  }

 private:
  std::vector<platform::TopWindow> listed_;
};

TEST_F(PasteContract, ClipboardKeepsShiftJisLineBreaksAndTheEmptyText) {
  for (const std::string text : {"(＾▽＾)顔文字\r\n２行目ソ表", "", "a\tb\r\n"}) {
    ASSERT_TRUE(clipboard.SetText(text));
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.GetText(), text);
  }
  ASSERT_TRUE(clipboard.Clear());
  EXPECT_FALSE(clipboard.HasText());
  EXPECT_EQ(clipboard.GetText(), "");
}

TEST_F(PasteContract, WindowsAreListedFrontToBackWithOwnerVisibilityAndTitle) {
  const auto older = backend->NewTopWindow("古いウィンドウ", false, true);
  const auto owned = backend->NewTopWindow("owned", true, true);
  const auto hidden = backend->NewTopWindow("hidden", false, false);
  const auto newer = backend->NewTopWindow("無題 - メモ帳", false, true);

  const platform::TopWindow* w = Listed(newer);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->title, "無題 - メモ帳");
  EXPECT_TRUE(w->visible);
  EXPECT_EQ(w->owner, 0u);
  ASSERT_NE(Listed(owned), nullptr);
  EXPECT_NE(Listed(owned)->owner, 0u);
  ASSERT_NE(Listed(hidden), nullptr);
  EXPECT_FALSE(Listed(hidden)->visible);
  EXPECT_LT(Rank(newer), Rank(older));
  // The program's own search takes the front window that counts.
  const app::PasteTarget target = app::FindTargetWindow(windows);
  EXPECT_EQ(target.window, newer);
  EXPECT_EQ(target.title, "無題 - メモ帳");
}

TEST_F(PasteContract, TitlesAreFoundExactlyHiddenOnesToo) {
  const auto memo = backend->NewTopWindow("無題 - メモ帳", false, true);
  const auto hidden = backend->NewTopWindow("hidden target", false, false);
  EXPECT_EQ(windows.FindByTitle("無題 - メモ帳"), memo);
  EXPECT_EQ(windows.FindByTitle("hidden target"), hidden);
  EXPECT_EQ(windows.FindByTitle("無題 - メモ"), 0u);
  EXPECT_EQ(windows.FindByTitle("no such window"), 0u);
}

TEST_F(PasteContract, CtrlVReachesTheWindowBroughtToTheFront) {
  const auto target = backend->NewTopWindow("paste target", false, true);
  const auto other = backend->NewTopWindow("other", false, true);  // has the keyboard now
  ASSERT_TRUE(windows.BringToFront(target));
  windows.SendKeys(app::PasteKeys());
  const auto keys = backend->KeysReceived(target, 4);
  ASSERT_EQ(keys.size(), 4u);
  for (size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i].key, app::PasteKeys()[i].key) << i;
    EXPECT_EQ(keys[i].up, app::PasteKeys()[i].up) << i;
  }
  EXPECT_TRUE(backend->KeysReceived(other, 0).empty());
}

bool Inside(const platform::Rect& inner, const platform::Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}

// Where a face would be typed: the caret of the field that has the
// keyboard, on the screen, moving on as text goes in; none in a window
// that shows no caret.
TEST_F(PasteContract, TheTypingPlaceIsTheFrontWindowWithItsCaret) {
  const auto plain = backend->NewTopWindow("no caret", false, true);
  platform::TypingPlace place = windows.FindTypingPlace();
  EXPECT_EQ(place.window, plain);
  EXPECT_FALSE(place.caret.has_value());

  const ContractBackend::TypingWindow typing = backend->NewTypingWindow();
  place = windows.FindTypingPlace();
  EXPECT_EQ(place.window, typing.window);
  ASSERT_TRUE(place.caret.has_value());
  const platform::Rect empty = *place.caret;
  EXPECT_TRUE(Inside(empty, typing.field));
  EXPECT_GT(empty.height, 0);

  backend->TypeInto(typing.window, "(^_^)顔文字");
  place = windows.FindTypingPlace();
  ASSERT_TRUE(place.caret.has_value());
  EXPECT_TRUE(Inside(*place.caret, typing.field));
  EXPECT_GT(place.caret->left, empty.left + 20);
  EXPECT_EQ(place.caret->top, empty.top);

  ASSERT_TRUE(windows.BringToFront(plain));
  place = windows.FindTypingPlace();
  EXPECT_EQ(place.window, plain);
  EXPECT_FALSE(place.caret.has_value());
}

}  // namespace
