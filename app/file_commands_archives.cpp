// The file commands: classes passed between users as LZH archives, through
// the archiver library.
#include "app/file_commands.h"

#include "archiver/unlha_operations.h"
#include "library/path_names.h"
#include "library/whole_file.h"
#include "platform/failure.h"
#include "platform/utf8.h"

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

void FileCommands::NET1Click() {
  openDialog1_ = {lastFilePath_, "lzh", kArchiveFilter};
  const auto archive = Execute(platform::FileDialogKind::Open, openDialog1_);
  if (!archive) return;
  lastFilePath_ = *archive;
  const std::string name = library::BaseName(*archive);
  const std::string folder = palette_.library.faceFolder + "\\" + name;
  // An archive never merges into a class that exists.
  if (!p_.files.Attributes(*archive) || IsFolder(p_.files, folder)) return;
  // The faces of the group being left are kept before the lists change.
  palette_.library.SaveGroup();
  const auto problem = UnpackNewClass(*archive, name);
  if (IsFolder(p_.files, folder)) {
    palette_.lists.classes.Add(name);
    palette_.lists.classes.SetItemIndex(palette_.lists.classes.Count() - 1);
    palette_.library.ListGroups();
    palette_.library.LoadGroup();
  }
  if (problem) throw platform::Failure(*problem);
}

std::optional<Text> FileCommands::UnpackNewClass(const Path& archive, const Text& name) {
  const std::string folder = palette_.library.faceFolder + "\\" + name;
  try {
    p_.files.CreateDirectories(folder);
  } catch (const platform::IoError& e) {
    throw library::CannotCreateFolder(folder, e);
  }
  const int code = Unpack(archive, folder);
  std::optional<std::string> problem;
  if (code != 0) {
    problem = text::Format("圧縮ファイル \"%s\" を展開できません。\r\n%s", {archive, exchange::Unlha32::ErrorText(code)});
    // A class with nothing in it is not left behind.
    if (IsEmptyFolder(p_.files, folder) && p_.files.RemoveTree(folder)) return problem;
  }
  p_.files.SetAttributes(folder, 0);  // a plain folder
  return problem;
}

int FileCommands::Unpack(const Path& archive, const Path& folder) {
  UnpackProgress progress(p_.toolkit, palette_.dispatch, palette_.lists.status);
  int code = 0;
  {
    struct Running {
      UnpackProgress*& slot;
      ~Running() { slot = nullptr; }
    } running{unpacking_ = &progress};
    code = palette_.archiver.Unlha(palette_.window, exchange::Unlha32::UnpackCommand(archive, folder),
                         [&progress](const archiver::ExtractProgress& p) { return progress.Report(p); });
  }
  // A stop asked for after the last member leaves the unpack whole.
  const bool stopped = code == archiver::unlha_error::kCancelled;
  progress.Finish(stopped);
  if (!stopped) return code;
  // Links inside go only as entries: nothing outside the folder is touched.
  if (!p_.files.RemoveTree(folder)) throw platform::Failure(text::Format("%s を削除できません", {folder}));
  throw forms::CommandCancelled();
}

void FileCommands::NET2Click() {
  const int current = palette_.library.currentClass;
  if (current < 0 || current >= palette_.lists.classes.Count()) return;
  const std::string folder = palette_.library.faceFolder + "\\" + palette_.lists.classes.Item(current);
  if (!IsFolder(p_.files, folder)) return;
  saveDialog1_.defaultExtension = "lzh";
  saveDialog1_.filter = kArchiveFilter;
  const auto archive = Execute(platform::FileDialogKind::Save, saveDialog1_);
  if (!archive) return;
  // The archive takes the group files as they are on disk: the current
  // group's faces go there first.
  palette_.library.SaveGroup();
  palette_.archiver.Unlha(palette_.window.Id(), exchange::Unlha32::PackCommand(*archive, folder));
}

}  // namespace app
