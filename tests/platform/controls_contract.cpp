// Labels, pictures, check boxes, check lists, drop-down lists, tabbed pages and what entry boxes
// add for dialogs, for every backend: values set by code notify nobody, the
// user's actions notify once and change the state.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "resources/picture_ids.h"
#include "tests/platform/contract_backend.h"

namespace {

class ControlsContract : public ::testing::Test {
 protected:
  void SetUp() override {
    window = backend->Toolkit().NewWindow({.size = {300, 400}});
    window->SetFont({"ＭＳ Ｐゴシック", 16, false});
    window->SetBounds({10, 20, 360, 420});
    window->Show();
  }

  std::unique_ptr<ContractBackend> backend = MakeContractBackend();
  std::unique_ptr<platform::Window> window;
};

TEST_F(ControlsContract, LabelKeepsItsTextAndLookAndHearsOnlyTheUsersClicks) {
  auto panel = window->NewPanel(nullptr);
  panel->SetBounds({0, 0, 300, 100});
  auto label = window->NewLabel(panel.get());
  label->SetBounds({10, 10, 200, 20});
  int clicks = 0;
  label->onClick = [&] { ++clicks; };
  EXPECT_FALSE(label->Transparent());
  EXPECT_FALSE(label->LinkLook());
  EXPECT_EQ(label->Color(), platform::colour::kWindowText);

  label->SetCaption("(^_^)顔文字 ソ表ｱｲｳ & more");
  label->SetTransparent(true);
  label->SetLinkLook(true);
  label->SetColor(0x000080);
  label->SetFont({"ＭＳ Ｐゴシック", 12, true, false, true});
  backend->Pump();
  EXPECT_EQ(label->Caption(), "(^_^)顔文字 ソ表ｱｲｳ & more");
  EXPECT_TRUE(label->Transparent());
  EXPECT_TRUE(label->LinkLook());
  EXPECT_EQ(label->Color(), 0x000080);
  EXPECT_EQ(clicks, 0);
  // The link look is what shows, whatever the colour and font say.
  EXPECT_EQ(backend->DrawnLook(*label).colour, platform::colour::kBlue);
  EXPECT_TRUE(backend->DrawnLook(*label).underlined);

  backend->UserClick(*label);
  backend->Pump();
  EXPECT_EQ(clicks, 1);
  label->SetLinkLook(false);  // the colour stays for the plain look
  EXPECT_EQ(label->Color(), 0x000080);
  EXPECT_EQ(backend->DrawnLook(*label).colour, 0x000080);
  EXPECT_FALSE(backend->DrawnLook(*label).underlined);
  backend->UserClick(*label);
  EXPECT_EQ(clicks, 2);
}

TEST_F(ControlsContract, APictureAndTheLinkLaidOnItEachHearTheirOwnClicks) {
  auto panel = window->NewPanel(nullptr);
  panel->SetBounds({0, 0, 221, 291});
  auto picture = window->NewPicture(panel.get(), PICTURE_ABOUT);
  picture->SetBounds({5, 5, 210, 280});
  auto link = window->NewLabel(picture.get());
  link->SetBounds({80, 100, 100, 16});
  link->SetCaption("https://mirufo.example/");
  link->SetTransparent(true);
  link->SetLinkLook(true);
  std::vector<std::string> heard;
  picture->onClick = [&] { heard.push_back("picture"); };
  link->onClick = [&] { heard.push_back("link"); };
  backend->Pump();
  EXPECT_EQ(picture->Bounds(), (platform::Rect{5, 5, 210, 280}));

  backend->UserClick(*link);
  backend->Pump();
  backend->UserClick(*picture);
  backend->Pump();
  EXPECT_EQ(heard, (std::vector<std::string>{"link", "picture"}));
}

TEST_F(ControlsContract, CheckBoxTogglesOnlyForTheUserAndTellsOncePerToggle) {
  auto box = window->NewCheckBox(nullptr);
  box->SetBounds({10, 10, 200, 20});
  box->SetCaption("顔文字を使う(&K)");
  std::vector<bool> heard;  // Checked as the handler sees it
  box->onClick = [&] { heard.push_back(box->Checked()); };
  EXPECT_EQ(box->Caption(), "顔文字を使う(&K)");
  EXPECT_FALSE(box->Checked());
  box->SetChecked(true);
  backend->Pump();
  EXPECT_TRUE(box->Checked());
  EXPECT_TRUE(heard.empty());

  backend->UserClick(*box);
  backend->Pump();
  EXPECT_FALSE(box->Checked());
  EXPECT_TRUE(box->HasFocus());
  backend->UserKey(*window, *box, platform::key::kSpace);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(heard, (std::vector<bool>{false, true}));
  box->SetChecked(false);
  EXPECT_EQ(heard.size(), 2u);
}

class CheckListContract : public ControlsContract {
 protected:
  void SetUp() override {
    ControlsContract::SetUp();
    list = window->NewCheckList(nullptr);
    list->SetBounds({10, 10, 250, 150});
    for (const char* item : {"abc", "顔文字", "(^_^)ソ表"}) list->Add(item);
    list->onClick = [this] { ++clicks; };
    list->onClickCheck = [this](int index) { toggled.push_back({index, list->Checked(index)}); };
    backend->Pump();
  }

  std::unique_ptr<platform::CheckList> list;
  int clicks = 0;
  std::vector<std::pair<int, bool>> toggled;  // index and its new state
};

TEST_F(CheckListContract, ItemsStartUncheckedAndCodeNotifiesNobody) {
  ASSERT_EQ(list->Count(), 3);
  EXPECT_EQ(list->Item(1), "顔文字");
  EXPECT_EQ(list->Item(2), "(^_^)ソ表");
  EXPECT_EQ(list->ItemIndex(), -1);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(list->Checked(i)) << i;

  list->SetChecked(1, true);
  list->SetItemIndex(2);
  backend->Pump();
  EXPECT_TRUE(list->Checked(1));
  EXPECT_FALSE(list->Checked(2));
  EXPECT_EQ(list->ItemIndex(), 2);
  list->SetItemIndex(-1);
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(toggled.empty());

  // Cleared and filled again, no state is carried over.
  list->Clear();
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(list->ItemIndex(), -1);
  list->Add("x");
  list->Add("y");
  EXPECT_FALSE(list->Checked(1));
}

TEST_F(CheckListContract, IndexesOutsideTheItemsThrow) {
  EXPECT_THROW(list->Item(3), std::out_of_range);
  EXPECT_THROW(list->Item(-1), std::out_of_range);
  EXPECT_THROW(list->Checked(3), std::out_of_range);
  EXPECT_THROW(list->SetChecked(-1, true), std::out_of_range);
  EXPECT_THROW(list->SetItemIndex(3), std::out_of_range);
  EXPECT_THROW(list->SetItemIndex(-2), std::out_of_range);
  list->Clear();
  EXPECT_THROW(list->Checked(0), std::out_of_range);
}

TEST_F(CheckListContract, AClickOnABoxTogglesOnlyThatItemAndSelectsIt) {
  list->SetChecked(0, true);
  backend->UserClickCheck(*list, 2);
  backend->Pump();
  EXPECT_EQ(toggled, (std::vector<std::pair<int, bool>>{{2, true}}));
  EXPECT_TRUE(list->Checked(0));
  EXPECT_FALSE(list->Checked(1));
  EXPECT_TRUE(list->Checked(2));
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(list->HasFocus());

  backend->UserClickCheck(*list, 0);
  backend->Pump();
  EXPECT_EQ(toggled.back(), (std::pair<int, bool>{0, false}));
  EXPECT_FALSE(list->Checked(0));
  EXPECT_TRUE(list->Checked(2));
  EXPECT_EQ(list->ItemIndex(), 0);
}

TEST_F(CheckListContract, AClickOnTheTextSelectsAndSpaceTogglesTheSelectedItem) {
  backend->UserClick(*list, 1);
  backend->Pump();
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(toggled.empty());
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(list->Checked(i)) << i;

  backend->UserKey(*window, *list, platform::key::kSpace);
  EXPECT_EQ(toggled, (std::vector<std::pair<int, bool>>{{1, true}}));
  EXPECT_EQ(list->ItemIndex(), 1);  // no search for an item starting with a space
  backend->UserKey(*window, *list, platform::key::kSpace);
  EXPECT_EQ(toggled.back(), (std::pair<int, bool>{1, false}));
  EXPECT_EQ(clicks, 1);

  // Nothing selected: space toggles nothing.
  list->SetItemIndex(-1);
  backend->UserKey(*window, *list, platform::key::kSpace);
  EXPECT_EQ(toggled.size(), 2u);
}

TEST_F(ControlsContract, DropDownListTellsOnlyOfAnotherItemPickedByTheUser) {
  auto drop = window->NewDropDownList(nullptr);
  drop->SetBounds({10, 10, 200, 24});
  for (const char* item : {"ＭＳ ゴシック", "ＭＳ 明朝", "(^_^)"}) drop->Add(item);
  std::vector<int> changes;  // ItemIndex as the handler sees it
  drop->onChange = [&] { changes.push_back(drop->ItemIndex()); };
  ASSERT_EQ(drop->Count(), 3);
  EXPECT_EQ(drop->Item(1), "ＭＳ 明朝");
  EXPECT_EQ(drop->ItemIndex(), -1);

  drop->SetItemIndex(1);
  backend->Pump();
  EXPECT_EQ(drop->ItemIndex(), 1);
  EXPECT_TRUE(changes.empty());
  backend->UserChoose(*drop, 1);  // the item already shown
  EXPECT_TRUE(changes.empty());
  backend->UserChoose(*drop, 2);
  backend->Pump();
  EXPECT_EQ(changes, std::vector<int>{2});
  EXPECT_EQ(drop->ItemIndex(), 2);

  EXPECT_THROW(drop->Item(3), std::out_of_range);
  EXPECT_THROW(drop->SetItemIndex(3), std::out_of_range);
  EXPECT_THROW(drop->SetItemIndex(-2), std::out_of_range);
  EXPECT_EQ(drop->ItemIndex(), 2);

  // After a refill the first pick is news again, even of the old position.
  drop->Clear();
  EXPECT_EQ(drop->Count(), 0);
  EXPECT_EQ(drop->ItemIndex(), -1);
  drop->Add("a");
  drop->Add("b");
  drop->Add("c");
  backend->UserChoose(*drop, 2);
  EXPECT_EQ(changes, (std::vector<int>{2, 2}));
}

TEST_F(ControlsContract, EntryBoxHearsWhenTheFocusLeavesIt) {
  auto entry = window->NewEntryBox(nullptr);
  entry->SetBounds({10, 10, 200, 24});
  auto other = window->NewEntryBox(nullptr);
  other->SetBounds({10, 40, 200, 24});
  auto list = window->NewCheckList(nullptr);
  list->SetBounds({10, 70, 200, 60});
  int exits = 0;
  bool focusGone = false;
  entry->onExit = [&] {
    ++exits;
    focusGone = !entry->HasFocus();
  };
  entry->SetFocus();
  backend->Pump();
  EXPECT_EQ(exits, 0);
  other->SetFocus();
  backend->Pump();
  EXPECT_EQ(exits, 1);
  EXPECT_TRUE(focusGone);
  list->SetFocus();  // from another box: not this one's exit
  backend->Pump();
  EXPECT_EQ(exits, 1);
  entry->SetFocus();
  list->SetFocus();
  backend->Pump();
  EXPECT_EQ(exits, 2);
}

TEST_F(ControlsContract, EntryBoxTellsOfEveryChangeOfItsText) {
  auto entry = window->NewEntryBox(nullptr);
  entry->SetBounds({10, 10, 200, 24});
  std::vector<std::string> seen;
  entry->onChange = [&] { seen.push_back(entry->GetText()); };
  entry->SetText("yy");
  entry->SetText("");
  backend->Pump();
  ASSERT_EQ(seen, (std::vector<std::string>{"yy", ""}));
  backend->UserType(*window, *entry, "年");
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen.back(), "年");
}

TEST_F(ControlsContract, AClickedButtonTakesTheKeyboardSoTheFieldIsLeftFirst) {
  auto entry = window->NewEntryBox(nullptr);
  entry->SetBounds({10, 10, 200, 24});
  auto button = window->NewButton(nullptr, 0);
  button->SetBounds({10, 40, 80, 24});
  button->SetCaption("OK");
  std::vector<std::string> events;
  entry->onExit = [&] { events.push_back("exit"); };
  button->onClick = [&] { events.push_back("click"); };
  entry->SetFocus();
  backend->Pump();
  backend->UserClick(*button);
  backend->Pump();
  EXPECT_EQ(events, (std::vector<std::string>{"exit", "click"}));
  EXPECT_TRUE(button->HasFocus());
}

TEST_F(ControlsContract, ReadOnlyEntryBoxKeepsItsTextAgainstTyping) {
  auto entry = window->NewEntryBox(nullptr);
  entry->SetBounds({10, 10, 200, 24});
  entry->SetImeOff(true);
  EXPECT_FALSE(entry->ReadOnly());
  entry->SetText("顔文字");
  entry->SetReadOnly(true);
  EXPECT_TRUE(entry->ReadOnly());
  backend->UserType(*window, *entry, "ab");
  EXPECT_EQ(entry->GetText(), "顔文字");
  entry->SetText("(^_^)");  // code still sets it
  EXPECT_EQ(entry->GetText(), "(^_^)");

  entry->SetReadOnly(false);
  EXPECT_FALSE(entry->ReadOnly());
  entry->SelectAll();
  backend->UserType(*window, *entry, "ab");
  EXPECT_EQ(entry->GetText(), "ab");
}

}  // namespace

TEST_F(ControlsContract, TabbedPagesShowOnePageAtATimeAndHearOnlyTheUsersChoice) {
  auto tabs = window->NewTabPages(nullptr);
  tabs->SetBounds({5, 5, 320, 300});
  auto date = tabs->AddPage("日付");
  auto paste = tabs->AddPage("ﾍﾟｰｽﾄ");
  auto third = tabs->AddPage("ﾌｫﾝﾄ");
  int changes = 0;
  tabs->onChange = [&] { ++changes; };
  EXPECT_EQ(tabs->PageCount(), 3);
  EXPECT_EQ(tabs->PageIndex(), 0);
  EXPECT_TRUE(date->Visible());
  EXPECT_FALSE(paste->Visible() || third->Visible());
  // Each page lies inside the tabs, below the row of tabs.
  for (platform::Panel* page : {date.get(), paste.get(), third.get()}) {
    const platform::Rect r = page->Bounds();
    EXPECT_GE(r.left, 0);
    EXPECT_GT(r.top, 10);
    EXPECT_LE(r.left + r.width, 320);
    EXPECT_LE(r.top + r.height, 300);
    EXPECT_GT(r.width, 280);
  }

  tabs->SetPageIndex(2);
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(third->Visible());
  EXPECT_FALSE(date->Visible());
  backend->UserChooseTab(*tabs, 1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(tabs->PageIndex(), 1);
  EXPECT_TRUE(paste->Visible());
  EXPECT_FALSE(third->Visible());
  backend->UserChooseTab(*tabs, 1);  // the tab shown already
  EXPECT_EQ(changes, 1);
  EXPECT_THROW(tabs->SetPageIndex(3), std::out_of_range);
  EXPECT_EQ(tabs->PageIndex(), 1);

  // A page grows with its tabs.
  tabs->SetBounds({5, 5, 400, 300});
  EXPECT_GT(paste->Bounds().width, 360);
}
