// What only the headless toolkit does: refusing the user's actions on
// controls the user could not reach.
#include <gtest/gtest.h>

#include <functional>

#include "platform/headless/toolkit.h"

namespace {

using headless::As;

TEST(HeadlessControls, HiddenOrGreyedControlsCannotBeUsed) {
  headless::Toolkit toolkit;
  auto window = toolkit.NewWindow({.size = {300, 400}});
  auto label = window->NewLabel(nullptr);
  auto box = window->NewCheckBox(nullptr);
  auto list = window->NewCheckList(nullptr);
  list->Add("a");
  auto drop = window->NewDropDownList(nullptr);
  drop->Add("a");
  drop->Add("b");
  int heard = 0;
  label->onClick = box->onClick = list->onClick = drop->onChange = [&] { ++heard; };
  list->onClickCheck = [&](int) { ++heard; };

  struct Case {
    platform::Control& control;
    std::function<void()> act;
  };
  const Case cases[] = {
      {*label, [&] { As<headless::Label>(*label).UserClick(); }},
      {*box, [&] { As<headless::CheckBox>(*box).UserClick(); }},
      {*list, [&] { As<headless::CheckList>(*list).UserClick(0); }},
      {*list, [&] { As<headless::CheckList>(*list).UserClickCheck(0); }},
      {*drop, [&] { As<headless::DropDownList>(*drop).UserChoose(1); }},
  };
  for (const Case& c : cases) {
    c.control.SetVisible(false);
    EXPECT_THROW(c.act(), headless::Unexpected);
    c.control.SetVisible(true);
    c.control.SetEnabled(false);
    EXPECT_THROW(c.act(), headless::Unexpected);
    c.control.SetEnabled(true);
  }
  EXPECT_EQ(heard, 0);
  EXPECT_FALSE(box->Checked());
  EXPECT_FALSE(list->Checked(0));
  EXPECT_EQ(drop->ItemIndex(), -1);
}

TEST(HeadlessControls, SpaceReachesOnlyTheFocusedControl) {
  headless::Toolkit toolkit;
  auto window = toolkit.NewWindow({.size = {300, 400}});
  auto& w = As<headless::Window>(*window);
  auto box = window->NewCheckBox(nullptr);
  auto list = window->NewCheckList(nullptr);
  list->Add("a");
  list->SetItemIndex(0);
  int keys = 0;
  window->onKeyDown = [&](int) { return ++keys == 1; };  // the preview takes the first
  box->SetFocus();
  w.UserKey(platform::key::kSpace);
  EXPECT_FALSE(box->Checked());
  w.UserKey(platform::key::kSpace);
  EXPECT_TRUE(box->Checked());
  EXPECT_FALSE(list->Checked(0));
  list->SetFocus();
  w.UserKey(platform::key::kSpace);
  EXPECT_TRUE(list->Checked(0));
  EXPECT_TRUE(box->Checked());
}

}  // namespace

TEST(HeadlessControls, ControlsOnAPageNotShownAreOutOfReach) {
  headless::Toolkit toolkit;
  auto window = toolkit.NewWindow({.size = {300, 400}});
  auto tabs = window->NewTabPages(nullptr);
  auto first = tabs->AddPage("日付");
  auto second = tabs->AddPage("ﾍﾟｰｽﾄ");
  auto box = window->NewCheckBox(second.get());
  auto& check = headless::As<headless::CheckBox>(*box);
  EXPECT_THROW(check.UserClick(), headless::Unexpected);
  headless::As<headless::TabPages>(*tabs).UserChoose(1);
  check.UserClick();
  EXPECT_TRUE(check.Checked());
}
