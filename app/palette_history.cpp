// TFKao: the two history panels and their menu.
#include "app/palette_window.h"

namespace app {

void TFKao::ConnectHistory() {
  pHistory1->onClick = Dispatch().Bind([this] { pHistory1Click(); });
  pHistory1->onDblClick = Dispatch().Bind([this] { pHistory1DblClick(*pHistory1); });
  pHistory2->onDblClick = Dispatch().Bind([this] { pHistory1DblClick(*pHistory2); });
}

void TFKao::PushHistory(const std::string& text) {
  if (settings_.historyLock || pHistory1->Caption() == text) return;
  pHistory2->SetCaption(pHistory1->Caption());
  pHistory1->SetCaption(text);
}

void TFKao::pHistory1Click() {
  if (settings_.oneClick) pHistory1DblClick(*pHistory1);
}

void TFKao::pHistory1DblClick(platform::Panel& panel) {
  const std::string text = panel.Caption();
  if (Link1->Checked())
    OpenLink(text);
  else
    PasteText(text);
}

void TFKao::C2Click() {
  const auto chosen = p_.toolkit.PickColor(&Window(), lastChosenColor_);
  if (!chosen) return;
  lastChosenColor_ = *chosen;
  pHistory1->SetColor(*chosen);
  pHistory2->SetColor(pHistory1->Color());
}

void TFKao::FavoritClick() {
  Favorit->SetChecked(!Favorit->Checked());
  settings_.historyLock = Favorit->Checked();
}

void TFKao::N10Click() {
  pHistory1->SetColor(platform::colour::kButtonFace);
  pHistory2->SetColor(platform::colour::kButtonFace);
}

void TFKao::D2Click() {
  pHistory1->SetCaption("");
  pHistory2->SetCaption("");
}

}  // namespace app
