// TFGroup, the name entry dialog: a one-line strip over the palette's
// top-left corner that asks for a class name, a group name or a face.
#pragma once
#include <optional>
#include <string>

#include "forms/form.h"
#include "platform/text.h"

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
  Text accepted;  // read before the window closes, with its controls
};

// The caller's sequence: caption, field colour and first text in, the text
// exactly as typed out, or nothing when the user did not accept one.
std::optional<Text> NameEntryDialog(platform::Toolkit& toolkit, platform::Window& owner,
                                           const Text& caption, int32_t fieldColor, const Text& text);

}  // namespace dialogs
