// TFCb, the clipboard editor "ClipBord": the clipboard's text in a plain
// editor, loaded from and saved to text files and written back.
#pragma once
#include "forms/form.h"
#include "platform/platform.h"
#include "platform/text.h"

namespace dialogs {

class TFCb : public forms::Form {
 public:
  // The editor owned by `owner`, centred, with an empty edit box.
  TFCb(platform::Platform& services, platform::Window& owner);

  void O1Click();  // a text file into the edit box
  void N4Click();  // the edit box to a text file
  void N1Click();  // the clipboard's text into the edit box
  void N3Click();  // the edit box onto the clipboard, when it holds text
  void N2Click();  // the clipboard emptied
  void Close1Click();

  platform::EditBox& RichEdit1;
  platform::MenuItem *File1 = nullptr, *O1 = nullptr, *N4 = nullptr, *N1 = nullptr, *N3 = nullptr, *N2 = nullptr,
                     *Close1 = nullptr;

 private:
  void BuildMenu();
  // The edit box over the whole client area, below the menu bar.
  void FitEditBox();
  // Shows a file dialog; the path chosen becomes its file name.
  std::optional<Path> Execute(platform::FileDialogKind kind, platform::FileDialogRequest& dialog);

  platform::Platform& p_;
  platform::FileDialogRequest OpenDialog1_, SaveDialog1_;
};

// The edit menu's "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ編集": the editor over the palette, starting
// with the clipboard's text, shown modally until it is closed.
void OpenClipboardEditor(platform::Platform& services, platform::Window& owner);

}  // namespace dialogs
