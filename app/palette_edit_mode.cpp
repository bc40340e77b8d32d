// TFKao: group edit mode, where the current group is rewritten as free text
// in the edit box, and the edit menu's clipboard commands beside it.
#include "app/palette_window.h"
#include "library/group_file.h"
#include "platform/failure.h"

namespace app {

void TFKao::ConnectEditMode() {
  const std::pair<platform::Button*, void (TFKao::*)()> buttons[] = {
      {bEditer, &TFKao::E3Click},        {bEditSave, &TFKao::bEditSaveClick},
      {bEditClose, &TFKao::bEditCloseClick}, {bEditCopy, &TFKao::Copy2Click},
      {bEditCut, &TFKao::Cut1Click},     {bEditPast, &TFKao::Paste1Click}};
  for (const auto& [button, command] : buttons) {
    button->onClick = Dispatch().Bind([this, command = command] { (this->*command)(); });
    button->SetEnabled(true);
  }
}

void TFKao::E3Click() {
  if (library_->currentGroup < 0) return;
  // A face list stored from an earlier edit reaches its file now: while the
  // edit box is shown nothing is saved, and leaving the group would lose it.
  SaveGroup();
  Panel1->SetVisible(false);
  Panel3->SetVisible(true);
  ListBox2->SetVisible(false);
  RichEdit1->SetVisible(true);
  library_->LoadEditBox();
  RichEdit1->SetFocus();
  MainMenu1Change();
}

void TFKao::bEditSaveClick() {
  std::vector<std::string> lines = library::ParseEditText(RichEdit1->GetText());
  if (lines.empty())
    DeleteGroup();
  else
    library_->StoreEditBox(std::move(lines));
  bEditCloseClick();
}

void TFKao::bEditCloseClick() {
  const bool hadFocus = RichEdit1->HasFocus();
  RichEdit1->SetText("");
  RichEdit1->SetVisible(false);
  ListBox2->SetVisible(true);
  if (hadFocus) ListBox2->SetFocus();
  Panel3->SetVisible(false);
  Panel1->SetVisible(true);
  MainMenu1Change();
}

// The buttons take the keyboard when clicked; it goes back to the text,
// where the user goes on typing.
void TFKao::Cut1Click() {
  RichEdit1->Cut();
  RichEdit1->SetFocus();
}

void TFKao::Copy2Click() {
  RichEdit1->Copy();
  RichEdit1->SetFocus();
}

void TFKao::Paste1Click() {
  RichEdit1->Paste();
  RichEdit1->SetFocus();
}

void TFKao::ClipDel1Click() {
  if (!p_.clipboard.Clear()) throw platform::Failure("クリップボードを開くことができません");
}

}  // namespace app
