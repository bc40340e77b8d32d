// TFKao: the date and time stamp, pasted where a face would go.
#include "app/date_time_format.h"
#include "app/palette_window.h"
#include "platform/failure.h"

namespace app {

void TFKao::bDateTimeClick() {
  const std::string stamp = DateTimeFormatter(settings_.stampFormat, p_.locale.Now(), p_.locale.Read());
  // Ctrl+V would paste whatever the clipboard held before.
  if (!p_.clipboard.SetText(stamp)) throw platform::Failure("クリップボードを開くことができません");
  // Link mode and the fixed target window do not apply to the stamp.
  if (!settings_.clipOnly) {
    PasteIntoFoundWindow();
    PushHistory(stamp);
  }
  if (settings_.hideAfter) Window().Hide();
}

}  // namespace app
