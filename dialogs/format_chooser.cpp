#include "dialogs/format_chooser.h"

#include "forms/fonts.h"

namespace dialogs {

namespace {

platform::WindowOptions Options(platform::Window& owner) {
  platform::WindowOptions o;
  o.frame = platform::Frame::None;
  o.caption = "形式の選択";
  o.stayOnTop = true;
  o.centred = true;
  o.owner = &owner;
  o.size = {151, 74};
  o.clientSize = true;
  return o;
}

const forms::ControlDecl kControls[] = {
    {"Panel1", forms::Kind::Panel, nullptr, {0, 0, 151, 74}},
    {"Panel2", forms::Kind::Panel, "Panel1", {1, 1, 149, 24}, "形式を選択して下さい"},
    {"SpeedButton1", forms::Kind::Button, "Panel1", {1, 25, 149, 24}, "ミルフォ形式"},
    {"SpeedButton2", forms::Kind::Button, "Panel1", {1, 49, 149, 24}, "ﾃｷｽﾄ辞書形式"},
};

}  // namespace

TFDragDrop::TFDragDrop(platform::Toolkit& toolkit, platform::Window& owner)
    : Form(toolkit, Options(owner), forms::WindowFont(12), kControls),
      SpeedButton1(Get<platform::Button>("SpeedButton1")),
      SpeedButton2(Get<platform::Button>("SpeedButton2")) {
  SpeedButton1.onClick = Handler(&TFDragDrop::SpeedButton1Click);
  SpeedButton2.onClick = Handler(&TFDragDrop::SpeedButton2Click);
  Window().onKeyDown = [this](int key) { return FormKeyDown(key); };
}

void TFDragDrop::SpeedButton1Click() {
  result = 1;
  Window().Close();
}

void TFDragDrop::SpeedButton2Click() {
  result = 2;
  Window().Close();
}

// Without a border there is no close box: Escape closes, as Alt+F4 does.
bool TFDragDrop::FormKeyDown(int key) {
  if (key != platform::key::kEscape) return false;
  Window().Close();
  return true;
}

int ChooseDropFormat(platform::Toolkit& toolkit, platform::Window& owner) {
  TFDragDrop chooser(toolkit, owner);
  chooser.Window().ShowModal();
  return chooser.result;
}

}  // namespace dialogs
