#include "app/drop_intake.h"

#include "app/palette_window.h"
#include "dialogs/format_chooser.h"
#include "library/name_check.h"
#include "library/path_names.h"
#include "platform/failure.h"
#include "platform/sjis.h"

namespace app {

namespace {

constexpr size_t kLongestPath = 259;  // characters, as the system's drop list holds them

bool IsFolder(const std::optional<uint32_t>& attributes) {
  return attributes && (*attributes & platform::attr::kDirectory);
}

// Whether the path is the folder or lies below it, as the file system
// compares names.
bool Within(const std::string& path, const std::string& folder) {
  const std::string p = sjis::FoldCase(path), f = sjis::FoldCase(folder);
  if (!p.starts_with(f)) return false;
  return p.size() == f.size() || p[f.size()] == '\\' || (!f.empty() && f.back() == '\\');
}

}  // namespace

void DropIntake::Drop(const std::vector<platform::DroppedPath>& paths) {
  TFKao& p = palette_;
  // The faces of the group being left reach their file before the lists change.
  p.SaveGroup();
  Formats formats;
  for (const platform::DroppedPath& dropped : paths) {
    const std::string& path = dropped.path;
    if (!dropped.exact) {
      Skip(path, "シフトJISで表せない文字が名前に含まれています");
      continue;
    }
    if (sjis::CharCount(path) > kLongestPath) {
      Skip(path, "パスが長すぎます");
      continue;
    }
    // A folder's name is cut at its last dot too, like a file's.
    const std::string name = library::BaseName(path);
    if (IsFolder(p.Services().files.Attributes(path)))
      TakeFolder(path, name);
    else
      TakeFile(path, name, formats);
  }
  p.LoadGroup();
}

void DropIntake::TakeFolder(const std::string& path, const std::string& name) {
  TFKao& p = palette_;
  const std::string target = p.Library().faceFolder + "\\" + name;
  if (p.Services().files.Attributes(target)) return;  // the class exists
  if (Refused(path, p.Library().faceFolder, name, "")) return;
  // A copy of a folder into a folder inside it never ends well.
  for (const std::string& inner : {p.Library().faceFolder, p.Services().files.ExecutableFolder()})
    if (Within(inner, path))
      return Skip(path, sjis::Format("%s を含むフォルダはクラスにできません", {inner}));
  AddClass(name, [&] { p.Services().files.ShellFileOperation(platform::ShellOperation::Copy, path, target); });
}

void DropIntake::TakeFile(const std::string& path, const std::string& name, Formats& formats) {
  TFKao& p = palette_;
  if (!formats.asked) {
    if (!p.Settings().Boolean(settings::kDropSkipsChooser)) {
      const int result = dialogs::ChooseDropFormat(p.Services().toolkit, p.Window());
      formats.dictionary = result == 2;
      formats.own = result == 1;
    }
    formats.asked = true;
  }
  const std::string extension = sjis::UpperAscii(library::Extension(path));
  // A file gone since the drop is skipped: an archive would leave an empty class.
  if (!p.Services().files.Attributes(path)) return;
  if (extension == ".TXT") {
    if (formats.dictionary) {
      TakeDictionary(path, name);
    } else if (formats.own) {
      p.EnsureClass();
      if (Refused(path, p.Library().currentClassFolder, name, ".txt")) return;
      if (p.CopyInGroup(path, name)) p.ListBox1->SetItemIndex(p.ListBox1->Count() - 1);
    }
  } else if (extension == ".LZH" && p.ArchiverAvailable()) {
    if (formats.dictionary) {
      TakeArchiveAsDictionaries(path);
    } else if (formats.own) {
      const std::string target = p.Library().faceFolder + "\\" + name;
      if (p.Services().files.Attributes(target) || Refused(path, p.Library().faceFolder, name, "")) return;
      AddClass(name, [&] {
        if (auto problem = p.UnpackNewClass(path, name)) Skip(path, *problem);
      });
    }
  }
}

void DropIntake::TakeArchiveAsDictionaries(const std::string& path) {
  TFKao& p = palette_;
  platform::FileSystem& files = p.Services().files;
  const std::string temporary = files.ExecutableFolder() + "\\temporary";
  // A link in its place would take the unpacked files somewhere else.
  if (const auto attributes = files.Attributes(temporary); attributes && (*attributes & platform::attr::kReparsePoint))
    return Skip(path, sjis::Format("%s がリンクになっています", {temporary}));
  // What an earlier drop left goes first. Links go only as entries; one
  // the system cannot remove so (Wine, which may even show a link to a file
  // as a plain file) keeps the folder from being used.
  if (!files.RemoveTree(temporary))
    return Skip(path, sjis::Format("%s を空にできません。中のリンクなどを取り除いてください", {temporary}));
  // Removed at the end of this archive, also after a failure.
  struct Removal {
    platform::FileSystem& files;
    const std::string& folder;
    ~Removal() { files.RemoveTree(folder); }
  } removal{files, temporary};
  // A folder of its own, so that only what this archive holds is read.
  int serial = 1;
  while (files.Attributes(temporary + "\\" + std::to_string(serial))) ++serial;
  const std::string unpacked = temporary + "\\" + std::to_string(serial);
  files.CreateDirectories(unpacked);
  p.Unpack(path, unpacked);
  constexpr uint32_t kAny = platform::attr::kHidden | platform::attr::kSystem;
  for (const platform::DirEntry& entry : files.Enumerate(unpacked + "\\*.txt", kAny)) {
    const std::string text = unpacked + "\\" + entry.name;
    TakeDictionary(text, library::BaseName(entry.name));
    files.SetAttributes(text, platform::attr::kArchive);
  }
}

void DropIntake::TakeDictionary(const std::string& path, const std::string& name) {
  TFKao& p = palette_;
  if (Refused(path, p.Library().faceFolder, name, "")) return;
  if (!p.ReadDictionaryFile(path)) Skip(path, TFKao::kNoDictionaryLine);
}

bool DropIntake::Refused(const std::string& path, const std::string& folder, const std::string& name,
                         const char* extension) {
  const auto problem = library::FileNameProblem(folder, name, extension);
  if (problem) Skip(path, *problem);
  return problem.has_value();
}

void DropIntake::Skip(const std::string& path, const std::string& reason) {
  palette_.Services().toolkit.MessageBox(&palette_.Window(), sjis::Format("%s を読み込みませんでした。\r\n%s", {path, reason}),
                                         forms::kProgramTitle, platform::Icon::Information, platform::Buttons::Ok);
}

template <class F>
void DropIntake::AddClass(const std::string& name, F&& make) {
  TFKao& p = palette_;
  make();
  const std::string folder = p.Library().faceFolder + "\\" + name;
  // The shell and the archiver report their own failures.
  if (!IsFolder(p.Services().files.Attributes(folder))) return;
  p.Services().files.SetAttributes(folder, 0);  // a plain folder
  p.ListBox3->Add(name);
  p.ListBox3->SetItemIndex(p.ListBox3->Count() - 1);
  p.ListGroups();
}

}  // namespace app
