#include "dialogs/name_entry_dialog.h"

#include <algorithm>

#include "forms/fonts.h"

namespace dialogs {

namespace {

constexpr int kWidth = 284, kHeight = 51;

platform::WindowOptions Options(platform::Window& owner) {
  platform::WindowOptions o;
  o.frame = platform::Frame::Fixed;
  o.caption = "作成＆追加";
  o.closeBoxOnly = true;
  o.stayOnTop = true;
  o.owner = &owner;
  o.size = {kWidth, kHeight};
  return o;
}

const forms::ControlDecl kControls[] = {
    {"Edit1", forms::Kind::Entry, nullptr, {0, 0, 228, 24}},
    {"BitBtn1", forms::Kind::Button, nullptr, {228, 0, 24, 24}, "OK"},
    {"BitBtn2", forms::Kind::Button, nullptr, {252, 0, 24, 24}, "NO"},
};

}  // namespace

TFGroup::TFGroup(platform::Toolkit& toolkit, platform::Window& owner)
    : Form(toolkit, Options(owner), forms::WindowFont(12), kControls),
      Edit1(Get<platform::EntryBox>("Edit1")),
      BitBtn1(Get<platform::Button>("BitBtn1")),
      BitBtn2(Get<platform::Button>("BitBtn2")) {
  Edit1.SetFont(forms::WindowFont(16));
  BitBtn1.onClick = Handler(&TFGroup::BitBtn1Click);
  BitBtn2.onClick = Handler(&TFGroup::BitBtn2Click);
  Edit1.onKeyDown = Dispatch().Wrap([this](int key) { Edit1KeyDown(key); });

  // Over the owner's corner, never past the right or bottom screen edge,
  // which is in pixels where the strip's size is at 96 DPI.
  const platform::Rect at = owner.Bounds();
  const platform::Size screen = toolkit.ScreenSize();
  const int dpi = Window().Dpi();
  Window().SetBounds({std::min(at.left, screen.width - kWidth * dpi / 96),
                      std::min(at.top, screen.height - kHeight * dpi / 96), kWidth, kHeight});
}

void TFGroup::BitBtn1Click() {
  // A text that cannot be read (a character Shift-JIS lacks) fails here and
  // leaves the dialog open for another try.
  accepted = Edit1.GetText();
  if (!accepted.empty()) Tag = 1;
  Window().Close();
}

void TFGroup::BitBtn2Click() { Window().Close(); }

void TFGroup::Edit1KeyDown(int key) {
  if (key == platform::key::kEnter) BitBtn1Click();
}

std::optional<Text> NameEntryDialog(platform::Toolkit& toolkit, platform::Window& owner,
                                           const std::string& caption, int32_t fieldColor, const std::string& text) {
  TFGroup dialog(toolkit, owner);
  dialog.Edit1.SetBackground(fieldColor);
  dialog.Window().SetCaption(caption);
  dialog.Edit1.SetText(text);
  dialog.Edit1.SetFocus();  // it is the first control: ShowModal gives it the keyboard too
  dialog.Edit1.SelectAll();
  dialog.Window().ShowModal();
  if (dialog.Tag != 1) return std::nullopt;
  return dialog.accepted;
}

}  // namespace dialogs
