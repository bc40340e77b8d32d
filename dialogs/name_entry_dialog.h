// TFGroup, the name entry dialog: a one-line strip over the palette's
// top-left corner that asks for a class name, a group name or a face.
#pragma once
#include <optional>
#include <string>

#include "forms/form.h"

namespace dialogs {

class TFGroup : public forms::Form {
 public:
  // Built and placed over the owner; shown by ShowModal.
  TFGroup(platform::Toolkit& toolkit, platform::Window& owner);

  void BitBtn1Click();  // OK
  void BitBtn2Click();  // NO
  void Edit1KeyDown(int key);

  platform::EntryBox& Edit1;
  platform::Button &BitBtn1, &BitBtn2;
  int Tag = 0;  // 1 once a non-empty text was accepted
  std::string accepted;  // read before the window closes, with its controls
};

// The caller's sequence: caption, field colour and first text in, the text
// exactly as typed out, or nothing when the user did not accept one.
std::optional<std::string> NameEntryDialog(platform::Toolkit& toolkit, platform::Window& owner,
                                           const std::string& caption, int32_t fieldColor, const std::string& text);

}  // namespace dialogs
