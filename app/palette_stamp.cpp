// TFKao: the date and time stamp, pasted where a face would go.
#include "app/palette_window.h"
#include "platform/failure.h"
#include "settings/date_time_format.h"

namespace app {

void TFKao::bDateTimeClick() {
  const std::string stamp = settings::DateTimeFormatter(settings_.Text(settings::kStampFormat), p_.locale.Now(), p_.locale.Read());
  // Ctrl+V would paste whatever the clipboard held before.
  if (!p_.clipboard.SetText(stamp)) throw platform::Failure(platform::kClipboardBusy);
  // Link mode and the fixed target window do not apply to the stamp.
  if (!settings_.Boolean(settings::kClipOnly)) {
    PasteIntoFoundWindow();
    PushHistory(stamp);
  }
  if (settings_.Boolean(settings::kHideAfter)) Window().Hide();
}

}  // namespace app
