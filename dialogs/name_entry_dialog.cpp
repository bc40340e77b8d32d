#include "dialogs/name_entry_dialog.h"

#include <algorithm>

namespace dialogs {

namespace {
constexpr int kWidth = 284, kHeight = 51;
constexpr int kEnter = 13;
}  // namespace

TFGroup::TFGroup(platform::Toolkit& toolkit, platform::Window& owner) : form(toolkit.NewDialog(owner)) {
  form->SetCaption("作成＆追加");
  form->SetFont({"ＭＳ Ｐゴシック", 12, false});
  Edit1 = form->NewEntryBox(nullptr);
  Edit1->SetFont({"ＭＳ Ｐゴシック", 16, false});
  Edit1->SetBounds({0, 0, 228, 24});
  BitBtn1 = form->NewButton(nullptr, platform::Glyph::None);
  BitBtn1->SetCaption("OK");
  BitBtn1->SetBounds({228, 0, 24, 24});
  BitBtn2 = form->NewButton(nullptr, platform::Glyph::None);
  BitBtn2->SetCaption("NO");
  BitBtn2->SetBounds({252, 0, 24, 24});
  BitBtn1->onClick = [this] { BitBtn1Click(); };
  BitBtn2->onClick = [this] { BitBtn2Click(); };
  Edit1->onKeyDown = [this](int key) {
    if (key == kEnter) BitBtn1Click();
  };

  // Over the owner's corner, never past the right or bottom screen edge.
  const platform::Rect at = owner.Bounds();
  const platform::Size screen = toolkit.ScreenSize();
  form->SetBounds({std::min(at.left, screen.width - kWidth), std::min(at.top, screen.height - kHeight), kWidth, kHeight});
}

void TFGroup::BitBtn1Click() {
  if (!Edit1->GetText().empty()) Tag = 1;
  form->Close();
}

void TFGroup::BitBtn2Click() { form->Close(); }

std::optional<std::string> NameEntryDialog(platform::Toolkit& toolkit, platform::Window& owner,
                                           const std::string& caption, int32_t fieldColor, const std::string& text) {
  TFGroup dialog(toolkit, owner);
  dialog.Edit1->SetBackground(fieldColor);
  dialog.form->SetCaption(caption);
  dialog.Edit1->SetText(text);
  dialog.Edit1->SetFocus();  // it is the first control: ShowModal gives it the keyboard too
  dialog.Edit1->SelectAll();
  // The text is read before the window closes: a closed window's controls
  // are gone in the real toolkit.
  std::string typed;
  dialog.form->onClose = [&] {
    typed = dialog.Edit1->GetText();
    return true;
  };
  dialog.form->ShowModal();
  if (dialog.Tag != 1) return std::nullopt;
  return typed;
}

}  // namespace dialogs
