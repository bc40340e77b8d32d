// The file commands: single groups in and out of ordinary text files, and
// what every file command shares: the dialogs, the overwrite question, the
// class that imports go to.
#include "app/file_commands.h"

#include "library/group_file.h"
#include "library/name_check.h"
#include "library/path_names.h"
#include "library/whole_file.h"
#include "platform/failure.h"
#include "platform/utf8.h"

namespace app {

namespace {

const char* const kTextFilter = "テキストファイル(*.txt)|*.txt|すべてのファイル(*.*)|*.*";

}  // namespace

bool FileCommands::ProbeArchiver() {
  archiverAvailable_ = p_.libraries.Load("UNLHA32.DLL") != nullptr;
  return archiverAvailable_;
}

std::optional<Path> FileCommands::Execute(platform::FileDialogKind kind, platform::FileDialogRequest& dialog) {
  auto chosen = p_.toolkit.AskFileName(&palette_.window, kind, dialog);
  if (chosen) dialog.fileName = *chosen;
  return chosen;
}

bool FileCommands::ConfirmOverwrite(const Path& path) {
  if (!p_.files.Attributes(path)) return true;
  return p_.toolkit.MessageBox(&palette_.window, "上書きしますか？", forms::kProgramTitle, platform::Icon::Information,
                               platform::Buttons::OkCancel) == platform::Answer::Ok;
}

std::optional<Path> FileCommands::AskTextFile(platform::FileDialogKind kind, const Text& name) {
  platform::FileDialogRequest& dialog = kind == platform::FileDialogKind::Open ? openDialog1_ : saveDialog1_;
  dialog = {name, "txt", kTextFilter};
  return Execute(kind, dialog);
}

std::optional<Path> FileCommands::AskFileToWrite(const Text& name) {
  auto chosen = AskTextFile(platform::FileDialogKind::Save, name);
  if (!chosen) return std::nullopt;
  lastFilePath_ = *chosen;
  if (!ConfirmOverwrite(*chosen)) return std::nullopt;
  return chosen;
}

std::vector<Text> FileCommands::ShownFaces() const {
  if (palette_.lists.editBox.Visible()) return library::ParseEditText(palette_.lists.editBox.GetText());
  std::vector<std::string> faces;
  faces.reserve(static_cast<size_t>(palette_.lists.faces.Count()));
  for (int i = 0; i < palette_.lists.faces.Count(); ++i) faces.push_back(palette_.lists.faces.Item(i));
  return faces;
}

Bytes FileCommands::ReadWholeFile(const Path& path) const { return library::ReadWholeFile(p_.files, path); }

void FileCommands::WriteWholeFile(const Path& path, const Bytes& bytes) {
  library::WriteWholeFile(p_.files, path, bytes);
}

void FileCommands::EnsureClass() {
  if (palette_.library.currentClass >= 0) return;
  palette_.createClass("デフォルト");
  // Made, yet not listed (a face folder that lists nothing): what would be
  // written next would have no class folder to go to.
  if (palette_.library.currentClass < 0)
    throw platform::Failure(text::Format("フォルダ \"%s\" にクラスを作成できません", {palette_.library.faceFolder}));
}

void FileCommands::S1Click() {
  const auto chosen = AskTextFile(platform::FileDialogKind::Open, lastFilePath_);
  if (!chosen) return;
  if (utf8::UpperAscii(library::Extension(*chosen)) != ".TXT") return;
  EnsureClass();
  const std::string name = library::BaseName(*chosen);
  // A file name the system took can still make a path that is too long,
  // or a group name the palette could not handle afterwards.
  if (auto problem = library::FileNameProblem(palette_.library.currentClassFolder, name, ".txt"))
    throw platform::Failure(*problem);
  if (p_.files.Attributes(palette_.library.GroupPath(name))) return;  // the group there stays as it is
  // The faces of the group being left reach their file before another is shown.
  palette_.library.SaveGroup();
  if (!CopyInGroup(*chosen, name)) return;
  palette_.lists.groups.SetItemIndex(palette_.lists.groups.Count() - 1);
  palette_.library.LoadGroup();
}

bool FileCommands::CopyInGroup(const Path& source, const Text& name) {
  if (p_.files.Attributes(palette_.library.GroupPath(name))) return false;
  return AddNewGroup(name, ReadWholeFile(source));
}

bool FileCommands::AddNewGroup(const Text& name, const Bytes& bytes) {
  const std::string target = palette_.library.GroupPath(name);
  palette_.library.MakeClassFolder();
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
  palette_.lists.groups.Add(name);
  return true;
}

void FileCommands::Save1Click() {
  if (palette_.library.currentGroup < 0) return;
  if (const auto chosen = AskFileToWrite(lastFilePath_)) WriteWholeFile(*chosen, library::NewGroupFile(ShownFaces()));
}

}  // namespace app
