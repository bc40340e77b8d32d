// The file commands: lines of any text file into the edit box, cut as the
// settings say.
#include "app/file_commands.h"

#include "exchange/line_import.h"
#include "library/whole_file.h"

namespace app {

void FileCommands::Z1Click() {
  const auto chosen = AskTextFile(platform::FileDialogKind::Open, lastFilePath_);
  if (!chosen) return;
  EnsureClass();
  lastFilePath_ = *chosen;
  // Read at every import: the settings dialog writes them to the file.
  const settings::Settings s = settings::Settings::Read(p_.files);
  const exchange::LineImportSettings lines{s.Integer(settings::kLineMode), s.Integer(settings::kLineFrom),
                                           s.Integer(settings::kLineCount)};
  const std::string text = exchange::LineImportText(library::ReadText(p_.files, *chosen), lines);
  palette_.lists.editBox.SetText("");
  palette_.editMode.Open(text);
}

}  // namespace app
