// TFKao: the secondary windows opened from the menus that need nothing of
// the palette but its window and the platform's services.
#include "app/palette_window.h"
#include "dialogs/about_box.h"
#include "dialogs/clipboard_editor.h"

namespace app {

void TFKao::Version1Click() { dialogs::ShowAboutBox(p_.toolkit, p_.shell, Window()); }

void TFKao::N13Click() { dialogs::OpenClipboardEditor(p_, Window()); }

}  // namespace app
