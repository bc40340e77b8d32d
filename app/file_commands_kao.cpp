// The file commands: face files of the earlier generation, INI files with
// one section per group, taken into the current class.
#include "app/file_commands.h"

#include <unordered_set>

#include "exchange/kao_file.h"
#include "library/group_file.h"
#include "library/name_check.h"
#include "library/path_names.h"
#include "library/whole_file.h"
#include "platform/failure.h"
#include "platform/profile_file.h"
#include "platform/utf8.h"

namespace app {

namespace {

constexpr const char* kKaoFilter = "顔文字ファイル(*.kao)|*.kao|すべてのファイル(*.*)|*.*";

// Restores a value when the scope ends, however it ends.
class PutBack {
 public:
  explicit PutBack(std::string& value) : value_(value), kept_(value) {}
  ~PutBack() { value_ = kept_; }
  PutBack(const PutBack&) = delete;
  PutBack& operator=(const PutBack&) = delete;

 private:
  std::string& value_;
  std::string kept_;
};

}  // namespace

void FileCommands::C1Click() {
  // The dialog's name and extension stay as the last command left them.
  const PutBack filter(openDialog1_.filter);
  openDialog1_.filter = kKaoFilter;
  const auto chosen = Execute(platform::FileDialogKind::Open, openDialog1_);
  if (!chosen) return;
  EnsureClass();
  if (library::Extension(*chosen) != ".kao") {
    p_.toolkit.MessageBox(&palette_.window, "指定されたファイルは顔文字ファイルではありません", forms::kProgramTitle,
                          platform::Icon::Information, platform::Buttons::Ok);
    return;
  }
  const platform::ProfileContents kao(library::ReadText(p_.files, *chosen));
  const std::string folder = palette_.library.currentClassFolder;
  // Group names with letter case folded as the file system folds them; one
  // set instead of a search of the growing list per section. The file
  // system has the last word: a group file is only ever made new.
  std::unordered_set<std::string> known;
  for (int i = 0; i < palette_.lists.groups.Count(); ++i) known.insert(utf8::FoldCase(palette_.lists.groups.Item(i)));
  for (const std::string& section : kao.Sections()) {
    if (!known.insert(utf8::FoldCase(section)).second) continue;  // existing groups stay as they are
    if (auto problem = library::FileNameProblem(folder, section, ".txt"))
      throw platform::Failure("セクションの名前をグループの名前にできないため、読み込みを中止しました。\r\n" + *problem);
    AddNewGroup(section, library::NewGroupFile(exchange::KaoSectionFaces(kao, section)));
  }
}

}  // namespace app
