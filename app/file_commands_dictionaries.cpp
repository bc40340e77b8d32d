// The file commands: classes and groups exchanged with the user
// dictionaries of input methods as text dictionary files.
#include "app/file_commands.h"

#include "exchange/text_dictionary.h"
#include "library/group_file.h"
#include "library/name_check.h"
#include "library/path_names.h"
#include "library/whole_file.h"
#include "platform/failure.h"
#include "platform/utf8.h"

namespace app {

void FileCommands::IME2Click() {
  const auto chosen = AskTextFile(platform::FileDialogKind::Open, lastFilePath_);
  if (!chosen) return;
  lastFilePath_ = *chosen;
  if (!ReadDictionaryFile(*chosen))
    throw platform::Failure(text::Format("ファイル \"%s\" を読み込みませんでした。\r\n%s", {*chosen, exchange::kNoDictionaryLine}));
}

bool FileCommands::ReadDictionaryFile(const Path& path) {
  lastFilePath_ = path;
  const std::string name = library::BaseName(path);
  if (auto problem = library::NameProblem(name)) throw platform::Failure(*problem);
  const std::string folder = palette_.library.faceFolder + "\\" + name;
  // Shift-JIS, or UTF-8 or UTF-16 with their mark, as today's dictionary
  // tools write them.
  const Text text = library::ReadText(p_.files, path);
  // The faces of the group being left reach their file before the lists change.
  palette_.library.SaveGroup();
  // Groups written before a failure stay, and the lists show them.
  const auto relist = [this] {
    palette_.library.ListClasses();
    palette_.library.ListGroups();
    palette_.library.LoadGroup();
  };
  size_t groups = 0;
  try {
    groups = exchange::ImportDictionary(p_.files, folder, text);
  } catch (...) {
    relist();
    throw;
  }
  relist();
  return groups > 0;
}

void FileCommands::IME1Click() {
  if (palette_.library.currentGroup < 0) return;
  const auto chosen = AskTextFile(platform::FileDialogKind::Open, lastFilePath_);
  if (!chosen) return;
  lastFilePath_ = *chosen;
  palette_.lists.editBox.SetText("");
  std::vector<std::string> lines = library::ParseGroupFile(library::ReadText(p_.files, *chosen));
  for (std::string& line : lines) line = std::string(exchange::DictionaryWord(line));
  palette_.editMode.Open(library::FormatGroupFile(lines));
}

void FileCommands::IMES2Click() {
  const int current = palette_.library.currentClass;
  if (current < 0 || current >= palette_.lists.classes.Count()) return;
  // With its extension: the class name alone is the class's own folder,
  // which the dialog would open instead of saving.
  const auto chosen = AskFileToWrite(palette_.library.faceFolder + "\\" + palette_.lists.classes.Item(current) + ".txt");
  if (!chosen) return;
  // The group being left keeps its faces: each group is loaded in turn.
  palette_.library.SaveGroup();
  std::vector<std::string> lines{""};  // the header ends at once: faces may start with "!"
  {
    platform::RedrawPause groups(palette_.lists.groups), faces(palette_.lists.faces);
    for (int i = 0; i < palette_.lists.groups.Count(); ++i) {
      palette_.lists.groups.SetItemIndex(i);
      palette_.library.LoadGroup();
      exchange::AppendDictionaryLines(palette_.lists.groups.Item(i), ShownFaces(), lines);
    }
  }
  WriteWholeFile(*chosen, exchange::DictionaryFile(lines));
}

void FileCommands::IMES1Click() {
  if (palette_.library.currentGroup < 0) return;
  const auto chosen = AskFileToWrite(lastFilePath_);
  if (!chosen) return;
  std::vector<std::string> lines;
  exchange::AppendDictionaryLines(library::BaseName(*chosen), ShownFaces(), lines);
  WriteWholeFile(*chosen, exchange::DictionaryFile(lines));
}

}  // namespace app
