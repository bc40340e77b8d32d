// TFKao: single groups in and out of ordinary text files, and what every
// file command shares: the dialogs, the overwrite question, the class that
// imports go to.
#include "app/palette_window.h"
#include "library/group_file.h"
#include "library/name_check.h"
#include "library/path_names.h"
#include "library/whole_file.h"
#include "platform/failure.h"
#include "platform/sjis.h"

namespace app {

namespace {

const char* const kTextFilter = "テキストファイル(*.txt)|*.txt|すべてのファイル(*.*)|*.*";

}  // namespace

std::optional<Path> TFKao::Execute(platform::FileDialogKind kind, platform::FileDialogRequest& dialog) {
  auto chosen = p_.toolkit.AskFileName(&Window(), kind, dialog);
  if (chosen) dialog.fileName = *chosen;
  return chosen;
}

bool TFKao::ConfirmOverwrite(const Path& path) {
  if (!p_.files.Attributes(path)) return true;
  return p_.toolkit.MessageBox(&Window(), "上書きしますか？", forms::kProgramTitle, platform::Icon::Information,
                               platform::Buttons::OkCancel) == platform::Answer::Ok;
}

std::optional<Path> TFKao::AskTextFile(platform::FileDialogKind kind, const Text& name) {
  platform::FileDialogRequest& dialog = kind == platform::FileDialogKind::Open ? openDialog1_ : saveDialog1_;
  dialog = {name, "txt", kTextFilter};
  return Execute(kind, dialog);
}

std::optional<Path> TFKao::AskFileToWrite(const Text& name) {
  auto chosen = AskTextFile(platform::FileDialogKind::Save, name);
  if (!chosen) return std::nullopt;
  lastFilePath_ = *chosen;
  if (!ConfirmOverwrite(*chosen)) return std::nullopt;
  return chosen;
}

std::vector<Text> TFKao::ShownFaces() const {
  if (RichEdit1->Visible()) return library::ParseEditText(RichEdit1->GetText());
  std::vector<std::string> faces;
  faces.reserve(static_cast<size_t>(ListBox2->Count()));
  for (int i = 0; i < ListBox2->Count(); ++i) faces.push_back(ListBox2->Item(i));
  return faces;
}

Bytes TFKao::ReadWholeFile(const Path& path) const { return library::ReadWholeFile(p_.files, path); }

void TFKao::WriteWholeFile(const Path& path, const Bytes& bytes) {
  library::WriteWholeFile(p_.files, path, bytes);
}

void TFKao::EnsureClass() {
  if (library_->currentClass >= 0) return;
  CreateClass("デフォルト");
  // Made, yet not listed (a face folder that lists nothing): what would be
  // written next would have no class folder to go to.
  if (library_->currentClass < 0)
    throw platform::Failure(sjis::Format("フォルダ \"%s\" にクラスを作成できません", {library_->faceFolder}));
}

void TFKao::S1Click() {
  const auto chosen = AskTextFile(platform::FileDialogKind::Open, lastFilePath_);
  if (!chosen) return;
  if (sjis::UpperAscii(library::Extension(*chosen)) != ".TXT") return;
  EnsureClass();
  const std::string name = library::BaseName(*chosen);
  // A file name the system took can still make a path that is too long,
  // or a group name the palette could not handle afterwards.
  if (auto problem = library::FileNameProblem(library_->currentClassFolder, name, ".txt"))
    throw platform::Failure(*problem);
  if (p_.files.Attributes(library_->GroupPath(name))) return;  // the group there stays as it is
  // The faces of the group being left reach their file before another is shown.
  library_->SaveGroup();
  if (!CopyInGroup(*chosen, name)) return;
  ListBox1->SetItemIndex(ListBox1->Count() - 1);
  library_->LoadGroup();
}

bool TFKao::CopyInGroup(const Path& source, const Text& name) {
  if (p_.files.Attributes(library_->GroupPath(name))) return false;
  return AddNewGroup(name, ReadWholeFile(source));
}

bool TFKao::AddNewGroup(const Text& name, const Bytes& bytes) {
  const std::string target = library_->GroupPath(name);
  library_->MakeClassFolder();
  try {
    const auto writer = p_.files.CreateWriter(target);
    writer->Write(bytes.data(), bytes.size());
    writer->CommitNew();  // never over a file that appeared meanwhile
  } catch (const platform::IoError& e) {
    if (e.Code() == platform::error::kAlreadyExists) return false;
    throw library::CannotCreate(target, e);
  }
  // An ordinary writable group, whatever the source's attributes.
  p_.files.SetAttributes(target, platform::attr::kArchive);
  ListBox1->Add(name);
  return true;
}

void TFKao::Save1Click() {
  if (library_->currentGroup < 0) return;
  if (const auto chosen = AskFileToWrite(lastFilePath_)) WriteWholeFile(*chosen, library::FormatGroupFile(ShownFaces()));
}

}  // namespace app
