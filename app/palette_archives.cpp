// TFKao: classes passed between users as LZH archives, through the archiver
// library.
#include "app/palette_window.h"
#include "archiver/unlha_operations.h"
#include "library/path_names.h"
#include "library/whole_file.h"
#include "platform/failure.h"
#include "platform/sjis.h"

namespace app {

namespace {

const char* const kArchiveFilter = "圧縮ファイル(*.lzh)|*.lzh|すべてのファイル(*.*)|*.*";

bool IsFolder(const platform::FileSystem& files, const Path& path) {
  const auto attributes = files.Attributes(path);
  return attributes && (*attributes & platform::attr::kDirectory);
}

bool IsEmptyFolder(const platform::FileSystem& files, const Path& folder) {
  constexpr uint32_t kAny = platform::attr::kHidden | platform::attr::kSystem | platform::attr::kDirectory;
  for (const platform::DirEntry& e : files.Enumerate(folder + "\\*", kAny))
    if (e.name != "." && e.name != "..") return false;
  return true;
}

}  // namespace

void TFKao::NET1Click() {
  openDialog1_ = {lastFilePath_, "lzh", kArchiveFilter};
  const auto archive = Execute(platform::FileDialogKind::Open, openDialog1_);
  if (!archive) return;
  lastFilePath_ = *archive;
  const std::string name = library::BaseName(*archive);
  const std::string folder = library_->faceFolder + "\\" + name;
  // An archive never merges into a class that exists.
  if (!p_.files.Attributes(*archive) || IsFolder(p_.files, folder)) return;
  // The faces of the group being left are kept before the lists change.
  library_->SaveGroup();
  const auto problem = UnpackNewClass(*archive, name);
  if (IsFolder(p_.files, folder)) {
    ListBox3->Add(name);
    ListBox3->SetItemIndex(ListBox3->Count() - 1);
    library_->ListGroups();
    library_->LoadGroup();
  }
  if (problem) throw platform::Failure(*problem);
}

std::optional<Text> TFKao::UnpackNewClass(const Path& archive, const Text& name) {
  const std::string folder = library_->faceFolder + "\\" + name;
  try {
    p_.files.CreateDirectories(folder);
  } catch (const platform::IoError& e) {
    throw library::CannotCreateFolder(folder, e);
  }
  const int code = Unpack(archive, folder);
  std::optional<std::string> problem;
  if (code != 0) {
    problem = sjis::Format("圧縮ファイル \"%s\" を展開できません。\r\n%s", {archive, exchange::Unlha32::ErrorText(code)});
    // A class with nothing in it is not left behind.
    if (IsEmptyFolder(p_.files, folder) && p_.files.RemoveTree(folder)) return problem;
  }
  p_.files.SetAttributes(folder, 0);  // a plain folder
  return problem;
}

int TFKao::Unpack(const Path& archive, const Path& folder) {
  UnpackProgress progress(p_.toolkit, Dispatch(), *StatusBar1);
  int code = 0;
  {
    struct Running {
      UnpackProgress*& slot;
      ~Running() { slot = nullptr; }
    } running{unpacking_ = &progress};
    code = unlha_->Unlha(Window(), exchange::Unlha32::UnpackCommand(archive, folder),
                         [&progress](const archiver::ExtractProgress& p) { return progress.Report(p); });
  }
  // A stop asked for after the last member leaves the unpack whole.
  const bool stopped = code == archiver::unlha_error::kCancelled;
  progress.Finish(stopped);
  if (!stopped) return code;
  // Links inside go only as entries: nothing outside the folder is touched.
  if (!p_.files.RemoveTree(folder)) throw platform::Failure(sjis::Format("%s を削除できません", {folder}));
  throw forms::CommandCancelled();
}

void TFKao::NET2Click() {
  const int current = library_->currentClass;
  if (current < 0 || current >= ListBox3->Count()) return;
  const std::string folder = library_->faceFolder + "\\" + ListBox3->Item(current);
  if (!IsFolder(p_.files, folder)) return;
  saveDialog1_.defaultExtension = "lzh";
  saveDialog1_.filter = kArchiveFilter;
  const auto archive = Execute(platform::FileDialogKind::Save, saveDialog1_);
  if (!archive) return;
  // The archive takes the group files as they are on disk: the current
  // group's faces go there first.
  library_->SaveGroup();
  unlha_->Unlha(Window().Id(), exchange::Unlha32::PackCommand(*archive, folder));
}

}  // namespace app
