#include "app/drop_intake.h"

#include "dialogs/format_chooser.h"
#include "exchange/text_dictionary.h"
#include "forms/dispatch.h"
#include "library/name_check.h"
#include "library/path_names.h"
#include "platform/failure.h"
#include "platform/utf8.h"

namespace app {

namespace {

constexpr size_t kLongestPath = 259;  // characters, as the system's drop list holds them

bool IsFolder(const std::optional<uint32_t>& attributes) {
  return attributes && (*attributes & platform::attr::kDirectory);
}

// Whether the path is the folder or lies below it, as the file system
// compares names.
bool Within(const Path& path, const Path& folder) {
  const std::string p = utf8::FoldCase(path), f = utf8::FoldCase(folder);
  if (!p.starts_with(f)) return false;
  return p.size() == f.size() || p[f.size()] == '\\' || (!f.empty() && f.back() == '\\');
}

}  // namespace

void DropIntake::Drop(const std::vector<platform::DroppedPath>& paths) {
  // The faces of the group being left reach their file before the lists change.
  library_.SaveGroup();
  Formats formats;
  for (const platform::DroppedPath& dropped : paths) {
    const std::string& path = dropped.path;
    if (!dropped.exact) {
      Skip(path, "シフトJISで表せない文字が名前に含まれています");
      continue;
    }
    if (utf8::Utf16Length(path) > kLongestPath) {
      Skip(path, "パスが長すぎます");
      continue;
    }
    // A folder's name is cut at its last dot too, like a file's.
    const std::string name = library::BaseName(path);
    if (IsFolder(p_.files.Attributes(path)))
      TakeFolder(path, name);
    else
      TakeFile(path, name, formats);
  }
  library_.LoadGroup();
}

void DropIntake::TakeFolder(const Path& path, const Text& name) {
  const std::string target = library_.faceFolder + "\\" + name;
  if (p_.files.Attributes(target)) return;  // the class exists
  if (Refused(path, library_.faceFolder, name, "")) return;
  // A copy of a folder into a folder inside it never ends well.
  for (const std::string& inner : {library_.faceFolder, p_.files.ExecutableFolder()})
    if (Within(inner, path))
      return Skip(path, text::Format("%s を含むフォルダはクラスにできません", {inner}));
  AddClass(name, [&] { p_.files.ShellFileOperation(platform::ShellOperation::Copy, path, target); });
}

void DropIntake::TakeFile(const Path& path, const Text& name, Formats& formats) {
  if (!formats.asked) {
    if (!settings_.Boolean(settings::kDropSkipsChooser)) {
      const int result = dialogs::ChooseDropFormat(p_.toolkit, window_);
      formats.dictionary = result == 2;
      formats.own = result == 1;
    }
    formats.asked = true;
  }
  const std::string extension = utf8::UpperAscii(library::Extension(path));
  // A file gone since the drop is skipped: an archive would leave an empty class.
  if (!p_.files.Attributes(path)) return;
  if (extension == ".TXT") {
    if (formats.dictionary) {
      TakeDictionary(path, name);
    } else if (formats.own) {
      imports_.EnsureClass();
      if (Refused(path, library_.currentClassFolder, name, ".txt")) return;
      if (imports_.CopyInGroup(path, name)) lists_.groups.SetItemIndex(lists_.groups.Count() - 1);
    }
  } else if (extension == ".LZH" && imports_.CanUnpack()) {
    if (formats.dictionary) {
      TakeArchiveAsDictionaries(path);
    } else if (formats.own) {
      const std::string target = library_.faceFolder + "\\" + name;
      if (p_.files.Attributes(target) || Refused(path, library_.faceFolder, name, "")) return;
      AddClass(name, [&] {
        if (auto problem = imports_.UnpackNewClass(path, name)) Skip(path, *problem);
      });
    }
  }
}

void DropIntake::TakeArchiveAsDictionaries(const Path& path) {
  platform::FileSystem& files = p_.files;
  const std::string temporary = files.ExecutableFolder() + "\\temporary";
  // A link in its place would take the unpacked files somewhere else.
  if (const auto attributes = files.Attributes(temporary); attributes && (*attributes & platform::attr::kReparsePoint))
    return Skip(path, text::Format("%s がリンクになっています", {temporary}));
  // What an earlier drop left goes first. Links go only as entries; one
  // the system cannot remove so (Wine, which may even show a link to a file
  // as a plain file) keeps the folder from being used.
  if (!files.RemoveTree(temporary))
    return Skip(path, text::Format("%s を空にできません。中のリンクなどを取り除いてください", {temporary}));
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
  imports_.Unpack(path, unpacked);
  constexpr uint32_t kAny = platform::attr::kHidden | platform::attr::kSystem;
  for (const platform::DirEntry& entry : files.Enumerate(unpacked + "\\*.txt", kAny)) {
    const std::string text = unpacked + "\\" + entry.name;
    TakeDictionary(text, library::BaseName(entry.name));
    files.SetAttributes(text, platform::attr::kArchive);
  }
}

void DropIntake::TakeDictionary(const Path& path, const Text& name) {
  if (Refused(path, library_.faceFolder, name, "")) return;
  if (!imports_.ReadDictionaryFile(path)) Skip(path, exchange::kNoDictionaryLine);
}

bool DropIntake::Refused(const Path& path, const Path& folder, const Text& name,
                         const char* extension) {
  const auto problem = library::FileNameProblem(folder, name, extension);
  if (problem) Skip(path, *problem);
  return problem.has_value();
}

void DropIntake::Skip(const Path& path, const Text& reason) {
  p_.toolkit.MessageBox(&window_, text::Format("%s を読み込みませんでした。\r\n%s", {path, reason}), forms::kProgramTitle,
                        platform::Icon::Information, platform::Buttons::Ok);
}

template <class F>
void DropIntake::AddClass(const Text& name, F&& make) {
  make();
  const std::string folder = library_.faceFolder + "\\" + name;
  // The shell and the archiver report their own failures.
  if (!IsFolder(p_.files.Attributes(folder))) return;
  p_.files.SetAttributes(folder, 0);  // a plain folder
  lists_.classes.Add(name);
  lists_.classes.SetItemIndex(lists_.classes.Count() - 1);
  library_.ListGroups();
}

}  // namespace app
