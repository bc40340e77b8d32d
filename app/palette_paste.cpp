// TFKao: putting faces into the user's application, and the clipboard
// commands of the edit menu.
#include "app/paste.h"
#include "app/palette_window.h"

namespace app {

void TFKao::ConnectPaste() {
  bLink->onClick = Dispatch().Bind([this] { Link1Click(); });
  bAll->onClick = Dispatch().Bind([this] { bAllClick(); });
  bSelectPast->onClick = Dispatch().Bind([this] { Copy1Click(); });
  bDateTime->onClick = Dispatch().Bind([this] { bDateTimeClick(); });
  for (platform::Button* b : {bLink, bAll, bSelectPast, bDateTime}) b->SetEnabled(true);
  ListBox2->onClick = Dispatch().Bind([this] { ListBox2Click(); });
  ListBox2->onDblClick = Dispatch().Bind([this] { ListBox2DblClick(); });
  StatusBar1->onClick = Dispatch().Bind([this] { StatusBar1Click(); });
  StatusBar1->onDblClick = Dispatch().Bind([this] { StatusBar1DblClick(); });
}

void TFKao::PasteText(const Text& text) {
  paster_->Paste(text);
  summons_->AfterPaste();
}

void TFKao::PushHistory(const Text& text) {
  history_->Push(text);
  finder_->Pasted(text);
}

// Link mode and the fixed target window do not apply to the stamp.
void TFKao::bDateTimeClick() {
  const auto stamp = paster_->PasteStamp();
  summons_->AfterPaste();
  if (stamp) PushHistory(*stamp);
}

void TFKao::ListBox2Click() {
  if (settings_.Boolean(settings::kOneClick)) ListBox2DblClick();
}

void TFKao::ListBox2DblClick() {
  if (ListBox2->Count() == 0) return;
  UseFace(ListBox2->Item(ListBox2->CaretIndex()));
}

void TFKao::UseFace(const Text& face) {
  if (Link1->Checked())
    OpenLink(face);
  else
    PasteText(face);
  PushHistory(face);
}

void TFKao::Copy1Click() {
  if (finder_->ShowsResults()) return finder_->UseSelected();
  if (ListBox2->Count() == 0) return;
  std::string text;
  if (Link1->Checked()) {
    text = ListBox2->Item(ListBox2->CaretIndex());
    OpenLink(text);
  } else {
    text = SelectedFacesText(*ListBox2, settings_.Boolean(settings::kWithReturn));
    PasteText(text);
  }
  PushHistory(text);
}

void TFKao::StatusBar1Click() {
  if (settings_.Boolean(settings::kOneClick)) StatusBar1DblClick();
}

void TFKao::StatusBar1DblClick() { paster_->IntoFoundWindow(); }

void TFKao::Link1Click() {
  Link1->SetChecked(!Link1->Checked());
  ApplyLinkLook();
}

void TFKao::ApplyLinkLook() {
  platform::Font look = listFont_;
  look.underline = Link1->Checked();
  look.color = Link1->Checked() ? platform::colour::kBlue : platform::colour::kWindowText;
  ListBox2->SetFont(look);
  ListBox4->SetFont(look);
}

void TFKao::bAllClick() {
  if (BringBackFaceList()) return;
  ListBox2->BeginUpdate();
  for (int i = 0, n = ListBox2->Count(); i < n; ++i) ListBox2->SetSelected(i, true);
  ListBox2->EndUpdate();
}

void TFKao::ClipDel1Click() { paster_->ClearClipboard(); }

}  // namespace app
