// List box semantics that the palette relies on, for every backend.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/platform/contract_backend.h"

namespace {

class ListBoxContract : public ::testing::Test {
 protected:
  void SetUp() override {
    backend = MakeContractBackend();
    window = backend->Toolkit().NewWindow({.menuBar = true, .size = {300, 400}});
    window->SetBounds({0, 0, 300, 400});
    window->Show();
    single = window->NewListBox(nullptr, platform::ListStyle::Single);
    single->SetBounds({0, 0, 280, 150});
    multi = window->NewListBox(nullptr, platform::ListStyle::Multiple);
    multi->SetBounds({0, 160, 280, 150});
    for (const char* item : {"abc", "ABC", "顔文字", "(^_^)"}) {
      single->Add(item);
      multi->Add(item);
    }
    single->onClick = [this] { ++singleClicks; };
    multi->onClick = [this] { ++multiClicks; };
    backend->Pump();
  }

  std::unique_ptr<ContractBackend> backend;
  std::unique_ptr<platform::Window> window;
  std::unique_ptr<platform::ListBox> single, multi;
  int singleClicks = 0, multiClicks = 0;
};

TEST_F(ListBoxContract, SelectionFromCodeRunsNoClickHandler) {
  single->SetItemIndex(2);
  multi->SetSelected(1, true);
  multi->SetCaretIndex(3);
  backend->Pump();
  EXPECT_EQ(single->ItemIndex(), 2);
  EXPECT_EQ(singleClicks, 0);
  EXPECT_EQ(multiClicks, 0);
  single->SetItemIndex(-1);
  EXPECT_EQ(single->ItemIndex(), -1);
}

TEST_F(ListBoxContract, UserClickRunsTheHandlerOnce) {
  backend->UserClick(*single, 1);
  backend->Pump();
  EXPECT_EQ(single->ItemIndex(), 1);
  EXPECT_EQ(singleClicks, 1);
  backend->UserClick(*multi, 2);
  backend->Pump();
  EXPECT_EQ(multiClicks, 1);
  EXPECT_EQ(multi->CaretIndex(), 2);
  EXPECT_TRUE(multi->Selected(2));
  EXPECT_FALSE(multi->Selected(0));
}

TEST_F(ListBoxContract, CaretIsSeparateFromSelection) {
  EXPECT_EQ(multi->CaretIndex(), 0);  // a filled list starts with item 0
  multi->Clear();
  EXPECT_EQ(multi->CaretIndex(), -1);
  multi->AddAll({"a", "b", "c", "d"});
  multi->SetCaretIndex(0);
  EXPECT_EQ(multi->CaretIndex(), 0);
  for (int i = 0; i < multi->Count(); ++i) EXPECT_FALSE(multi->Selected(i)) << i;
  multi->SetSelected(3, true);
  multi->SetCaretIndex(1);
  EXPECT_EQ(multi->CaretIndex(), 1);
  EXPECT_TRUE(multi->Selected(3));
  EXPECT_FALSE(multi->Selected(1));
}

TEST_F(ListBoxContract, ItemsKeepTheirBytesAndOrder) {
  EXPECT_EQ(single->Count(), 4);
  EXPECT_EQ(single->Item(2), "顔文字");
  EXPECT_EQ(single->Item(3), "(^_^)");
  // A NUL byte cannot reach a list control's text, yet the item keeps it:
  // the list is the working copy of a group file.
  const std::string nul("a\0b", 3);
  single->AddAll({"x", "", std::string(3000, 'w'), nul});
  EXPECT_EQ(single->Count(), 8);
  EXPECT_EQ(single->Item(5), "");
  EXPECT_EQ(single->Item(6), std::string(3000, 'w'));
  EXPECT_EQ(single->Item(7), nul);
  single->Clear();
  EXPECT_EQ(single->Count(), 0);
  EXPECT_EQ(single->ItemIndex(), -1);
}

TEST_F(ListBoxContract, FindExactIgnoresLetterCaseAndFindsTheFirst) {
  EXPECT_EQ(single->FindExact("ABC"), 0);  // abc stands first
  EXPECT_EQ(single->FindExact("Abc"), 0);
  EXPECT_EQ(single->FindExact("顔文字"), 2);
  EXPECT_EQ(single->FindExact("ab"), -1);
  EXPECT_EQ(single->FindExact("abcd"), -1);
  single->SetItemIndex(3);  // the search does not start at the selection
  EXPECT_EQ(single->FindExact("abc"), 0);
}

TEST_F(ListBoxContract, SuspendedRedrawStillTakesItems) {
  multi->BeginUpdate();
  multi->BeginUpdate();
  multi->Clear();
  multi->Add("a");
  multi->EndUpdate();
  multi->Add("b");
  multi->EndUpdate();
  backend->Pump();
  EXPECT_EQ(multi->Count(), 2);
  EXPECT_EQ(multi->Item(1), "b");
}

}  // namespace

namespace {

TEST_F(ListBoxContract, ChangingAndDeletingItemsKeepsTheOthersSelection) {
  multi->SetSelected(0, true);
  multi->SetSelected(2, true);
  multi->SetCaretIndex(2);
  multi->SetItem(2, "(;_;)");
  EXPECT_EQ(multi->Item(2), "(;_;)");
  EXPECT_TRUE(multi->Selected(2));
  EXPECT_EQ(multi->CaretIndex(), 2);
  EXPECT_EQ(multi->FindExact("(;_;)"), 2);
  EXPECT_EQ(multi->FindExact("顔文字"), -1);

  multi->Delete(1);
  ASSERT_EQ(multi->Count(), 3);
  EXPECT_EQ(multi->Item(1), "(;_;)");
  EXPECT_TRUE(multi->Selected(0));
  EXPECT_TRUE(multi->Selected(1));
  EXPECT_FALSE(multi->Selected(2));
  multi->SetCaretIndex(2);
  EXPECT_EQ(multi->CaretIndex(), 2);

  single->SetItemIndex(3);
  single->SetItem(3, "x");
  EXPECT_EQ(single->ItemIndex(), 3);
  single->Delete(0);
  EXPECT_EQ(single->Item(2), "x");
  single->SetItemIndex(2);
  EXPECT_EQ(single->ItemIndex(), 2);
  for (int i = single->Count() - 1; i >= 0; --i) single->Delete(i);
  EXPECT_EQ(single->Count(), 0);
  EXPECT_EQ(single->ItemIndex(), -1);
  EXPECT_THROW(single->Delete(0), std::out_of_range);
}

}  // namespace
