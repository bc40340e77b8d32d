// TFKao: the settings dialog opened from the file menu.
#include "app/palette_window.h"
#include "dialogs/settings_dialog.h"

namespace app {

void TFKao::Property1Click() {
  dialogs::OpenSettingsDialog(p_, Window(), [this](const settings::Settings& s) { Apply(s); });
}

}  // namespace app
