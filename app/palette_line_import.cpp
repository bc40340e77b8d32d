// TFKao: lines of any text file into the edit box, cut as the settings say.
#include "app/palette_window.h"
#include "exchange/line_import.h"
#include "app/settings_keys.h"

namespace app {

void TFKao::Z1Click() {
  const auto chosen = AskTextFile(platform::FileDialogKind::Open, lastFilePath_);
  if (!chosen) return;
  EnsureClass();
  lastFilePath_ = *chosen;
  // Read at every import: the settings dialog writes them to the file.
  const settings::SettingsFile ini(p_.files, SettingsPath());
  const exchange::LineImportSettings settings{ini.Integer(settings::kLineMode), ini.Integer(settings::kLineFrom),
                                              ini.Integer(settings::kLineCount)};
  const std::string text = exchange::LineImportText(ReadWholeFile(*chosen), settings);
  RichEdit1->SetText("");
  editMode_->Open(text);
}

}  // namespace app
