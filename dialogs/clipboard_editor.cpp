#include "dialogs/clipboard_editor.h"

#include "forms/fonts.h"
#include "library/group_file.h"
#include "library/whole_file.h"
#include "platform/failure.h"

namespace dialogs {

namespace {

const char* const kTextFilter = "テキストファイル(*.txt)|*.txt|すべてのファイル(*.*)|*.*";

platform::WindowOptions Options(platform::Window& owner) {
  return {.frame = platform::Frame::Sizeable, .caption = "ClipBord", .centred = true, .owner = &owner,
          .menuBar = true, .size = {767, 536}};
}

// The edit box's place follows the client area (FitEditBox).
const forms::ControlDecl kControls[] = {
    {"RichEdit1", forms::Kind::Edit},
};

}  // namespace

TFCb::TFCb(platform::Platform& services, platform::Window& owner)
    : Form(services.toolkit, Options(owner), forms::WindowFont(12), kControls),
      RichEdit1(Get<platform::EditBox>("RichEdit1")),
      p_(services),
      OpenDialog1_{"", "txt", kTextFilter},
      SaveDialog1_{"", "txt", kTextFilter} {
  RichEdit1.SetFont(forms::ListFont(16));
  Window().onResize = [this] { FitEditBox(); };
  BuildMenu();
  FitEditBox();
}

void TFCb::BuildMenu() {
  File1 = &Window().Menu().Add("file(&F)", nullptr);
  platform::MenuItem& f = *File1;
  O1 = &Item(f, "ﾌｧｲﾙを開く(&O)...", &TFCb::O1Click);
  N4 = &Item(f, "ﾌｧｲﾙに保存(&A)...", &TFCb::N4Click);
  f.AddSeparator();
  N1 = &Item(f, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ読込", &TFCb::N1Click);
  N3 = &Item(f, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ上書き保存(&S)...", &TFCb::N3Click);
  N2 = &Item(f, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ消去", &TFCb::N2Click);
  f.AddSeparator();
  Close1 = &Item(f, "閉じる(&X)", &TFCb::Close1Click);
}

void TFCb::FitEditBox() {
  const platform::Size client = Window().ClientSize();
  RichEdit1.SetBounds({0, 0, client.width, client.height});
}

std::optional<Path> TFCb::Execute(platform::FileDialogKind kind, platform::FileDialogRequest& dialog) {
  auto chosen = p_.toolkit.AskFileName(&Window(), kind, dialog);
  if (chosen) dialog.fileName = *chosen;
  return chosen;
}

void TFCb::O1Click() {
  const auto chosen = Execute(platform::FileDialogKind::Open, OpenDialog1_);
  if (!chosen) return;
  RichEdit1.SetText(library::ReadText(p_.files, *chosen));
}

// Text that Shift-JIS cannot hold fails to be read from the box, before
// anything is written.
void TFCb::N4Click() {
  const auto chosen = Execute(platform::FileDialogKind::Save, SaveDialog1_);
  if (!chosen) return;
  const std::string text = RichEdit1.GetText();
  library::WriteWholeFile(p_.files, *chosen, library::NewGroupFile(library::ParseEditText(text)));
}

void TFCb::N1Click() {
  if (p_.clipboard.HasText()) RichEdit1.SetText(p_.clipboard.GetText());
}

// Only over text: an empty clipboard, or one holding a picture, stays as it is.
void TFCb::N3Click() {
  if (!p_.clipboard.HasText()) return;
  const std::string text = RichEdit1.GetText();
  if (!p_.clipboard.SetText(text)) throw platform::Failure(platform::kClipboardBusy);
}

void TFCb::N2Click() {
  if (!p_.clipboard.Clear()) throw platform::Failure(platform::kClipboardBusy);
}

void TFCb::Close1Click() { Window().Close(); }

void OpenClipboardEditor(platform::Platform& services, platform::Window& owner) {
  TFCb editor(services, owner);
  // Clipboard text that Shift-JIS cannot hold is refused with a message over
  // the palette; the editor then starts empty.
  forms::Dispatcher palette(services.toolkit);
  palette.SetOwner(&owner);
  palette.Run([&] { editor.N1Click(); });
  editor.RichEdit1.SetFocus();
  editor.Window().ShowModal();
}

}  // namespace dialogs
