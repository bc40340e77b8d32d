// The form base: controls from a table, found by name, kept at their edges
// by their anchors, and every handler's failure shown in the error box.
#include <gtest/gtest.h>

#include <stdexcept>

#include "forms/form.h"
#include "platform/failure.h"
#include "platform/headless/toolkit.h"

namespace {

using forms::Kind;
namespace anchor = forms::anchor;

const forms::ControlDecl kControls[] = {
    {"page", Kind::Panel, nullptr, {0, 0, 300, 200}, "", "", anchor::kAll},
    {"list", Kind::List, "page", {10, 10, 200, 150}, "", "", anchor::kAll},
    {"ok", Kind::Button, "page", {220, 10, 70, 24}, "OK", "", anchor::kTop | anchor::kRight},
    {"status", Kind::Entry, "page", {10, 170, 280, 20}, "準備", "状態", anchor::kLeft | anchor::kRight | anchor::kBottom},
    {"fixed", Kind::Button, "page", {10, 10, 20, 20}, "", "", anchor::kTopLeft},
    {"heading", Kind::Label, "page", {220, 40, 70, 16}, "見出し"},
    {"hide", Kind::CheckBox, "page", {220, 60, 70, 16}, "貼り付け後非表示"},
    {"pages", Kind::CheckList, "page", {220, 80, 70, 40}},
    {"size", Kind::DropDownList, "page", {220, 130, 70, 20}},
    {"tabs", Kind::Tabs, "page", {0, 200, 300, 100}},
    {"dates", Kind::Page, "tabs", {}, "日付"},
    {"fonts", Kind::Page, "tabs", {}, "ﾌｫﾝﾄ"},
    {"fontSize", Kind::Entry, "fonts", {10, 10, 40, 20}, "12"},
};

class TestForm : public forms::Form {
 public:
  explicit TestForm(platform::Toolkit& toolkit)
      : Form(toolkit, {.caption = "test", .size = {300, 200}, .clientSize = true}, {"ＭＳ Ｐゴシック", 12, false},
             kControls) {
    Get<platform::Button>("ok").onClick = Handler(&TestForm::OkClick);
    Window().onResize = [this] { ApplyAnchors(); };
  }
  void OkClick() { throw platform::Failure("保存できません"); }
};

headless::Window& W(TestForm& f) { return headless::As<headless::Window>(f.Window()); }

}  // namespace

TEST(Form, ControlsComeFromTheTableWithTheirPlacesTextsAndNames) {
  headless::Toolkit toolkit;
  TestForm form(toolkit);
  EXPECT_EQ(form.Window().Caption(), "test");
  EXPECT_EQ(form.Window().ClientSize(), (platform::Size{300, 200}));
  auto& status = W(form).Find<headless::EntryBox>("status");
  EXPECT_EQ(status.GetText(), "準備");
  EXPECT_EQ(status.Hint(), "状態");
  EXPECT_EQ(status.Bounds(), (platform::Rect{10, 170, 280, 20}));
  EXPECT_EQ(W(form).Find<headless::Button>("ok").Caption(), "OK");
  EXPECT_EQ(form.Get<platform::Label>("heading").Caption(), "見出し");
  EXPECT_EQ(form.Get<platform::CheckBox>("hide").Caption(), "貼り付け後非表示");
  EXPECT_EQ(form.Get<platform::CheckList>("pages").Count(), 0);
  EXPECT_EQ(form.Get<platform::DropDownList>("size").Bounds(), (platform::Rect{220, 130, 70, 20}));
  auto& tabs = W(form).Find<headless::TabPages>("tabs");
  EXPECT_EQ(tabs.PageCount(), 2);
  EXPECT_EQ(tabs.TabCaption(1), "ﾌｫﾝﾄ");
  EXPECT_FALSE(form.Control("fonts").Visible());
  EXPECT_GT(form.Control("fonts").Bounds().width, 250);
  EXPECT_EQ(form.Get<platform::EntryBox>("fontSize").GetText(), "12");
  EXPECT_EQ(&form.Control("list"), &W(form).Find<headless::ListBox>("list"));
  EXPECT_THROW(form.Control("nothing"), std::logic_error);
  EXPECT_THROW(form.Get<platform::ListBox>("ok"), std::bad_cast);
}

TEST(Form, AnchoredControlsStretchAndMoveWithTheirParents) {
  headless::Toolkit toolkit;
  TestForm form(toolkit);
  const platform::Rect outer = form.Window().Bounds();
  form.Window().SetBounds({outer.left, outer.top, outer.width + 100, outer.height + 50});
  EXPECT_EQ(form.Control("page").Bounds(), (platform::Rect{0, 0, 400, 250}));
  EXPECT_EQ(form.Control("list").Bounds(), (platform::Rect{10, 10, 300, 200}));
  EXPECT_EQ(form.Control("ok").Bounds(), (platform::Rect{320, 10, 70, 24}));
  EXPECT_EQ(form.Control("status").Bounds(), (platform::Rect{10, 220, 380, 20}));
  EXPECT_EQ(form.Control("fixed").Bounds(), (platform::Rect{10, 10, 20, 20}));

  // Smaller than designed: stretched controls shrink, never below nothing.
  form.Window().SetBounds({outer.left, outer.top, outer.width - 250, outer.height});
  EXPECT_EQ(form.Control("list").Bounds(), (platform::Rect{10, 10, 0, 150}));
  EXPECT_EQ(form.Control("ok").Bounds(), (platform::Rect{-30, 10, 70, 24}));
}

TEST(Form, AFailingHandlerIsShownInTheErrorBoxAndTheFormCarriesOn) {
  headless::Toolkit toolkit;
  TestForm form(toolkit);
  auto& ok = W(form).Find<headless::Button>("ok");
  ok.UserClick();
  ok.UserClick();
  ASSERT_EQ(toolkit.Messages().size(), 2u);
  EXPECT_EQ(toolkit.Messages()[0].text, "保存できません.");
  EXPECT_EQ(toolkit.Messages()[0].caption, "ミルフォ");
  EXPECT_EQ(toolkit.Messages()[0].icon, platform::Icon::Stop);
  EXPECT_FALSE(form.Window().Closed());
}

TEST(Form, TheUserCannotReachAControlInAHiddenOrDisabledParent) {
  headless::Toolkit toolkit;
  TestForm form(toolkit);
  auto& ok = W(form).Find<headless::Button>("ok");
  auto& list = W(form).Find<headless::ListBox>("list");
  list.Add("a");
  form.Control("page").SetVisible(false);
  EXPECT_TRUE(ok.Visible());  // its own flag stays
  EXPECT_THROW(ok.UserClick(), headless::Unexpected);
  EXPECT_THROW(list.UserClick(0), headless::Unexpected);
  form.Control("page").SetVisible(true);
  form.Control("page").SetEnabled(false);
  EXPECT_THROW(list.UserClick(0), headless::Unexpected);
  form.Control("page").SetEnabled(true);
  list.UserClick(0);
  EXPECT_EQ(list.ItemIndex(), 0);
  EXPECT_TRUE(toolkit.Messages().empty());
}

TEST(ErrorBox, FullStopRule) {
  EXPECT_EQ(forms::ErrorText("abc"), "abc.");
  EXPECT_EQ(forms::ErrorText("abc."), "abc.");
  EXPECT_EQ(forms::ErrorText("abc!"), "abc!");  // "!" is below "."
  EXPECT_EQ(forms::ErrorText("abc/"), "abc/.");
  EXPECT_EQ(forms::ErrorText("失敗しました。"), "失敗しました。.");
  EXPECT_EQ(forms::ErrorText(""), ".");
}

TEST(ErrorBox, EveryFailureKindIsShownAndEndsOnlyTheCommand) {
  headless::Toolkit toolkit;
  forms::Dispatcher d(toolkit);
  EXPECT_FALSE(d.Run([] { throw platform::Failure("ファイルがありません"); }));
  EXPECT_FALSE(d.Run([] { throw std::out_of_range("x"); }));
  EXPECT_FALSE(d.Run([] { throw std::bad_alloc(); }));
  EXPECT_TRUE(d.Run([] {}));
  int key = 0;
  d.Wrap([&](int k) {
    key = k;
    throw platform::Failure("キー");
  })(27);
  EXPECT_EQ(key, 27);
  ASSERT_EQ(toolkit.Messages().size(), 4u);
  EXPECT_EQ(toolkit.Messages()[0].text, "ファイルがありません.");
  EXPECT_EQ(toolkit.Messages()[3].text, "キー.");
  for (const auto& m : toolkit.Messages()) {
    EXPECT_EQ(m.caption, "ミルフォ");
    EXPECT_EQ(m.icon, platform::Icon::Stop);
    EXPECT_EQ(m.buttons, platform::Buttons::Ok);
  }
}
