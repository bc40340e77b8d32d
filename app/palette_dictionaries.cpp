// TFKao: classes and groups exchanged with the user dictionaries of input
// methods as text dictionary files.
#include "app/palette_window.h"
#include "exchange/text_dictionary.h"
#include "library/group_file.h"
#include "library/name_check.h"
#include "library/path_names.h"
#include "platform/failure.h"
#include "platform/sjis.h"

namespace app {

void TFKao::IME2Click() {
  const auto chosen = AskTextFile(platform::FileDialogKind::Open, lastFilePath_);
  if (!chosen) return;
  lastFilePath_ = *chosen;
  if (!ReadDictionaryFile(*chosen))
    throw platform::Failure(sjis::Format("ファイル \"%s\" を読み込みませんでした。\r\n%s", {*chosen, exchange::kNoDictionaryLine}));
}

bool TFKao::ReadDictionaryFile(const Path& path) {
  lastFilePath_ = path;
  const std::string name = library::BaseName(path);
  if (auto problem = library::NameProblem(name)) throw platform::Failure(*problem);
  const std::string folder = library_->faceFolder + "\\" + name;
  const std::string bytes = ReadWholeFile(path);
  if (auto form = library::UnicodeForm(bytes))
    throw platform::Failure(sjis::Format("ファイル \"%s\" は %s で書かれています。シフトJISで保存した辞書を選んでください",
                                         {path, *form}));
  // The faces of the group being left reach their file before the lists change.
  library_->SaveGroup();
  // Groups written before a failure stay, and the lists show them.
  const auto relist = [this] {
    library_->ListClasses();
    library_->ListGroups();
    library_->LoadGroup();
  };
  size_t groups = 0;
  try {
    groups = exchange::ImportDictionary(p_.files, folder, bytes);
  } catch (...) {
    relist();
    throw;
  }
  relist();
  return groups > 0;
}

void TFKao::IME1Click() {
  if (library_->currentGroup < 0) return;
  const auto chosen = AskTextFile(platform::FileDialogKind::Open, lastFilePath_);
  if (!chosen) return;
  lastFilePath_ = *chosen;
  RichEdit1->SetText("");
  std::vector<std::string> lines = library::ParseGroupFile(ReadWholeFile(*chosen));
  for (std::string& line : lines) line = std::string(exchange::DictionaryWord(line));
  editMode_->Open(library::FormatGroupFile(lines));
}

void TFKao::IMES2Click() {
  const int current = library_->currentClass;
  if (current < 0 || current >= ListBox3->Count()) return;
  // With its extension: the class name alone is the class's own folder,
  // which the dialog would open instead of saving.
  const auto chosen = AskFileToWrite(library_->faceFolder + "\\" + ListBox3->Item(current) + ".txt");
  if (!chosen) return;
  // The group being left keeps its faces: each group is loaded in turn.
  library_->SaveGroup();
  std::vector<std::string> lines{""};  // the header ends at once: faces may start with "!"
  {
    platform::RedrawPause groups(*ListBox1), faces(*ListBox2);
    for (int i = 0; i < ListBox1->Count(); ++i) {
      ListBox1->SetItemIndex(i);
      library_->LoadGroup();
      exchange::AppendDictionaryLines(ListBox1->Item(i), ShownFaces(), lines);
    }
  }
  WriteWholeFile(*chosen, library::FormatGroupFile(lines));
}

void TFKao::IMES1Click() {
  if (library_->currentGroup < 0) return;
  const auto chosen = AskFileToWrite(lastFilePath_);
  if (!chosen) return;
  std::vector<std::string> lines;
  exchange::AppendDictionaryLines(library::BaseName(*chosen), ShownFaces(), lines);
  WriteWholeFile(*chosen, library::FormatGroupFile(lines));
}

}  // namespace app
