// TFDragDrop, the format chooser: a small borderless card centred on the
// screen that asks once per drop how dropped files are meant.
#pragma once
#include "forms/form.h"

namespace dialogs {

class TFDragDrop : public forms::Form {
 public:
  TFDragDrop(platform::Toolkit& toolkit, platform::Window& owner);

  void SpeedButton1Click();  // the program's own format
  void SpeedButton2Click();  // text dictionaries
  bool FormKeyDown(int key);

  platform::Button &SpeedButton1, &SpeedButton2;
  int result = 0;  // 1 own format, 2 dictionaries; 0 when closed otherwise
};

// Shows the chooser modally over the owner and gives its result.
int ChooseDropFormat(platform::Toolkit& toolkit, platform::Window& owner);

}  // namespace dialogs
