// TFKao: the settings dialog opened from the file menu, and its values
// taken over by the running palette.
#include "app/palette_window.h"
#include "dialogs/settings_dialog.h"

namespace app {

void TFKao::Property1Click() {
  dialogs::OpenSettingsDialog(p_, Window(), [this](const dialogs::AppliedSettings& applied) { ApplySettings(applied); });
}

void TFKao::ApplySettings(const dialogs::AppliedSettings& a) {
  settings_.stampFormat = a.stampFormat;
  Window().SetBounds(Reachable(a.bounds));
  settings_.edgeTop = a.edgeTop;
  settings_.edgeLeft = a.edgeLeft;
  settings_.edgeBottom = a.edgeBottom;
  settings_.edgeRight = a.edgeRight;
  settings_.hideAfter = a.hideAfter;
  settings_.clipOnly = a.clipOnly;
  settings_.withReturn = a.withReturn;
  settings_.oneClick = a.oneClick;
  Panel2->SetVisible(!a.minimal);
  Window().SetStayOnTop(a.stayOnTop);
  // The default class waits for the next start; the default group is used
  // when a class is chosen next.
  library_->defaultGroup = a.defaultGroup;
  Window().SetShowHints(a.hints);
  SetListFontSize(a.fontSize);
  ApplyLinkLook();
  settings_.dropSkipsChooser = a.dropSkipsChooser;
  RichEdit1->SetBackground(a.editColour);
  settings_.fixedWindow = a.fixedWindow;
  settings_.windowName = a.windowName;
  Relayout();
}

}  // namespace app
