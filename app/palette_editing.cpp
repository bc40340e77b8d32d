// TFKao: changing the library from the palette: faces in the face list,
// classes and groups on disk, and the commands that start them.
#include "app/palette_window.h"
#include "dialogs/name_entry_dialog.h"
#include "library/name_check.h"
#include "library/whole_file.h"
#include "platform/failure.h"
#include "platform/utf8.h"

namespace app {

namespace {

constexpr int32_t kLightYellow = 0x80FFFF, kLightBlue = 0xFACB3D;

// The messages of a failed rename, by the system's error code.
Text RenameMessage(unsigned long code) {
  switch (code) {
    case platform::error::kFileNotFound: return "ファイルが見つかりません";
    case platform::error::kPathNotFound: return "ファイル名の指定が間違っています";
    case platform::error::kTooManyOpenFiles: return "オープンしたファイルが多すぎます";
    case platform::error::kAccessDenied: return "ファイルへのアクセスが拒否されました";
    default: return "I/O エラー (" + std::to_string(code) + ")";
  }
}

void RequireUsableName(const Text& name) {
  if (auto problem = library::NameProblem(name)) throw platform::Failure(*problem);
}

// After removing entry i: the same position, or the one before it when the
// last entry went (none when the list is empty).
int Neighbour(const platform::ListBox& list, int removed) { return removed < list.Count() ? removed : list.Count() - 1; }

}  // namespace

void TFKao::ConnectEditing() {
  eKao->onKeyDown = [this](int key) {
    if (key == platform::key::kEnter) Dispatch().Run([this] { AddFace(); });
  };
  bOK->onClick = Dispatch().Bind([this] { AddFace(); });
  bOK->SetEnabled(true);
  const std::pair<platform::ListBox*, void (TFKao::*)()> deletes[] = {
      {ListBox3, &TFKao::DeleteClass}, {ListBox1, &TFKao::DeleteGroup}, {ListBox2, &TFKao::DeleteFace}};
  for (const auto& [list, command] : deletes)
    list->onKeyDown = [this, command = command](int key) {
      if (key == platform::key::kDelete) Dispatch().Run([this, command] { (this->*command)(); });
    };
}

// The context menu's commands act on the list it was opened on.
void TFKao::RunForPopupList(void (TFKao::*onClasses)(), void (TFKao::*onGroups)(), void (TFKao::*onFaces)()) {
  if (!popupComponent_) return;
  if (!popupComponent_->HasFocus()) popupComponent_->SetFocus();
  if (popupComponent_ == ListBox3)
    (this->*onClasses)();
  else if (popupComponent_ == ListBox1)
    (this->*onGroups)();
  else
    (this->*onFaces)();
}

void TFKao::A1Click() { RunForPopupList(&TFKao::Class1Click, &TFKao::Group1Click, &TFKao::Kao1Click); }
void TFKao::E1Click() { RunForPopupList(&TFKao::Class2Click, &TFKao::Group2Click, &TFKao::Kao2Click); }
void TFKao::D1Click() { RunForPopupList(&TFKao::DeleteClass, &TFKao::DeleteGroup, &TFKao::DeleteFace); }

std::optional<Text> TFKao::AskName(const char* caption, int32_t fieldColor, const Text& text) {
  return dialogs::NameEntryDialog(p_.toolkit, Window(), caption, fieldColor, text);
}

void TFKao::Class1Click() {
  if (auto name = AskName("クラス追加", kLightBlue)) CreateClass(*name);
}

void TFKao::Group1Click() {
  if (auto name = AskName("グループ追加", kLightYellow)) CreateGroup(*name);
}

void TFKao::Kao1Click() {
  if (auto face = AskName("文字追加", platform::colour::kWindow)) {
    eKao->SetText(*face);
    AddFace();
  }
}

void TFKao::Class2Click() {
  const int current = library_->currentClass;
  if (current < 0 || current >= ListBox3->Count()) return;
  if (auto name = AskName("クラス名変更", kLightYellow, ListBox3->Item(current))) RenameClass(*name);
}

void TFKao::Group2Click() {
  const int current = library_->currentGroup;
  if (current < 0 || current >= ListBox1->Count()) return;
  if (auto name = AskName("グループ名変更", kLightYellow, ListBox1->Item(current))) RenameGroup(*name);
}

void TFKao::Kao2Click() {
  if (BringBackFaceList()) return;
  const int current = ListBox2->CaretIndex();
  if (current < 0) return;
  if (auto face = AskName("文字変更", platform::colour::kWindow, ListBox2->Item(current))) ChangeFace(*face);
}

// ---- faces, in the face list until the group is saved

void TFKao::AddFace() {
  const std::string face = eKao->GetText();
  if (library_->currentGroup >= 0 && !face.empty()) {
    if (RichEdit1->Visible()) {
      std::string text = RichEdit1->GetText();
      if (!text.empty() && text.back() != '\n') text += "\r\n";
      RichEdit1->SetText(text + face);
    } else {
      ListBox2->Add(face);
      ShowFaceCount();
    }
  }
  eKao->SetText("");
}

void TFKao::ChangeFace(const Text& face) {
  const int current = ListBox2->CaretIndex();
  if (current >= 0) ListBox2->SetItem(current, face);
}

void TFKao::DeleteFace() {
  if (BringBackFaceList()) return;
  const int current = ListBox2->CaretIndex();
  if (current < 0) return;
  ListBox2->Delete(current);
  if (const int next = Neighbour(*ListBox2, current); next >= 0) ListBox2->SetCaretIndex(next);
  ShowFaceCount();
}

void TFKao::ShowFaceCount() { StatusBar1->SetPanelText(0, std::to_string(ListBox2->Count())); }

// ---- classes and groups, changed on disk at once

void TFKao::RenamePath(const Path& from, const Path& to) {
  try {
    p_.files.Rename(from, to);
  } catch (const platform::IoError& e) {
    throw platform::Failure(RenameMessage(e.Code()));
  }
}

void TFKao::CreateClass(const Text& name) {
  RequireUsableName(name);
  // The faces of the group being left are kept before the lists change.
  library_->SaveGroup();
  const std::string path = library_->faceFolder + "\\" + name;
  if (const auto attributes = p_.files.Attributes(path); attributes && (*attributes & platform::attr::kDirectory)) {
    p_.toolkit.MessageBox(&Window(), "同じ名前のクラスが存在します", forms::kProgramTitle, platform::Icon::Information,
                          platform::Buttons::Ok);
  } else {
    // A face folder that is gone or a file in the class's place: nothing
    // may go on as if the class were there.
    try {
      p_.files.CreateDirectories(path);
    } catch (const platform::IoError& e) {
      throw library::CannotCreateFolder(path, e);
    }
  }
  library_->ListClasses();
  ListBox3->SetItemIndex(ListBox3->FindExact(name));
  library_->ListGroups();
  library_->LoadGroup();
}

void TFKao::CreateGroup(const Text& name) {
  if (ListBox3->ItemIndex() < 0) return;
  RequireUsableName(name);
  library_->SaveGroup();
  library_->MakeClassFolder();
  const std::string path = library_->GroupPath(name);
  try {
    if (p_.files.Attributes(path)) {
      if (p_.toolkit.MessageBox(&Window(), "上書きしますか？", forms::kProgramTitle, platform::Icon::Information,
                                platform::Buttons::OkCancel) != platform::Answer::Ok)
        return;
      p_.files.WriteFile(path, "");
    } else {
      p_.files.WriteFile(path, "");
      ListBox1->Add(name);
    }
  } catch (const platform::IoError& e) {
    throw library::CannotCreate(path, e);
  }
  ListBox1->SetItemIndex(ListBox1->FindExact(name));
  library_->LoadGroup();
}

void TFKao::RenameClass(const Text& name) {
  const int current = library_->currentClass;
  if (current < 0 || current >= ListBox3->Count()) return;
  RequireUsableName(name);
  library_->SaveGroup();
  RenamePath(library_->faceFolder + "\\" + ListBox3->Item(current), library_->faceFolder + "\\" + name);
  library_->ListClasses();
  ListBox3->SetItemIndex(ListBox3->FindExact(name));
  library_->ListGroups();
  library_->LoadGroup();
}

void TFKao::RenameGroup(const Text& name) {
  const int current = library_->currentGroup;
  if (current < 0 || current >= ListBox1->Count()) return;
  RequireUsableName(name);
  library_->MakeClassFolder();
  const std::string to = library_->GroupPath(name), from = library_->GroupPath(ListBox1->Item(current));
  if (from == to || !p_.files.Attributes(from)) return;
  // A new name that differs only in letter case names the group's own file:
  // renaming it is all there is to do, nothing may be deleted.
  if (!utf8::EqualsIgnoreCase(from, to) && p_.files.Attributes(to)) {
    if (p_.toolkit.MessageBox(&Window(), "上書きしますか？", forms::kProgramTitle, platform::Icon::Question,
                              platform::Buttons::OkCancel) != platform::Answer::Ok)
      return;
    p_.files.DeleteFile(to);
    RenamePath(from, to);
    ListBox1->Delete(current);
    library_->currentGroup = ListBox1->FindExact(name);
    ListBox1->SetItemIndex(library_->currentGroup);
    return;
  }
  RenamePath(from, to);
  ListBox1->SetItem(current, name);
  ListBox1->SetItemIndex(current);
}

void TFKao::DeleteClass() {
  const int current = library_->currentClass;
  if (current < 0 || current >= ListBox3->Count()) return;
  const std::string name = ListBox3->Item(current);
  const std::string folder = library_->faceFolder + "\\" + name;
  // Links inside go as entries, never followed out of the class.
  const bool removed = p_.files.RemoveTree(folder);
  if (removed)
    ListBox3->Delete(current);
  else
    library_->ListClasses();  // what is left: the class stays while its folder does
  const int left = ListBox3->FindExact(name);
  ListBox3->SetItemIndex(left >= 0 ? left : Neighbour(*ListBox3, current));
  library_->ListGroups();
  library_->LoadGroup();
  if (!removed)
    throw platform::Failure(
        text::Format("クラス %s を削除しきれませんでした。中のリンクや使用中のファイルが残っています", {name}));
}

void TFKao::DeleteGroup() {
  const int current = library_->currentGroup;
  if (current < 0 || current >= ListBox1->Count()) return;
  p_.files.DeleteFile(library_->GroupPath(ListBox1->Item(current)));  // a refusal is silent
  ListBox1->Delete(current);
  ListBox1->SetItemIndex(Neighbour(*ListBox1, current));
  library_->LoadGroup();
}

}  // namespace app
