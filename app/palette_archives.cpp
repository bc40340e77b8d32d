// TFKao: classes passed between users as LZH archives, through the archiver
// library.
#include "app/palette_window.h"
#include "library/path_names.h"

namespace app {

namespace {

const char* const kArchiveFilter = "圧縮ファイル(*.lzh)|*.lzh|すべてのファイル(*.*)|*.*";

bool IsFolder(const platform::FileSystem& files, const std::string& path) {
  const auto attributes = files.Attributes(path);
  return attributes && (*attributes & platform::attr::kDirectory);
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
  SaveGroup();
  p_.files.CreateDirectories(folder);
  unlha_->Unlha(Window().Id(), exchange::Unlha32::UnpackCommand(*archive, folder));
  p_.files.SetAttributes(folder, 0);
  ListBox3->Add(name);
  ListBox3->SetItemIndex(ListBox3->Count() - 1);
  ListGroups();
  LoadGroup();
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
  SaveGroup();
  unlha_->Unlha(Window().Id(), exchange::Unlha32::PackCommand(*archive, folder));
}

}  // namespace app
