#include "app/edit_mode.h"

#include "library/group_file.h"

namespace app {

EditMode::EditMode(library::FaceLibrary& library, Views views, Hooks hooks)
    : library_(library), views_(views), hooks_(std::move(hooks)) {}

void EditMode::Enter() {
  if (library_.currentGroup < 0) return;
  Show([this] { library_.LoadEditBox(); });
}

void EditMode::Open(const Text& text) {
  Show([&] { views_.editor.SetText(text); });
}

void EditMode::Show(const std::function<void()>& fill) {
  // A face list stored from an earlier edit reaches its file now: while the
  // edit box is shown nothing is saved, and leaving the group would lose it.
  library_.SaveGroup();
  views_.commands.SetVisible(false);
  views_.editCommands.SetVisible(true);
  views_.faces.SetVisible(false);
  views_.editor.SetVisible(true);
  fill();
  views_.editor.SetFocus();
  hooks_.menusChanged();
}

void EditMode::Save() {
  std::vector<std::string> lines = library::ParseEditText(views_.editor.GetText());
  if (lines.empty())
    hooks_.deleteGroup();
  else
    library_.StoreEditBox(std::move(lines));
  Leave();
}

void EditMode::Leave() {
  const bool hadFocus = views_.editor.HasFocus();
  views_.editor.SetText("");
  views_.editor.SetVisible(false);
  views_.faces.SetVisible(true);
  if (hadFocus) views_.faces.SetFocus();
  views_.editCommands.SetVisible(false);
  views_.commands.SetVisible(true);
  hooks_.menusChanged();
}

void EditMode::Cut() {
  views_.editor.Cut();
  views_.editor.SetFocus();
}

void EditMode::Copy() {
  views_.editor.Copy();
  views_.editor.SetFocus();
}

void EditMode::Paste() {
  views_.editor.Paste();
  views_.editor.SetFocus();
}

}  // namespace app
